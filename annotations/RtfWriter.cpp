#include "RtfWriter.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

namespace {

const QString kHeader = QStringLiteral(
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss MS Sans Serif;}}"
    "{\\colortbl ;\\red0\\green0\\blue0;}\r\n");
const QString kLineEnd = QStringLiteral("\\par \r\n");
const QString kTail = QStringLiteral("\r\n}");

struct Attributes {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const Attributes&) const = default;
    bool Any() const { return bold || italic || underline; }
};

Attributes AttributesOf(const QTextCharFormat& format)
{
    return {format.fontWeight() > QFont::Normal, format.fontItalic(), format.fontUnderline()};
}

QString OnWords(const Attributes& a)
{
    QString words;
    if (a.bold)
        words += QStringLiteral("\\b ");
    if (a.italic)
        words += QStringLiteral("\\i ");
    if (a.underline)
        words += QStringLiteral("\\u ");
    return words;
}

bool NeedsSwitchOff(const Attributes& now, const Attributes& next)
{
    return (now.bold && !next.bold) || (now.italic && !next.italic) ||
           (now.underline && !next.underline);
}

// The control words that take the attributes from 'now' to 'next'.
QString Switch(const Attributes& now, const Attributes& next)
{
    if (NeedsSwitchOff(now, next))
        return QStringLiteral("\\plain ") + OnWords(next);
    return OnWords({next.bold && !now.bold, next.italic && !now.italic,
                    next.underline && !now.underline});
}

// The code page byte of a character, or -1 when the code page has none.
int CodePageByte(QChar c)
{
    if (c.unicode() < 0x80)
        return c.unicode();
    if (c.unicode() >= 0xA0 && c.unicode() <= 0xFF)
        return c.unicode();
    QStringEncoder encode("windows-1252");
    const QByteArray bytes = encode(QString(c));
    if (encode.hasError() || bytes.size() != 1)
        return -1;
    const int byte = static_cast<unsigned char>(bytes[0]);
    // The encoder answers '?' for what it cannot map.
    return byte == '?' ? -1 : byte;
}

// One line of the editor's text with its runs of attributes.
struct Run {
    QString text;
    Attributes attributes;
};

std::vector<std::vector<Run>> LinesOf(const QTextDocument& document)
{
    std::vector<std::vector<Run>> lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        lines.emplace_back();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const Attributes a = AttributesOf(fragment.charFormat());
            // A soft line break (Shift+Return) inside a paragraph starts a new line too.
            const QStringList parts = fragment.text().split(QChar::LineSeparator);
            for (qsizetype p = 0; p < parts.size(); ++p) {
                if (p > 0)
                    lines.emplace_back();
                if (!parts[p].isEmpty())
                    lines.back().push_back({parts[p], a});
            }
        }
    }
    return lines;
}

// The attributes of the first text at or after line 'from'; plain when none follows.
Attributes FirstAttributesFrom(const std::vector<std::vector<Run>>& lines, std::size_t from)
{
    for (std::size_t l = from; l < lines.size(); ++l)
        if (!lines[l].empty())
            return lines[l].front().attributes;
    return {};
}

} // namespace

QString StoredCharacter(QChar c)
{
    switch (c.unicode()) {
    case u'\\':
        return QStringLiteral("/");
    case u'{':
        return QStringLiteral("(");
    case u'}':
        return QStringLiteral(")");
    case u'\t':
        return QStringLiteral(" ");
    default:
        break;
    }
    if (c.unicode() < 0x20)
        return {};
    const int byte = CodePageByte(c);
    if (byte < 0)
        return QStringLiteral("?");
    if (byte >= 160)
        return QStringLiteral("\\'") + QString::number(byte, 16);
    return QString(c);
}

QString WriteBoardRtf(const QTextDocument& document)
{
    QString out = kHeader;
    if (!document.isEmpty()) {
        const std::vector<std::vector<Run>> lines = LinesOf(document);
        // Every attribute off first, so that all text is drawn in the same font.
        out += QStringLiteral("\\plain ");
        Attributes now;
        for (std::size_t l = 0; l < lines.size(); ++l) {
            // Attributes that end with a line are switched off before its line end: a
            // switch-off at the front of a line would shift that line right.
            if (l > 0 && NeedsSwitchOff(now, FirstAttributesFrom(lines, l))) {
                out.chop(kLineEnd.size());
                out += QStringLiteral("\\plain") + kLineEnd;
                now = {};
            }
            bool atLineStart = true;
            for (const Run& run : lines[l]) {
                QString words = Switch(now, run.attributes);
                now = run.attributes;
                // The reader drops one blank at the start of a line; a control word
                // before it keeps it. A tab is stored as a blank too.
                if (atLineStart && l > 0 && words.isEmpty() &&
                    StoredCharacter(run.text.front()) == QStringLiteral(" "))
                    words = now.Any() ? OnWords(now).left(3) : QStringLiteral("\\plain ");
                out += words;
                for (QChar c : run.text)
                    out += StoredCharacter(c);
                atLineStart = false;
            }
            out += kLineEnd;
        }
    }
    return out + kTail;
}
