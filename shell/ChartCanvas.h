#pragma once
// The measurement chart on screen: the traces at a chosen scale, scrolled in time,
// following the newest tick while measuring. A cursor line follows the mouse and reads
// every trace at that tick; clicks place two fixed cursors (A and B) whose difference
// in time and voltage is read out too.

#include "chart/ChartLayout.h"
#include "document/Document.h"

#include <QWidget>

#include <array>
#include <optional>

class CMeasurementLog;

class CChartCanvas : public QWidget, public CDocView {
    Q_OBJECT
public:
    // Pixels per tick are 2 to this power: powers of two keep the pixel columns of a
    // scrolled chart on the same ticks.
    static constexpr int kMinZoom = -12;
    static constexpr int kMaxZoom = 5;
    static constexpr int kStartZoom = 2;

    CChartCanvas(CVeldtrakDoc& doc, const CMeasurementLog& log, QWidget* parent = nullptr);
    ~CChartCanvas() override;

    void OnUpdate(int hint, int argument) override;

    // Zoom in time around a pixel column of the canvas (the plot's middle when none).
    void ZoomBy(int steps, std::optional<int> anchorX = std::nullopt);
    bool CanZoomIn() const { return m_nZoom < kMaxZoom; }
    bool CanZoomOut() const { return m_nZoom > kMinZoom; }
    // "Alles tonen": the whole measurement in the plot.
    void ShowAll();
    // The leftmost tick shown (log index); kept within the measurement.
    void ScrollTo(long long firstTick);
    long long FirstTick() const { return m_nFirst; }
    long long VisibleTicks() const;
    int Zoom() const { return m_nZoom; }

    void SetLanes(bool lanes);
    bool Lanes() const { return m_bLanes; }

    // The layout as drawn now, and the tick (log index) under a pixel column, if any.
    CChartLayout Layout() const;
    std::optional<long long> TickAtColumn(int x) const;
    const std::optional<long long>& Hover() const { return m_hover; }
    const std::array<std::optional<long long>, 2>& Marks() const { return m_marks; }

signals:
    // The scale, the scroll position or the measurement's length changed.
    void ViewChanged();
    // The cursors moved or the values under them changed.
    void CursorsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    double PixelsPerTick() const;
    long long TicksPerColumn() const;
    long long Clamped(long long first) const;
    void OnTick();
    void FollowNewestTick();
    void UpdateNewestPiece(const CChartLayout& layout);
    void Restart();
    void FollowsDropOfOldest();
    void UpdateCursorLine(const std::optional<long long>& tick);
    void PaintCursors(QPainter& painter, const CChartLayout& layout, const QRect& dirty) const;

    CVeldtrakDoc& m_doc;
    const CMeasurementLog& m_log;
    int m_nZoom = kStartZoom;
    long long m_nFirst = 0;
    long long m_nLogFirst = 0; // the log's first kept tick when last seen
    bool m_bLanes = true;
    bool m_bFollow = true; // the newest tick stays in sight while measuring
    std::optional<long long> m_hover;
    std::array<std::optional<long long>, 2> m_marks;
};
