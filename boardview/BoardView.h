#pragma once
// The board pane: a scrolling view over the 8100 x 11300 board. It paints the board,
// reacts to the document's update hints, shows the start-up images and start menu,
// runs the measurement tick from its timer and, later, the mouse editing.
//
// Direct drawing (ticks, sprites, rubber bands) goes into a backing image that is the
// window's surface; paintEvent only copies that image to the screen.

#include "document/Document.h"
#include "platform/Geometry.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <functional>
#include <vector>

class CDC;

// Interaction modes of the board view.
enum BoardViewMode : int {
    MODE_IDLE = 0,
    MODE_DRAG_COMPONENT = 1,
    MODE_WIRE = 2,
    MODE_WIRE_ONLY_CLICK = -2,
    MODE_DRAG_TEXTFIELD = 4,
    MODE_MEASURING = 7,
    MODE_DRAG_TABLE = 11,
    MODE_DRAG_PICTURE = 13,
    MODE_STARTUP = 15,
    MODE_MARKING = 17,
};

class CBoardView : public QAbstractScrollArea, public CDocView {
    Q_OBJECT
public:
    static constexpr int kBoardWidth = 8100;
    static constexpr int kBoardHeight = 11300;

    explicit CBoardView(CVeldtrakDoc& doc, QWidget* parent = nullptr);
    ~CBoardView() override;

    CVeldtrakDoc& Document() { return m_doc; }
    void OnUpdate(int hint, int argument) override;
    int Mode() const { return m_nMode; }

    // Draws the board's objects onto a context: those whose rectangle meets 'rect'
    // (board units), or all; direct draws components plainly instead of as sprites.
    // Printing goes through here too (the context says it prints).
    void DrawBoard(CDC& dc, const CRect& rect, bool direct, bool all);

    // Screen pixels of the viewport to board units and back, at the current scroll.
    CPoint ClientToBoard(QPoint client) const;
    QPoint BoardToClient(CPoint board) const;

    // Print state: the page origins of the current job and its printable rectangle.
    std::vector<CPoint>& PageOrigins() { return m_pageOrigins; }
    CRect& PrintableRect() { return m_printableRect; }

    // Asks the frame to make this pane the active one (after printing, before placing).
    std::function<void()> m_activatePane;

    // The window surface, for tests and screenshots.
    const QImage& Surface() const { return m_surface; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    CVeldtrakDoc& m_doc;
    int m_nMode = MODE_IDLE;
    QImage m_surface;
    std::vector<CPoint> m_pageOrigins;
    CRect m_printableRect;
    // The rest of the view's state is the implementer's.
};
