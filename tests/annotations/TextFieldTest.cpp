// Drawing a text field: segments in their fonts with the x shifts after attributes,
// the rectangle's finish, the title box, placing with the left-margin snap.
#include "AnnotationTestSupport.h"
#include "annotations/RtfWriter.h"
#include "annotations/TextField.h"

#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>

namespace {

const QString kHead = QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 MS Sans Serif;}}{\\colortbl ;}\r\n");

// A stored text around a body: as our writer lays it out.
QString Stored(const QString& body)
{
    return kHead + body + QStringLiteral("\r\n}");
}

CFont Segment(int weight, bool italic = false, bool underline = false)
{
    CFont f = CFont::Label(44);
    f.weight = weight;
    f.italic = italic;
    f.underline = underline;
    return f;
}

struct Piece {
    CFont font;
    QString text;
    int shiftBefore = 0; // added to x before the piece
};

// What the field should draw: pieces side by side from (x, y), in copy mode.
QImage Expected(int x, int y, const std::vector<Piece>& pieces)
{
    return Render(600, 120, [&](CDC& dc) {
        dc.SetBkMode(TRANSPARENT);
        int at = x;
        for (const Piece& p : pieces) {
            at += p.shiftBefore;
            dc.SelectObject(p.font);
            dc.TextOut(at, y, p.text);
            at += dc.GetTextExtent(p.text).cx;
        }
    });
}

QImage Drawn(CTextField& field)
{
    return Render(600, 120, [&](CDC& dc) { field.Draw(dc); });
}

std::unique_ptr<CTextField> Field(const QString& body, int x = 100, int y = -40, int frame = 0)
{
    auto field = std::make_unique<CTextField>();
    field->SetText(Stored(body), frame);
    field->m_rect = CRect(x, y, x, y);
    return field;
}

TEST(TextFieldDrawing, SegmentsTakeTheirFontsAndShiftAfterAttributes)
{
    const CFont plain = Segment(400);
    struct Case {
        const char* name;
        QString body;
        std::vector<Piece> pieces;
    } cases[] = {
        {"bold then plain: 5 to the right", u"\\plain Ab\\b cd\\plain ef"_qs,
         {{plain, u"Ab"_qs}, {Segment(700), u"cd"_qs}, {plain, u"ef"_qs, 5}}},
        {"italic then plain: 14", u"\\plain x\\i yy\\plain z"_qs,
         {{plain, u"x"_qs}, {Segment(400, true), u"yy"_qs}, {plain, u"z"_qs, 14}}},
        {"both: 19, and b0 ends every attribute", u"\\plain \\b\\i\\u bi\\b0 q"_qs,
         {{Segment(700, true, true), u"bi"_qs}, {plain, u"q"_qs, 19}}},
        {"i0 ends bold as well", u"\\plain \\b w\\i0 v"_qs, {{Segment(700), u"w"_qs}, {plain, u"v"_qs, 5}}},
        {"a one-character text before a code", u"\\plain a\\b b"_qs, {{plain, u"a"_qs}, {Segment(700), u"b"_qs}}},
        {"a code at the end is consumed", u"\\plain end\\b "_qs, {{plain, u"end"_qs}}},
    };
    for (Case& c : cases) {
        auto field = Field(c.body);
        EXPECT_EQ(Drawn(*field), Expected(100, -40, c.pieces)) << c.name;
    }
}

TEST(TextFieldDrawing, TextBeforeAnyCodeUsesTheStartingFont)
{
    CFont start;
    start.height = 44;
    auto field = Field(u"Ab"_qs);
    EXPECT_EQ(Drawn(*field), Expected(100, -40, {{start, u"Ab"_qs}}));
}

TEST(TextFieldDrawing, LinesGoDown52AndTheRectangleGrowsToTheText)
{
    auto field = Field(u"\\plain een\\par \r\n  twee\\par \r\n"_qs, 100, -40);
    const QImage drawn = Drawn(*field);
    // The second line lost one of its two leading blanks.
    int widthOne = 0;
    int widthTwo = 0;
    const QImage expected = Render(600, 120, [&](CDC& dc) {
        dc.SetBkMode(TRANSPARENT);
        dc.SelectObject(Segment(400));
        dc.TextOut(100, -40, u"een"_qs);
        widthOne = dc.GetTextExtent(u"een"_qs).cx;
        dc.TextOut(100, -92, u" twee"_qs);
        widthTwo = dc.GetTextExtent(u" twee"_qs).cx;
    });
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(field->m_rect, CRect(100, -40, 100 + std::max(widthOne, widthTwo), -40 - 104));
}

TEST(TextFieldDrawing, RectangleFinish)
{
    // Nothing drawn: the widest x stays 0.
    auto empty = Field(QString(), 300, -200);
    Drawn(*empty);
    EXPECT_EQ(empty->m_rect, CRect(300, -200, 0, -200));

    // A title box: from 125 to 1900, a single line gets 104 more, the left edge moves to 130.
    auto title = Field(u"\\plain Titel\\par \r\n"_qs, 300, -20, -1);
    title->m_rect = CRect(300, -20, 900, -72);
    QImage image(800, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        CDC dc(image, kDpi);
        title->Draw(dc);
    }
    EXPECT_EQ(title->m_rect, CRect(130, -20, 1900, -176));
    const int left = 125 * kDpi / 254;  // 47
    const int right = 1900 * kDpi / 254; // 718
    const int top = 20 * kDpi / 254;
    EXPECT_EQ(image.pixel(left, top + 10), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(right - 1, top + 10), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(left + 1, top + 10), qRgb(255, 255, 255));
    // Drawn again: the box is now 156 deep and stays so.
    {
        CDC dc(image, kDpi);
        title->Draw(dc);
    }
    EXPECT_EQ(title->m_rect, CRect(130, -20, 1900, -176));
}

