// Editing text fields, tables and pictures on the board: new ones from the teacher's
// commands, dragging them with their outlines (modes 4, 11 and 13), and their own
// dialogs on a right click. Every change asks permission 64 first; placing a picture
// asks nothing.
#include "BoardView.h"

#include "annotations/AnnotationAuthoring.h"
#include "annotations/Picture.h"
#include "annotations/Table.h"
#include "annotations/TextField.h"
#include "core/Component.h"
#include "platform/DrawContext.h"
#include "platform/Strings.h"

namespace {

constexpr int kTitleWarning = 61612; // "Waarschuwing"

// The last picture, table or text field (searched in that order) under a point.
struct AnnotationHit {
    CBoardObject* object = nullptr;
    int index = -1;
    int kind = 0;
};

bool Hits(CBoardObject& object, CPoint p)
{
    if (auto* field = dynamic_cast<CTextField*>(&object))
        return field->HitTest(p);
    if (auto* table = dynamic_cast<CTabel*>(&object))
        return table->HitTest(p);
    if (auto* picture = dynamic_cast<CPlaatje*>(&object))
        return picture->HitTest(p);
    return false;
}

AnnotationHit FindAnnotation(CVeldtrakDoc& doc, CPoint p)
{
    const std::pair<ObjectList*, int> lists[] = {
        {&doc.m_pictures, HIT_PICTURE}, {&doc.m_tables, HIT_TABLE}, {&doc.m_textFields, HIT_TEXTFIELD}};
    for (const auto& [list, kind] : lists)
        for (int i = int(list->size()); i-- > 0;)
            if (Hits(*(*list)[std::size_t(i)], p))
                return {(*list)[std::size_t(i)].get(), i, kind};
    return {};
}

CPoint OriginOf(CBoardObject& object)
{
    if (auto* field = dynamic_cast<CTextField*>(&object))
        return field->m_rect.TopLeft();
    if (auto* table = dynamic_cast<CTabel*>(&object))
        return table->m_rect.TopLeft();
    if (auto* picture = dynamic_cast<CPlaatje*>(&object))
        return picture->m_rect.TopLeft();
    return {};
}

} // namespace

CBoardObject* CBoardView::PressedAnnotation() const
{
    const ObjectList* list = m_nMode == MODE_DRAG_TEXTFIELD ? &m_doc.m_textFields
                             : m_nMode == MODE_DRAG_TABLE   ? &m_doc.m_tables
                             : m_nMode == MODE_DRAG_PICTURE ? &m_doc.m_pictures
                                                            : nullptr;
    if (!list || m_nAnnotation < 0 || m_nAnnotation >= int(list->size()))
        return nullptr;
    return (*list)[std::size_t(m_nAnnotation)].get();
}

void CBoardView::OnNewTextField()
{
    if (!m_doc.CheckPermission(PERMIT_CHANGE_TEXTS, true) || !m_doc.m_pAuthoring)
        return;
    m_nMode = MODE_IDLE;
    std::unique_ptr<CBoardObject> object = m_doc.m_pAuthoring->NewTextField();
    auto* field = dynamic_cast<CTextField*>(object.get());
    if (!field)
        return;
    m_doc.AddTextField(std::move(object));
    const CPoint at = ClientToBoard(QPoint(1, -1));
    DrawDirect([&](CDC& dc) {
        field->PlaceAt(dc, at.x, at.y, m_doc.m_nTextSnap);
        field->Draw(dc);
    });
}

void CBoardView::OnNewTable()
{
    if (!m_doc.CheckPermission(PERMIT_CHANGE_TEXTS, true) || !m_doc.m_pAuthoring)
        return;
    std::unique_ptr<CBoardObject> object = m_doc.m_pAuthoring->NewTable();
    auto* table = dynamic_cast<CTabel*>(object.get());
    if (!table)
        return;
    m_doc.AddTable(std::move(object));
    const CPoint at = ClientToBoard(QPoint(0, 0));
    DrawDirect([&](CDC& dc) {
        table->PlaceAt(dc, at.x, at.y);
        table->Draw(dc); // measures, then draws
    });
}

void CBoardView::PlaceNewPicture(const QString& path)
{
    auto picture = std::make_unique<CPlaatje>();
    picture->SetFile(QString(), path);
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
    const CPoint origin = OriginOf(*hit.object);
    m_ptGrab = CPoint(origin.x - point.x, origin.y - point.y);
    m_nMode = hit.kind;
    if (auto* field = dynamic_cast<CTextField*>(hit.object))
        DrawDirect([&](CDC& dc) {
            field->DrawOutline(dc, false);
            field->DrawOutline(dc, false);
        });
    else if (auto* table = dynamic_cast<CTabel*>(hit.object))
        DrawDirect([&](CDC& dc) {
            table->DrawOutline(dc, false);
            table->DrawOutline(dc, false);
        });
    return true;
}

void CBoardView::DragAnnotation(CPoint point)
{
    CBoardObject* object = PressedAnnotation();
    if (!object)
        return;
    // The object goes where the pointer was one event ago.
    const CPoint to(m_ptGrab.x + m_ptLast.x, m_ptGrab.y + m_ptLast.y);
    DrawDirect([&](CDC& dc) {
        if (auto* field = dynamic_cast<CTextField*>(object))
            field->PlaceAt(dc, to.x, to.y, m_doc.m_nTextSnap);
        else if (auto* table = dynamic_cast<CTabel*>(object))
            table->PlaceAt(dc, to.x, to.y);
        else if (auto* picture = dynamic_cast<CPlaatje*>(object))
            picture->PlaceAt(dc, to.x, to.y);
    });
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
    int result = 0;
    const char* cannot = "";
    if (auto* field = dynamic_cast<CTextField*>(hit.object)) {
        result = field->Edit();
        cannot = "RBD:textfield -- can't happen";
    } else if (auto* table = dynamic_cast<CTabel*>(hit.object)) {
        result = table->Edit();
        cannot = "RBD:tabel -- can't happen";
    } else if (auto* picture = dynamic_cast<CPlaatje*>(hit.object)) {
        result = picture->Edit(this);
        cannot = "RBD:image -- can't happen";
    }
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
        m_doc.m_messageBox.Show(QString::fromLatin1(cannot), LoadString(kTitleWarning));
        break;
    }
    return true;
}
