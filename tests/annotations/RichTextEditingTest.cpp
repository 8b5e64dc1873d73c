// Our rich-text writer and reader around the text dialog, and the dialog itself.
#include "annotations/RichTextReader.h"
#include "annotations/RtfReader.h"
#include "annotations/RtfWriter.h"
#include "annotations/TextDlg.h"
#include "support/ScriptedModals.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

const QString kHeader = QStringLiteral(
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss MS Sans Serif;}}{\\colortbl ;\\red0\\green0\\blue0;}\r\n");

enum : int { B = 1, I = 2, U = 4 };

struct Span {
    QString text;
    int attributes = 0;
};

// A document of lines, each a list of spans.
void Fill(QTextDocument& document, const std::vector<std::vector<Span>>& lines)
{
    QTextCursor cursor(&document);
    for (std::size_t l = 0; l < lines.size(); ++l) {
        if (l > 0)
            cursor.insertBlock();
        for (const Span& s : lines[l]) {
            QTextCharFormat f;
            f.setFontWeight(s.attributes & B ? QFont::Bold : QFont::Normal);
            f.setFontItalic(s.attributes & I);
            f.setFontUnderline(s.attributes & U);
            cursor.insertText(s.text, f);
        }
    }
}

// Each line as text with the attributes of every character: "a[B]" style marks.
QStringList Describe(const QTextDocument& document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString line;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            QString marks;
            if (f.fontWeight() > QFont::Normal) marks += u'B';
            if (f.fontItalic()) marks += u'I';
            if (f.fontUnderline()) marks += u'U';
            line += it.fragment().text() + (marks.isEmpty() ? QString() : u'[' + marks + u']');
        }
        lines << line;
    }
    return lines;
}

TEST(RtfWriter, EmitsOnlyWhatTheBoardReaderShows)
{
    struct Case {
        const char* name;
        std::vector<std::vector<Span>> lines;
        QString body;
    } cases[] = {
        {"one plain line", {{{u"Hallo"_qs}}}, u"\\plain Hallo\\par \r\n"_qs},
        {"attributes switch on and off through plain",
         {{{u"a"_qs}, {u"b"_qs, B}, {u"c"_qs, B | I}, {u"d"_qs, I}, {u"e"_qs, I | U}, {u"f"_qs}}},
         u"\\plain a\\b b\\i c\\plain \\i d\\u e\\plain f\\par \r\n"_qs},
        {"attributes carry over lines", {{{u"x"_qs, B}}, {{u"y"_qs, B}}},
         u"\\plain \\b x\\par \r\ny\\par \r\n"_qs},
        {"a blank at a line's start is kept by a control word", {{{u"a"_qs}}, {{u"  b"_qs}}, {{u" c"_qs, U}}, {{u" d"_qs, U}}},
         u"\\plain a\\par \r\n\\plain   b\\par \r\n\\u  c\\par \r\n\\u  d\\par \r\n"_qs},
        {"a tab at a line's start is stored as a blank, kept the same way",
         {{{u"a"_qs}}, {{u"\tb"_qs}}}, u"\\plain a\\par \r\n\\plain  b\\par \r\n"_qs},
        // A switch-off at a line's front would shift that line right when drawn.
        {"attributes that end with a line end before its line end",
         {{{u"Titel"_qs, B}}, {{u"x"_qs}}, {{u"y"_qs, I}}, {}, {{u"z"_qs, U}}},
         u"\\plain \\b Titel\\plain\\par \r\nx\\par \r\n\\i y\\plain\\par \r\n\\par \r\n\\u z\\par \r\n"_qs},
        {"empty lines", {{{u"a"_qs}}, {}, {{u"b"_qs}}}, u"\\plain a\\par \r\n\\par \r\nb\\par \r\n"_qs},
        {"code page letters", {{{u"\u00e9\u00eb\u00ef \u20ac\u2013\u201c"_qs}}},
         u"\\plain \\'e9\\'eb\\'ef \u20ac\u2013\u201c\\par \r\n"_qs},
        {"what the reader cannot show", {{{u"a\\b{c}\td\u4e2d"_qs}}}, u"\\plain a/b(c) d?\\par \r\n"_qs},
    };
    for (const Case& c : cases) {
        QTextDocument document;
        Fill(document, c.lines);
        EXPECT_EQ(WriteBoardRtf(document), kHeader + c.body + u"\r\n}"_qs) << c.name;
    }
    QTextDocument empty;
    EXPECT_EQ(WriteBoardRtf(empty), kHeader + u"\r\n}"_qs);
}

