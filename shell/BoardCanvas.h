#pragma once
// The board surface: a white 8100 x 11300 board at screen resolution, drawn through
// the drawing context into a backing image that is copied to the screen.

#include "document/Document.h"

#include <QImage>
#include <QWidget>

class CBoardCanvas : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBoardWidth = 8100;
    static constexpr int kBoardHeight = 11300;

    explicit CBoardCanvas(CVeldtrakDoc& doc, QWidget* parent = nullptr);

    // Redraws the whole board into the backing image.
    void Redraw();
    // One measurement tick, drawing straight into the backing image.
    void Tick();
    // Puts every component back in its first state (the Reset command).
    void ResetComponents();
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    CVeldtrakDoc& m_doc;
    QImage m_surface;
    Qt::MouseButtons m_buttons;
    QPoint m_mouse;
};
