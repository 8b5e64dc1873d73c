// Editing text fields, tables and pictures on the board: new ones from the teacher's
// commands, dragging them with their outlines (modes 4, 11 and 13), and their own
// dialogs on a right click. Every change asks permission 64 first; placing a picture
// asks nothing.
#include "BoardView.h"

#include "annotations/AnnotationAuthoring.h"
#include "annotations/Picture.h"
#include "annotations/PicturePlacing.h"
#include "annotations/Table.h"
#include "annotations/TextField.h"
#include "core/Component.h"
#include "platform/DrawContext.h"
#include "platform/Paths.h"
#include "platform/Strings.h"

namespace {

constexpr int kTitleWarning = 61612; // "Waarschuwing"

// The last picture, table or text field (searched in that order) under a point.
struct AnnotationHit {
    CAnnotation* object = nullptr;
    int index = -1;
    int kind = 0;
};

AnnotationHit FindAnnotation(CVeldtrakDoc& doc, CPoint p)
{
    const std::pair<ObjectList*, int> lists[] = {
        {&doc.m_pictures, HIT_PICTURE}, {&doc.m_tables, HIT_TABLE}, {&doc.m_textFields, HIT_TEXTFIELD}};
    for (const auto& [list, kind] : lists)
        for (int i = int(list->size()); i-- > 0;)
            if (auto* a = dynamic_cast<CAnnotation*>((*list)[std::size_t(i)].get()); a && a->HitTest(p))
                return {a, i, kind};
    return {};
}

// What a dialog result outside 1, 2 and 172 reports, by kind.
const char* CannotHappen(int kind)
{
    switch (kind) {
    case HIT_TEXTFIELD:
        return "RBD:textfield -- can't happen";
    case HIT_TABLE:
        return "RBD:tabel -- can't happen";
    default:
        return "RBD:image -- can't happen";
    }
}

} // namespace

CAnnotation* CBoardView::PressedAnnotation() const
{
    const ObjectList* list = m_nMode == MODE_DRAG_TEXTFIELD ? &m_doc.m_textFields
                             : m_nMode == MODE_DRAG_TABLE   ? &m_doc.m_tables
                             : m_nMode == MODE_DRAG_PICTURE ? &m_doc.m_pictures
                                                            : nullptr;
    if (!list || m_nAnnotation < 0 || m_nAnnotation >= int(list->size()))
        return nullptr;
    return dynamic_cast<CAnnotation*>((*list)[std::size_t(m_nAnnotation)].get());
}

void CBoardView::OnNewTextField()
{
    if (!m_doc.CheckPermission(PERMIT_CHANGE_TEXTS, true) || !m_doc.m_pAuthoring)
        return;
    if (AbandonEditing()) // a wire being drawn ends with the idle mode
        InvalidateAll();
    m_nMode = MODE_IDLE;
    PlaceNewAnnotation(m_doc.m_pAuthoring->NewTextField(), QPoint(1, -1));
}

void CBoardView::OnNewTable()
{
    if (!m_doc.CheckPermission(PERMIT_CHANGE_TEXTS, true) || !m_doc.m_pAuthoring)
        return;
    PlaceNewAnnotation(m_doc.m_pAuthoring->NewTable(), QPoint(0, 0));
}

// Added to its list, placed at the board point under the client pixel, drawn.
void CBoardView::PlaceNewAnnotation(std::unique_ptr<CBoardObject> object, QPoint client)
{
    auto* annotation = dynamic_cast<CAnnotation*>(object.get());
    if (!annotation)
        return;
    if (dynamic_cast<CTextField*>(annotation))
        m_doc.AddTextField(std::move(object));
    else
        m_doc.AddTable(std::move(object));
    const CPoint at = ClientToBoard(client);
    DrawDirect([&](CDC& dc) {
        annotation->PlaceAt(dc, at.x, at.y, m_doc.m_nTextSnap);
        annotation->Draw(dc); // a table measures itself first
    });
}

void CBoardView::PlaceNewPicture(const QString& path)
{
    auto picture = std::make_unique<CPlaatje>();
    // A name relative to the bitmap folder is found there, as when a board is read.
    picture->SetFile(WindowsName(BitmapFolderPath(m_doc)) + u'\\', path);
    picture->Load();
    CPlaatje* raw = picture.get();
    m_doc.AddPicture(std::move(picture));
    const CPoint at = ClientToBoard(QPoint(0, 0));
    DrawDirect([&](CDC& dc) {
        raw->Draw(dc); // the first drawing gives it its size
        raw->PlaceAt(dc, at.x, at.y);
    });
}

bool CBoardView::PressAnnotation(CPoint point)
{
    const AnnotationHit hit = FindAnnotation(m_doc, point);
    if (!hit.object)
        return false;
    if (!m_doc.CheckPermission(PERMIT_CHANGE_TEXTS, true))
        return true;
    m_doc.SetModifiedFlag();
    m_nAnnotation = hit.index;
    m_ptLast = point;
    const CPoint origin = hit.object->m_rect.TopLeft();
    m_ptGrab = CPoint(origin.x - point.x, origin.y - point.y);
    m_nMode = hit.kind;
    DrawDirect([&](CDC& dc) { hit.object->ShowPressed(dc); });
    return true;
}

void CBoardView::DragAnnotation(CPoint point)
{
    CAnnotation* object = PressedAnnotation();
    if (!object)
        return;
    // The object goes where the pointer was one event ago.
    const CPoint to(m_ptGrab.x + m_ptLast.x, m_ptGrab.y + m_ptLast.y);
    DrawDirect([&](CDC& dc) { object->PlaceAt(dc, to.x, to.y, m_doc.m_nTextSnap); });
    m_ptLast = point;
}

void CBoardView::ReleaseAnnotation()
{
    // A moved picture is already drawn at its place; text fields and tables only drew
    // their outline while they moved.
    if (m_nMode != MODE_DRAG_PICTURE)
        InvalidateAll();
    m_nMode = MODE_IDLE;
    m_nAnnotation = -1;
}

bool CBoardView::RightClickAnnotation(CPoint point)
{
    const AnnotationHit hit = FindAnnotation(m_doc, point);
    if (!hit.object)
        return false;
    if (!m_doc.CheckPermission(PERMIT_CHANGE_TEXTS, true))
        return true;
    const int result = hit.object->Edit();
    switch (result) {
    case EDIT_ACCEPTED:
        m_doc.SetModifiedFlag();
        InvalidateAll();
        break;
    case EDIT_CANCELLED:
        break;
    case EDIT_DELETE:
        if (hit.kind == HIT_TEXTFIELD)
            m_doc.DeleteTextField(hit.index);
        else if (hit.kind == HIT_TABLE)
            m_doc.DeleteTable(hit.index);
        else
            m_doc.DeletePicture(hit.index);
        break;
    default:
        m_doc.m_messageBox.Show(QString::fromLatin1(CannotHappen(hit.kind)), LoadString(kTitleWarning));
        break;
    }
    return true;
}
