// Tables: reading the cells, measuring, the grid and its header lines, the border on
// screen and on paper, placing, and the table dialog.
#include "AnnotationTestSupport.h"
#include "annotations/Table.h"
#include "annotations/TableCells.h"
#include "annotations/TableDlg.h"
#include "support/ScriptedModals.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

std::vector<QString> Cells(std::initializer_list<const char16_t*> texts)
{
    std::vector<QString> cells;
    for (const char16_t* t : texts)
        cells.push_back(QString::fromUtf16(t));
    return cells;
}

TEST(TableCells, EveryCellExistsAndEmptyOnesAreBlank)
{
    struct Case {
        const char* name;
        QString data;
        QString separator;
        int rows;
        int columns;
        std::vector<QString> cells;
    } cases[] = {
        {"word, two separators, word", u"een##twee"_qs, u"#"_qs, 2, 2, Cells({u"een", u" ", u"twee", u" "})},
        {"starts with the separator", u"#b"_qs, u"#"_qs, 1, 2, Cells({u" ", u"b"})},
        {"empty data", QString(), u"#"_qs, 1, 3, Cells({u" ", u" ", u" "})},
        {"a run of empty cells", u"a####b"_qs, u"#"_qs, 1, 5, Cells({u"a", u" ", u" ", u" ", u"b"})},
        {"more cells than fit", u"a#b#c#d#e"_qs, u"#"_qs, 2, 2, Cells({u"a", u"b", u"c", u"d"})},
        {"another separator", u"x;y"_qs, u";"_qs, 1, 2, Cells({u"x", u"y"})},
        {"an empty separator yields no cells", u"a#b"_qs, QString(), 2, 2, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PrepareCells(c.data, c.separator, c.rows, c.columns), c.cells) << c.name;

    EXPECT_EQ(CellLines(u"a\r\nb"_qs), (QStringList{u"a"_qs, QString(), u"b"_qs}));
    EXPECT_EQ(CellLines(u"a"_qs), QStringList{u"a"_qs});

    // Large hostile data stays quick and in bounds.
    EXPECT_EQ(PrepareCells(QString(10000, u'#'), u"#"_qs, 10, 5).size(), 50u);
    EXPECT_EQ(PrepareCells(QString(1 << 20, u'x'), u"#"_qs, 10, 5).front().size(), 1 << 20);
}

class TableFixture : public ::testing::Test {
protected:
    CTabel& Table(const QString& data, int rows, int columns, bool fixed, bool rowHeader, bool header)
    {
        m_table = std::make_unique<CTabel>();
        m_table->SetContents({data, u"#"_qs, int(fixed), int(rowHeader), int(header), columns, rows});
        m_table->m_rect = CRect(100, -100, 100, -100);
        return *m_table;
    }
    CSize Extent(const QString& text)
    {
        QImage image(1, 1, QImage::Format_RGB32);
        CDC dc(image, kDpi);
        dc.SelectObject(CFont::Label(56));
        return dc.GetTextExtent(text);
    }
    std::unique_ptr<CTabel> m_table;
};

TEST_F(TableFixture, MeasuresWithTheTableFontAndItsPadding)
{
    const CSize q = Extent(u"Q"_qs);
    const int padX = int(q.cx * 1.1);
    const int padY = int(q.cy * 1.1);
    CTabel& t = Table(u"a#langer woord#twee\nregels#b"_qs, 2, 2, false, true, true);
    QImage image(1, 1, QImage::Format_RGB32);
    CDC dc(image, kDpi);
    t.Measure(dc);
    const int lineHeight = Extent(u"a"_qs).cy;
    EXPECT_EQ(t.m_rowHeights[0], lineHeight + padY);
    EXPECT_EQ(t.m_rowHeights[1], 2 * lineHeight + padY); // the tallest cell has two lines
    EXPECT_EQ(t.m_columnWidths[0], std::max(Extent(u"a"_qs).cx, Extent(u"regels"_qs).cx) + padX);
    EXPECT_EQ(t.m_columnWidths[1], Extent(u"langer woord"_qs).cx + padX);
    EXPECT_EQ(t.m_rowHeights[2], 0);
    EXPECT_EQ(t.m_rect.right, 100 + t.m_columnWidths[0] + t.m_columnWidths[1]);
    EXPECT_EQ(t.m_rect.bottom, -100 - t.m_rowHeights[0] - t.m_rowHeights[1]);

    // Fixed: every column as wide as the widest cell, every row as high as the highest.
    CTabel& f = Table(u"a#langer woord#twee\r\nregels#b"_qs, 2, 2, true, true, true);
    f.Measure(dc);
    EXPECT_EQ(f.m_columnWidths[0], Extent(u"langer woord"_qs).cx + padX);
    EXPECT_EQ(f.m_columnWidths[1], f.m_columnWidths[0]);
    // A carriage return and line feed make an empty line between the two.
    EXPECT_EQ(f.m_rowHeights[0], 3 * lineHeight + padY);
    EXPECT_EQ(f.m_rowHeights[1], f.m_rowHeights[0]);

    // An empty separator: no cells, no size.
    CTabel& e = Table(u"a#b"_qs, 2, 2, false, false, false);
    e.m_strSeparator.clear();
    e.Measure(dc);
    EXPECT_EQ(e.m_rect, CRect(100, -100, 100, -100));
}

// A board x or y in pixels at the tests' resolution, rounded as the context rounds.
int Px(int units)
{
    CMemoryDC dc(1, 1, kDpi);
    return dc.LPtoDP({units, 0}).x;
}

// Grey pixels in a column of the image, between two rows.
int GreyIn(const QImage& image, int x, int y0, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        n += image.pixel(x, y) == qRgb(128, 128, 128);
    return n;
}

TEST_F(TableFixture, GridHasThickLinesAfterTheHeadersOnly)
{
    CTabel& t = Table(u"Kop#A#B#1#2#3"_qs, 2, 3, false, true, true);
    const QImage image = Render(400, 200, [&](CDC& dc) { t.Draw(dc); });
    // Column lines: the first thick (6 units, 2 pixels), the second thin (1 pixel).
    const auto px = Px;
    int x0 = 100 + t.m_columnWidths[0];
    int x1 = x0 + t.m_columnWidths[1];
    int thick = 0;
    int thin = 0;
    const int midRow = px(100 + t.m_rowHeights[0] / 2);
    for (int x = px(x0) - 3; x <= px(x0) + 3; ++x)
        thick += image.pixel(x, midRow) == qRgb(128, 128, 128);
    for (int x = px(x1) - 3; x <= px(x1) + 3; ++x)
        thin += image.pixel(x, midRow) == qRgb(128, 128, 128);
    EXPECT_GE(thick, 2);
    EXPECT_EQ(thin, 1);
    // The last column and the last row get no line: only the border there.
    EXPECT_EQ(GreyIn(image, px(x1 + t.m_columnWidths[2]) - 1, px(100) + 1,
                     px(100 + t.m_rowHeights[0]) - 3), 0);

    // One row with the column header set: no row line at all.
    CTabel& one = Table(u"a#b"_qs, 1, 2, false, false, true);
    const QImage single = Render(400, 200, [&](CDC& dc) { one.Draw(dc); });
    const int y = px(100 + one.m_rowHeights[0] / 2);
    const int inside = px(100 + one.m_columnWidths[0] / 2);
    EXPECT_EQ(GreyIn(single, inside, px(100) + 1, px(100 + one.m_rowHeights[0]) - 1), 0);
    EXPECT_EQ(GreyIn(single, px(100 + one.m_columnWidths[0]), y - 2, y + 2), 4); // the thin column line
}

TEST_F(TableFixture, CellLinesAreCentredInTheirColumn)
{
    CTabel& t = Table(u"xx#b\nc"_qs, 1, 2, true, false, false);
    const QImage drawn = Render(400, 200, [&](CDC& dc) {
        t.Draw(dc);
    });
    const QImage expected = Render(400, 200, [&](CDC& dc) {
        const int x0 = 100 + t.m_columnWidths[0];
        const int x1 = x0 + t.m_columnWidths[1];
        dc.SelectObject(CPen::White());
        dc.SelectObject(CBrush::Hollow());
        dc.SetROP2(R2_XORPEN);
        dc.Rectangle(t.m_rect);
        dc.SetROP2(R2_COPYPEN);
        dc.SelectObject(CPen::Solid(1, RGB(128, 128, 128)));
        dc.MoveTo(x0, -100);
        dc.LineTo(x0, t.m_rect.bottom + 1);
        dc.SelectObject(CFont::Label(56));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextAlign(TA_TOP | TA_CENTER);
        const int half = dc.GetTextExtent(u"Q"_qs).cy / 2;
        dc.TextOut((100 + x0) / 2, -105 - half, u"xx"_qs);
        dc.TextOut((x0 + x1) / 2, -105 - half, u"b"_qs);
        dc.TextOut((x0 + x1) / 2, -105 - dc.GetTextExtent(u"b"_qs).cy - half, u"c"_qs);
    });
    EXPECT_EQ(drawn, expected);
}

TEST_F(TableFixture, ScreenInvertsTheBorderAndPaperGetsABlackOne)
{
    CTabel& t = Table(u"a"_qs, 1, 1, false, false, false);
    const QRgb black = qRgb(0, 0, 0);
    const QImage screen = Render(200, 200, [&](CDC& dc) { t.Draw(dc); }, black);
    QImage paper(200, 200, QImage::Format_RGB32);
    paper.fill(black);
    {
        QPainter painter(&paper);
        CDC dc(painter, kDpi, true);
        t.Draw(dc);
    }
    const int left = Px(100);
    const int midY = Px(100 + (t.m_rect.top - t.m_rect.bottom) / 2);
    EXPECT_EQ(screen.pixel(left, midY), qRgb(255, 255, 255)); // black inverted
    EXPECT_EQ(paper.pixel(left, midY), black);
    EXPECT_EQ(paper.pixel(left + 4, midY), black);
}

TEST_F(TableFixture, PlacingMovesTheOutlineAndIgnoresPointsOffTheBoard)
{
    CTabel& t = Table(u"a"_qs, 1, 1, false, false, false);
    t.m_rect = CRect(300, -300, 400, -350);
    QImage image(10, 10, QImage::Format_RGB32);
    CDC dc(image, kDpi);
    t.PlaceAt(dc, 0, -100);
    EXPECT_EQ(t.m_rect, CRect(300, -300, 400, -350));
    t.PlaceAt(dc, 120, -90);
    EXPECT_EQ(t.m_rect, CRect(120, -90, 220, -140)); // tables do not snap
    EXPECT_TRUE(t.HitTest({119, -141}));
    EXPECT_FALSE(t.HitTest({118, -100}));
}

// ---------------------------------------------------------------------------------
// The dialog

QLineEdit& Edit(QDialog& d, int id)
{
    return *d.findChild<QLineEdit*>(QStringLiteral("edit%1").arg(id));
}
void Press(QDialog& d, int id)
{
    d.findChild<QPushButton*>(QStringLiteral("button%1").arg(id))->click();
}

TEST(TableDialog, RefusesColumnsAndRowsOutsideTheirRanges)
{
    struct Case {
        const char* name;
        QString columns;
        QString rows;
        QString message;
    } cases[] = {
        {"letters", u"drie"_qs, u"3"_qs, u"Please enter an integer."_qs},
        {"too many columns", u"6"_qs, u"3"_qs, u"Please enter an integer between 1 and 5."_qs},
        {"no rows", u"3"_qs, u"0"_qs, u"Please enter an integer between 1 and 10."_qs},
        {"too many rows", u"3"_qs, u"11"_qs, u"Please enter an integer between 1 and 10."_qs},
    };
    for (const Case& c : cases) {
        CTableDlg dialog;
        ScriptedModals user;
        bool stayedOpen = false;
        user.Then([&](QDialog& d) {
            Edit(d, CTableDlg::ID_COLUMNS).setText(c.columns);
            Edit(d, CTableDlg::ID_ROWS).setText(c.rows);
            Press(d, CTableDlg::ID_OK); // refused: a message, and the dialog goes on
            stayedOpen = d.result() == 0;
            Press(d, CTableDlg::ID_ANNULEER);
            return d.result();
        });
        user.Answer(1); // the message
        EXPECT_EQ(dialog.Run(), CTableDlg::ID_ANNULEER) << c.name;
        EXPECT_TRUE(stayedOpen) << c.name;
        ASSERT_EQ(user.Texts().size(), 2) << c.name;
        EXPECT_EQ(user.Texts()[1], QStringList{c.message}) << c.name;
    }
}

TEST(TableDialog, StartsWithTheNewTableAndTakesEverythingOnOk)
{
    CTableDlg dialog;
    ScriptedModals user;
    user.Then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"Aanmaak tabel"_qs);
        EXPECT_EQ(Edit(d, CTableDlg::ID_COLUMNS).text(), u"3"_qs);
        EXPECT_EQ(Edit(d, CTableDlg::ID_ROWS).text(), u"3"_qs);
        EXPECT_EQ(Edit(d, CTableDlg::ID_SEPARATOR).text(), u"#"_qs);
        for (int id : {CTableDlg::ID_HEADER, CTableDlg::ID_ROW_HEADER, CTableDlg::ID_FIXED})
            EXPECT_TRUE(d.findChild<QCheckBox*>(QStringLiteral("check%1").arg(id))->isChecked());
        auto& data = *d.findChild<QPlainTextEdit*>(u"edit1021"_qs);
        data.setPlainText(u"Tijd;Spanning\nin s;in V"_qs);
        Edit(d, CTableDlg::ID_COLUMNS).setText(u"2"_qs);
        Edit(d, CTableDlg::ID_ROWS).setText(u" 4 "_qs);
        Edit(d, CTableDlg::ID_SEPARATOR).setText(u";"_qs);
        d.findChild<QCheckBox*>(u"check1052"_qs)->setChecked(false);
        Press(d, CTableDlg::ID_OK);
        return d.result();
    });
    EXPECT_EQ(dialog.Run(), CTableDlg::ID_OK);
    const CTableContents& c = dialog.m_contents;
    EXPECT_EQ(c.data, u"Tijd;Spanning\r\nin s;in V"_qs);
    EXPECT_EQ(c.separator, u";"_qs);
    EXPECT_EQ(c.columns, 2);
    EXPECT_EQ(c.rows, 4);
    EXPECT_EQ(c.fixed, 0);
    EXPECT_EQ(c.rowHeader, 1);
    EXPECT_EQ(c.columnHeader, 1);
}

} // namespace