TEST(RtfWriter, TheBoardReaderFindsTheBodyAndKeepsEveryCharacter)
{
    QTextDocument document;
    Fill(document, {{{u"Caf\u00e9 "_qs}, {u"na\u00efef"_qs, B}}, {{u" \u00a0\u00ff\u20ac"_qs, I}}});
    QString stored = WriteBoardRtf(document);
    EXPECT_TRUE(TextBody(stored).startsWith(u"\\plain "_qs));
    DecodeHighCharacters(stored);
    EXPECT_EQ(DisplayString(TextBody(stored)),
              u"\\pCaf\u00e9 \\bna\u00efef\\p\n\\i \u00a0\u00ff\u20ac\n"_qs);
}

TEST(RtfReader, ReadsOurTextBackWithItsAttributes)
{
    const std::vector<std::vector<Span>> lines = {
        {{u"Lees "_qs}, {u"goed"_qs, B | U}, {u": "_qs}, {u"\u00e9\u00eb\u00ef"_qs, I}},
        {},
        {{u"  inspringen"_qs, B}},
    };
    QTextDocument written;
    Fill(written, lines);
    const QString stored = WriteBoardRtf(written);
    QTextDocument read;
    ReadRtfInto(stored, read);
    EXPECT_EQ(Describe(read), Describe(written));
    EXPECT_EQ(WriteBoardRtf(read), stored);

    // Also once the board has decoded the escapes in the stored text.
    QString decoded = stored;
    ASSERT_TRUE(DecodeHighCharacters(decoded));
    QTextDocument again;
    ReadRtfInto(decoded, again);
    EXPECT_EQ(Describe(again), Describe(written));
}

TEST(RtfReader, ReadsTheUsualWordsOfOtherRichText)
{
    const QString foreign = QStringLiteral(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;}{\\*\\generator Iets;}\r\n"
        "\\viewkind4\\uc1\\pard\\f0\\fs20 Hallo \\b vet\\b0  en \\ul onder\\ulnone\\par\r\n"
        "{\\i schuin} \\'e9\\u8364?\\tab x \\{\\}\\\\\\par\r\n}\r\n");
    QTextDocument document;
    ReadRtfInto(foreign, document);
    EXPECT_EQ(Describe(document), (QStringList{u"Hallo vet[B] en onder[U]"_qs,
                                               u"schuin[I] \u00e9\u20ac x {}\\"_qs}));
}

TEST(RtfReader, LeavesControlCharactersOut)
{
    // A damaged file's control characters would go into the editor, be stored again,
    // and never show.
    QTextDocument document;
    ReadRtfInto(u"a"_qs + QChar(1) + u"b"_qs + QChar(0) + u"c\\u1?d\\u9?e"_qs, document);
    EXPECT_EQ(Describe(document), QStringList{u"abcd\te"_qs});
}

TEST(RtfReader, SurvivesHostileText)
{
    const QString texts[] = {
        QString(1 << 20, u'{'),     QString(1 << 20, u'}'),     QString(1 << 20, u'\\'),
        u"{\\rtf1 abc\\"_qs,        u"\\'"_qs,                  u"\\u-99999999999999 x"_qs,
        u"}}}{\\b a"_qs,            QStringLiteral("\\par ").repeated(100000),
    };
    for (const QString& text : texts) {
        QTextDocument document;
        ReadRtfInto(text, document);
        EXPECT_LE(document.characterCount(), text.size() + 1);
    }
}

// ---------------------------------------------------------------------------------
// The dialog

QPushButton& Button(QDialog& d, int id)
{
    return *d.findChild<QPushButton*>(QStringLiteral("button%1").arg(id));
}

