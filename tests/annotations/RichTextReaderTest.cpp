// The board's reader of stored rich text, step by step.
#include "annotations/RichTextReader.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    QString in;
    QString out;
};

std::ostream& operator<<(std::ostream& os, const Case& c) { return os << c.name; }

TEST(RichTextReader, DecodesOnlyLowerCaseEscapesOfHighCodes)
{
    const Case cases[] = {
        {"e acute", u"caf\\'e9 au lait"_qs, u"caf\u00e9 au lait"_qs},
        {"three in a row", u"\\'e9\\'eb\\'ef"_qs, u"\u00e9\u00eb\u00ef"_qs},
        {"first and last code", u"\\'a0\\'ff"_qs, u"\u00a0\u00ff"_qs},
        {"below 160 stays", u"\\'9f \\'80"_qs, u"\\'9f \\'80"_qs},
        {"upper-case digits stay", u"\\'E9"_qs, u"\\'E9"_qs},
        {"cut off at the end", u"ab\\'e"_qs, u"ab\\'e"_qs},
        {"escape after a backslash", u"\\\\'e9"_qs, u"\\\u00e9"_qs},
    };
    for (const Case& c : cases) {
        QString text = c.in;
        EXPECT_EQ(DecodeHighCharacters(text), c.in != c.out) << c;
        EXPECT_EQ(text, c.out) << c;
    }
}

TEST(RichTextReader, BodyLiesBetweenTheLastTwoClosingBraces)
{
    const Case cases[] = {
        {"five characters draw nothing", u"{ab}}"_qs, QString()},
        {"usual layout", u"{\\rtf1{\\colortbl ;}\r\nHallo\\par \r\n\r\n}"_qs, u"Hallo\\par \r\n\r\n"_qs},
        {"one brace counts from the front", u"abcdefg}"_qs, u"defg"_qs},
        {"escaped braces do not count", u"x}\r\nab\\}cd}"_qs, u"ab\\}cd"_qs},
        {"no closing brace", u"{\\rtf1 no end"_qs, QString()},
        {"braces too close", u"abcd}}"_qs, QString()},
        {"brace at the very front", u"}\r\nabc}"_qs, u"abc"_qs},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextBody(c.in), c.out) << c;
}

TEST(RichTextReader, TranslatesTheKnownControlWords)
{
    // Every body ends with one character that the reader leaves out.
    const Case cases[] = {
        {"plain text", u"abc\n"_qs, u"abc"_qs},
        {"tab, carriage return", u"a\tb\r\nc\n"_qs, u"a b\nc"_qs},
        {"bold on and off", u"\\b vet\\b0 niet\n"_qs, u"\\bvet\\pniet"_qs},
        {"on by 1 swallows up to a blank", u"\\i1x y\n"_qs, u"\\iy"_qs},
        {"words in a row", u"\\b\\i\\u z\n"_qs, u"\\b\\i\\uz"_qs},
        {"two-letter underline is skipped", u"\\ul onder\\ulnone  x\n"_qs, u"onder x"_qs},
        {"unknown letter after b", u"\\bx y\n"_qs, u"y"_qs},
        {"font number and a blank", u"\\f0 Hi\n"_qs, u"Hi"_qs},
        {"font number without a blank", u"\\f12Hi\n"_qs, u"Hi"_qs},
        {"font size word", u"\\fs20 a\n"_qs, u"a"_qs},
        {"plain", u"\\plain z\n"_qs, u"\\pz"_qs},
        {"par keeps the line break", u"een\\par \r\ntwee\n"_qs, u"een\ntwee"_qs},
        {"par without a blank swallows the next word", u"een\\par\r\ntwee drie\n"_qs, u"eendrie"_qs},
        {"pard then plain", u"\\pard\\plain q\n"_qs, u"\\pq"_qs},
        {"escape of a low code is skipped", u"\\'80 euro\n"_qs, u"euro"_qs},
        {"lone backslash at the end", u"ab\\\n"_qs, u"ab"_qs},
        {"code that ends the body", u"ab\\b\n"_qs, u"ab"_qs},
        {"font digits up to the end", u"x\\f123\n"_qs, u"x"_qs},
        {"braces are plain characters", u"{a}\n"_qs, u"{a}"_qs},
        {"empty body", QString(), QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DisplayString(c.in), c.out) << c;
}

TEST(RichTextReader, StaysLinearOnHostileText)
{
    // Quadratic reading would not finish these in any reasonable time.
    const qsizetype megabyte = 1 << 20;
    const QString texts[] = {
        QString(megabyte, u'\\'),
        QString(megabyte, u'}'),
        QString(megabyte, u'{'),
        QStringLiteral("\\b ").repeated(megabyte / 3),
        QStringLiteral("\\'e9").repeated(megabyte / 4),
        QStringLiteral("\\f").repeated(megabyte / 2),
        QStringLiteral("x}").repeated(megabyte / 2),
    };
    for (const QString& text : texts) {
        QString copy = text;
        DecodeHighCharacters(copy);
        const QString body = TextBody(copy);
        const QString display = DisplayString(body);
        EXPECT_LE(display.size(), body.size());
    }
}

} // namespace
