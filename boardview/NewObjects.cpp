// New objects that reach the board through update hints: a component from the palette,
// and the bitmap file question of a new picture (the annotations themselves are placed
// in AnnotationEditing.cpp).
#include "BoardView.h"

#include "Sprites.h"
#include "annotations/PicturePlacing.h"
#include "platform/DrawContext.h"
#include "platform/FileDialogs.h"
#include "platform/Paths.h"

#include <QCursor>

// The palette was pressed at row 'y' (pixels) with its button still down: the new
// component starts at the board's left edge on that row and the pointer jumps onto it,
// so that the rest of the press drags it.
void CBoardView::OnPlaceComponent(int argument)
{
    const int paletteIndex = argument & 0xFFFF;
    const int y = (argument >> 16) & 0xFFFF;
    if (EditingLocked() || !m_doc.CheckPermission(PERMIT_ADD_MOVE, true))
        return;
    std::unique_ptr<CComponent> component = m_doc.CreateComponent(paletteIndex);
    if (!component)
        return;
    if (component->GetTypeId() == TYPE_SONDE) {
        if (!m_doc.CheckPermission(PERMIT_PROBES, true))
            return;
        component->m_nParam2 = NextProbeNumber();
    }
    if (m_activatePane)
        m_activatePane();
    if (AbandonEditing()) // a wire being drawn does not go on under the new component
        InvalidateAll();
    const CPoint position(0, -y);
    component->MoveTo(position.x, position.y);
    m_pSprite = MakeSprite(*component);
    DrawDirect([&](CDC& dc) { m_pSprite->XorOnto(dc, position); });
    m_doc.AddComponent(std::move(component));
    m_nTarget = int(m_doc.m_components.size()) - 1;
    m_nMode = MODE_DRAG_COMPONENT;
    m_ptOffset = CPoint(0, 0);
    m_bMoved = false;
    m_bPressAbandoned = false; // this press goes on as the drag
    QCursor::setPos(viewport()->mapToGlobal(QPoint(0, y)));
    viewport()->grabMouse();
}

void CBoardView::OnNewPicture()
{
    const QString path = AskBitmapFile();
    if (path.isEmpty())
        return;
    // Questions and messages come before anything is drawn.
    const QString stored = PrepareNewPicture(m_doc, path);
    if (!stored.isEmpty())
        PlaceNewPicture(stored);
}

QString CBoardView::AskBitmapFile()
{
    FileDialogOptions options;
    options.filter = QStringLiteral("Plaatjes (*.bmp *.png *.jpg *.jpeg)|*.bmp;*.png;*.jpg;*.jpeg|"
                                    "Bitmaps (*.bmp)|*.bmp|Alle bestanden (*.*)|*.*||");
    options.defaultExtension = QStringLiteral("bmp");
    options.folder = WindowsName(BitmapFolderPath(m_doc)); // where the worksheets' pictures are
    return RunFileDialog(options);
}
