#pragma once
// The left pane: the palette of component kinds. Pressing on a name starts placing a
// new component of that kind on the board. While a measurement runs the pane shows
// the probes' strip charts instead.
//
// The pane draws in board units (0.1 mm, y upwards, origin at its top-left) into a
// backing image that paintEvent copies to the screen, so the hover band can be
// inverted in place with exclusive-or.

#include "document/Document.h"
#include "platform/Geometry.h"
#include "shell/StripChart.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class CDC;

enum PaneMode : int { PANE_PALETTE = 0, PANE_CHARTS = 1, PANE_STARTUP = 2 };

class CVeldtrakView : public QAbstractScrollArea, public CDocView {
    Q_OBJECT
public:
    static constexpr int kRowUnit = 36; // the palette font's height; a row is twice that

    explicit CVeldtrakView(CVeldtrakDoc& doc, QWidget* parent = nullptr);
    ~CVeldtrakView() override;

    // Fills the palette with the names of every kind the document can create.
    void OnInitialUpdate();
    void OnUpdate(int hint, int argument) override;

    const QStringList& Names() const { return m_names; }
    int EntryCount() const { return m_nEntries; }
    int HoveredRow() const { return m_nHoveredRow; }
    int Mode() const { return m_nPaneMode; }
    const QImage& Surface() const { return m_surface; }
    const std::vector<CStripChart>& StripCharts() const { return m_charts; }

    // Asks the frame to make the board pane the active one.
    std::function<void()> m_activateBoardPane;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SizePane();
    void SizePalette();
    void SizeForCharts();
    void Redraw();
    // A context on the surface at the current scroll position.
    std::unique_ptr<CDC> SurfaceDC();
    double SurfaceScale() const; // device pixels per viewport pixel
    QSize SurfaceSize() const;
    CPoint ClientToPane(QPoint client) const;
    int Dpi() const;
    int UnitsToPixels(int units) const;
    void HoverAt(QPoint client);
    void InvertRowBand(int row);

    // Strip charts of the probes during a measurement, one per probed socket.
    void BuildStripCharts();
    void DeleteStripCharts();
    void ClearStripCharts();
    void AdvanceStripCharts();
    void DrawStripCharts(CDC& dc);
    int StripChartCount() const { return int(m_charts.size()); }
    void ClearStripChart(int index);

    CVeldtrakDoc& m_doc;
    QStringList m_names;
    int m_nEntries = -1;
    int m_nHoveredRow = -1;
    int m_nRowUnit = 0;
    int m_nPaneMode = PANE_STARTUP;
    CRect m_paneRect;
    std::vector<CStripChart> m_charts;
    QImage m_surface;
};