TEST(TextDialog, AttributesFlipWhenUniformAndSwitchOnWhenMixed)
{
    CTextDlg dialog;
    QTextDocument start;
    Fill(start, {{{u"een "_qs}, {u"twee"_qs, B}, {u" drie"_qs}}});
    dialog.m_strText = WriteBoardRtf(start);
    dialog.m_nFrame = 0;
    QStringList seen;
    ScriptedModals user;
    user.Then([&](QDialog& d) {
        auto& edit = *d.findChild<QTextEdit*>(u"edit1021"_qs);
        EXPECT_EQ(edit.textCursor().selectedText().size(), edit.toPlainText().size()); // all selected
        EXPECT_FALSE(d.findChild<QCheckBox*>(u"check1051"_qs)->isChecked());
        Button(d, CTextDlg::ID_BOLD).click(); // mixed: everything bold
        seen << Describe(*edit.document()).join(u'|');
        Button(d, CTextDlg::ID_BOLD).click(); // uniform: flipped off
        seen << Describe(*edit.document()).join(u'|');
        QTextCursor c = edit.textCursor();
        c.setPosition(4);
        c.setPosition(8, QTextCursor::KeepAnchor);
        edit.setTextCursor(c);
        Button(d, CTextDlg::ID_UNDERLINE).click();
        Button(d, CTextDlg::ID_ITALICS).click();
        seen << Describe(*edit.document()).join(u'|');
        d.findChild<QCheckBox*>(u"check1051"_qs)->setChecked(true);
        Button(d, CTextDlg::ID_OK).click();
        return d.result();
    });
    EXPECT_EQ(dialog.Run(), CTextDlg::ID_OK);
    EXPECT_EQ(seen, (QStringList{u"een twee drie[B]"_qs, u"een twee drie"_qs,
                                 u"een twee[IU] drie"_qs}));
    EXPECT_EQ(dialog.m_nFrame, 1);
    EXPECT_EQ(dialog.m_strText, kHeader + u"\\plain een \\i \\u twee\\plain  drie\\par \r\n\r\n}"_qs);
    EXPECT_EQ(dialog.windowTitle(), u"Aanmaak worksheet"_qs);
}

TEST(TextDialog, LeegWisAndAnnuleer)
{
    CTextDlg dialog;
    QTextDocument start;
    Fill(start, {{{u"weg"_qs, B}}});
    const QString stored = WriteBoardRtf(start);
    dialog.m_strText = stored;
    ScriptedModals user;
    user.Then([](QDialog& d) {
        Button(d, CTextDlg::ID_LEEG).click();
        EXPECT_TRUE(d.findChild<QTextEdit*>(u"edit1021"_qs)->toPlainText().isEmpty());
        Button(d, CTextDlg::ID_ANNULEER).click();
        return d.result();
    });
    user.Then([](QDialog& d) {
        Button(d, CTextDlg::ID_WIS).click();
        return d.result();
    });
    EXPECT_EQ(dialog.Run(), CTextDlg::ID_ANNULEER);
    EXPECT_EQ(dialog.m_strText, stored); // nothing taken over
    EXPECT_EQ(dialog.Run(), CTextDlg::ID_WIS);
}

TEST(TextDialog, TitleBoxStaysATitleBoxWhileCheckedAndStreamsItsText)
{
    CTextDlg dialog;
    dialog.m_strText = u"{\\rtf1{\\fonttbl{\\f0 X;}}{\\colortbl ;}\r\n\\plain \\b Titel\\par \r\n\r\n}"_qs;
    dialog.m_nFrame = -1;
    ScriptedModals user;
    user.Then([](QDialog& d) {
        EXPECT_EQ(Describe(*d.findChild<QTextEdit*>(u"edit1021"_qs)->document()),
                  QStringList{u"Titel[B]"_qs});
        EXPECT_TRUE(d.findChild<QCheckBox*>(u"check1051"_qs)->isChecked());
        Button(d, CTextDlg::ID_OK).click();
        return d.result();
    });
    user.Then([](QDialog& d) {
        d.findChild<QCheckBox*>(u"check1051"_qs)->setChecked(false);
        Button(d, CTextDlg::ID_OK).click();
        return d.result();
    });
    EXPECT_EQ(dialog.Run(), CTextDlg::ID_OK);
    EXPECT_EQ(dialog.m_nFrame, -1);
    EXPECT_EQ(dialog.Run(), CTextDlg::ID_OK);
    EXPECT_EQ(dialog.m_nFrame, 0);
}

} // namespace
