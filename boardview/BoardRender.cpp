#include "BoardRender.h"

#include "BoardView.h"
#include "Printing.h"
#include "annotations/AnnotationAuthoring.h"
#include "platform/DrawContext.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <algorithm>

namespace {

constexpr int kScreenDpi = 96;
constexpr int kMargin = 100;
constexpr int kEmptySize = 200;

void Include(CRect& area, bool& any, const CRect& rect)
{
    const CRect r = rect.Normalized();
    area = any ? CRect(std::min(area.left, r.left), std::min(area.top, r.top),
                       std::max(area.right, r.right), std::max(area.bottom, r.bottom))
               : r;
    any = true;
}

} // namespace

CRect OccupiedArea(const CVeldtrakDoc& doc)
{
    CRect area;
    bool any = false;
    for (const auto& component : doc.m_components)
        Include(area, any, component->m_rect);
    for (const ObjectList* list : {&doc.m_textFields, &doc.m_tables, &doc.m_pictures})
        for (const auto& object : *list)
            if (const CRect* rect = AnnotationRect(*object)) Include(area, any, *rect);
    for (const auto& wire : doc.m_wires)
        for (const CPoint& p : wire->m_points)
            Include(area, any, CRect(p.x, p.y, p.x + 1, p.y + 1));
    if (!any) return CRect(0, -kEmptySize, kEmptySize, 0);
    area.InflateRect(kMargin);
    // Board coordinates: x from 0 to the width, y from minus the height to 0.
    area.left = std::max(area.left, 0);
    area.right = std::min(area.right, CBoardView::kBoardWidth);
    area.top = std::max(area.top, -CBoardView::kBoardHeight);
    area.bottom = std::min(area.bottom, 0);
    return area;
}

bool RenderBoardPng(CVeldtrakDoc& doc, const QString& out)
{
    LayOutAnnotations(doc, kScreenDpi); // text fields and tables have their size once drawn
    const CRect area = OccupiedArea(doc);
    const int width = std::max(1, area.Width() * kScreenDpi / 254);
    const int height = std::max(1, area.Height() * kScreenDpi / 254);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        CBoardView view(doc);
        CDC dc(image, kScreenDpi);
        dc.SetWindowOrg(area.left, area.bottom); // the area's top-left corner
        view.DrawBoard(dc, CRect(area.left, area.bottom, area.right, area.top), false, true);
    }
    return image.save(out, "PNG");
}

bool RenderBoardPdf(CVeldtrakDoc& doc, const QString& out, QString* note)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    LayOutAnnotations(doc, kScreenDpi);
    if (note)
        *note = PrintScaleNote(doc, printer);
    CBoardView view(doc);
    return PrintBoard(view, printer) > 0 && QFileInfo(out).size() > 0;
}
