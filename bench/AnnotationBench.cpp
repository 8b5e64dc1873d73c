// Figures of the worksheet annotations: drawing a board that carries 20 text fields of
// ten formatted lines and 5 full tables (10 rows of 5 cells), at the screen's 96 dpi,
// at once and as the board view repaints its window, band after band.
#include "annotations/AnnotationClasses.h"
#include "document/BoardArchive.h"
#include "annotations/Table.h"
#include "annotations/TextField.h"
#include "boardview/BoardView.h"
#include "document/Document.h"
#include "platform/DrawContext.h"
#include "platform/Paths.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

constexpr int kDpi = 96;

// Ten lines of an assignment with bold, italic and underlined words.
QString TenLines(int field)
{
    QString text = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss MS Sans Serif;}}"
                                  "{\\colortbl ;\\red0\\green0\\blue0;}\r\n\\plain ");
    for (int line = 0; line < 10; ++line)
        text += QStringLiteral("Opdracht %1.%2: meet de \\b spanning\\plain  over de "
                               "\\i lamp\\plain  en \\u noteer\\plain  de waarde.\\par \r\n")
                    .arg(field + 1)
                    .arg(line + 1);
    return text + QStringLiteral("\r\n}");
}

QString FullTableData()
{
    QStringList cells;
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 5; ++c)
            cells << (r == 0 ? QStringLiteral("U%1 (V)").arg(c) : QStringLiteral("%1,%2").arg(r).arg(c * 5));
    return cells.join(u'#');
}

void BM_DrawAnnotations(benchmark::State& state)
{
    QTemporaryDir folder;
    SetProgramFolder(folder.path());
    RegisterBoardClasses();
    RegisterAnnotationClasses();
    CVeldtrakDoc doc;
    doc.m_bBusy = false;
    for (int i = 0; i < 20; ++i) {
        auto field = std::make_unique<CTextField>();
        field->SetText(TenLines(i), i % 2);
        field->m_rect = CRect(130 + 2000 * (i % 4), -100 - 600 * (i / 4), 0, 0);
        doc.AddTextField(std::move(field));
    }
    for (int i = 0; i < 5; ++i) {
        auto table = std::make_unique<CTabel>();
        table->SetContents({FullTableData(), QStringLiteral("#"), i % 2, 1, 1, 5, 10});
        table->m_rect = CRect(130 + 1600 * i, -3300, 0, 0);
        doc.AddTable(std::move(table));
    }
    CBoardView view(doc);
    // The part of the board they cover: 8100 x 4200 units.
    QImage surface(8100 * kDpi / 254, 4200 * kDpi / 254, QImage::Format_RGB32);
    surface.fill(Qt::white);
    const CRect clip(0, 0, 8100, -11300);
    for (auto _ : state) {
        if (state.range(0)) { // as the window repaints: erased and drawn band after band
            view.PaintEditingBoard(surface, surface.rect(), kDpi, [](CDC& dc) { dc.SetLayoutDpi(kDpi); });
        } else {
            CDC dc(surface, kDpi);
            view.DrawBoard(dc, clip, false, false);
        }
        benchmark::DoNotOptimize(surface.constBits());
    }
    state.counters["text_fields"] = double(doc.m_textFields.size());
    state.counters["tables"] = double(doc.m_tables.size());
    state.counters["surface_px"] = double(surface.width()) * surface.height();
    SetProgramFolder(QString());
}
// Arg 0: drawn at once; 1: the window's repaint in bands.
BENCHMARK(BM_DrawAnnotations)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