TEST(TextFieldDrawing, FrameIsAnInvertedOutlineOfTheText)
{
    auto framed = Field(u"\\plain Omkaderd\\par \r\n"_qs, 100, -40, 1);
    const QImage drawn = Render(600, 120, [&](CDC& dc) { framed->Draw(dc); });
    auto bare = Field(u"\\plain Omkaderd\\par \r\n"_qs, 100, -40, 0);
    const QImage plain = Render(600, 120, [&](CDC& dc) {
        bare->Draw(dc);
        bare->DrawOutline(dc, false);
    });
    EXPECT_EQ(drawn, plain);
    EXPECT_NE(drawn, Render(600, 120, [&](CDC& dc) { bare->Draw(dc); }));
}

TEST(TextFieldDrawing, HighEscapesAreDrawnAsTheirCharactersAndStoredSo)
{
    auto field = Field(u"\\plain caf\\'e9 \\'9f"_qs);
    const QImage drawn = Drawn(*field);
    EXPECT_TRUE(field->m_strText.contains(u"caf\u00e9"_qs));
    EXPECT_TRUE(field->m_strText.contains(u"\\'9f"_qs));
    EXPECT_EQ(drawn, Expected(100, -40, {{Segment(400), u"caf\u00e9 "_qs}}));
}

TEST(TextFieldPlacing, SnapsToTheLeftMarginAndIgnoresPointsOffTheBoard)
{
    struct Case {
        CPoint to;
        CRect expected;
    } cases[] = {
        {{140, -300}, {130, -300, 230, -352}}, // within 30 of x = 130
        {{101, -300}, {130, -300, 230, -352}},
        {{100, -300}, {100, -300, 200, -352}}, // 130 - 30 is not within
        {{160, -300}, {160, -300, 260, -352}},
        {{0, -300}, {500, -500, 600, -552}},   // x <= 0: not placed
        {{300, 0}, {500, -500, 600, -552}},    // y >= 0: not placed
    };
    for (const Case& c : cases) {
        CTextField field;
        field.m_rect = CRect(500, -500, 600, -552);
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(Qt::white);
        CDC dc(image, kDpi);
        field.PlaceAt(dc, c.to.x, c.to.y, 30);
        EXPECT_EQ(field.m_rect, c.expected) << c.to.x << ',' << c.to.y;
    }
}

TEST(TextFieldPlacing, OutlineMovesAlongAndTheHitTestGrowsByOne)
{
    CTextField field;
    field.m_rect = CRect(500, -500, 700, -600);
    const QImage before = Render(400, 300, [&](CDC& dc) { field.DrawOutline(dc, false); });
    const QImage after = Render(400, 300, [&](CDC& dc) {
        field.DrawOutline(dc, false);
        field.PlaceAt(dc, 300, -200, 30);
    });
    CTextField moved;
    moved.m_rect = CRect(300, -200, 500, -300);
    EXPECT_EQ(after, Render(400, 300, [&](CDC& dc) { moved.DrawOutline(dc, false); }));
    EXPECT_NE(before, after);

    EXPECT_TRUE(moved.HitTest({299, -200}));
    EXPECT_TRUE(moved.HitTest({501, -301}));
    EXPECT_FALSE(moved.HitTest({298, -250}));
    EXPECT_FALSE(moved.HitTest({400, -302}));
}

TEST(TextFieldDrawing, WhatTheWriterStoresDrawsAsFormatted)
{
    // "Let op: " plain, "vet" bold, " en " plain, "schuin" italic, on two lines.
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat plain, bold, italic;
    bold.setFontWeight(QFont::Bold);
    italic.setFontItalic(true);
    cursor.insertText(u"Let op: "_qs, plain);
    cursor.insertText(u"vet"_qs, bold);
    cursor.insertText(u" en"_qs, plain);
    cursor.insertBlock();
    cursor.insertText(u"schuin"_qs, italic);
    CTextField field;
    field.SetText(WriteBoardRtf(document), 0);
    field.m_rect = CRect(100, -40, 100, -40);
    const QImage drawn = Drawn(field);
    const QImage expected = Render(600, 120, [&](CDC& dc) {
        dc.SetBkMode(TRANSPARENT);
        int x = 100;
        for (const Piece& p : std::vector<Piece>{{Segment(400), u"Let op: "_qs},
                                                 {Segment(700), u"vet"_qs},
                                                 {Segment(400), u" en"_qs, 5}}) {
            x += p.shiftBefore;
            dc.SelectObject(p.font);
            dc.TextOut(x, -40, p.text);
            x += dc.GetTextExtent(p.text).cx;
        }
        dc.SelectObject(Segment(400, true));
        dc.TextOut(100, -92, u"schuin"_qs);
    });
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(field.m_rect.bottom, -40 - 104);
}

} // namespace
