#include "BoardCanvas.h"

#include "platform/DrawContext.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kDpi = 96;
int ToPixels(int units)
{
    return units * kDpi / 254;
}
} // namespace

CBoardCanvas::CBoardCanvas(CVeldtrakDoc& doc, QWidget* parent)
    : QWidget(parent), m_doc(doc),
      m_surface(ToPixels(kBoardWidth), ToPixels(kBoardHeight), QImage::Format_RGB32)
{
    setMouseTracking(true);
    setFixedSize(m_surface.size());
    Redraw();
}

QSize CBoardCanvas::sizeHint() const
{
    return m_surface.size();
}

void CBoardCanvas::Redraw()
{
    m_surface.fill(Qt::white);
    CDC dc(m_surface, kDpi);
    const CFont oldFont = dc.SelectObject(CFont::Label(44));
    for (auto& picture : m_doc.m_pictures)
        picture->Draw(dc);
    for (auto& table : m_doc.m_tables)
        table->Draw(dc);
    for (auto& text : m_doc.m_textFields)
        text->Draw(dc);
    for (auto& component : m_doc.m_components)
        component->Draw(dc);
    for (auto& wire : m_doc.m_wires)
        wire->Draw(dc);
    dc.SelectObject(oldFont);
    update();
}

void CBoardCanvas::Tick()
{
    CDC dc(m_surface, kDpi);
    std::uint32_t state = 0;
    const Qt::KeyboardModifiers keys = QGuiApplication::queryKeyboardModifiers();
    if (keys & Qt::ControlModifier)
        state |= STATE_CTRL;
    if (keys & Qt::ShiftModifier)
        state |= STATE_SHIFT;
    if (m_buttons & Qt::LeftButton)
        state |= STATE_LEFT_BUTTON;
    if (m_buttons & Qt::RightButton)
        state |= STATE_RIGHT_BUTTON;
    m_doc.Tick(dc, dc.DPtoLP(CPoint(m_mouse.x(), m_mouse.y())), state);
    update();
}

void CBoardCanvas::ResetComponents()
{
    {
        CDC dc(m_surface, kDpi);
        m_doc.ResetComponents(dc);
    }
    Redraw();
}

void CBoardCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), m_surface, event->rect());
}

void CBoardCanvas::mousePressEvent(QMouseEvent* event)
{
    m_buttons = event->buttons();
    m_mouse = event->position().toPoint();
}

void CBoardCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    m_buttons = event->buttons();
}

void CBoardCanvas::mouseMoveEvent(QMouseEvent* event)
{
    m_mouse = event->position().toPoint();
}
