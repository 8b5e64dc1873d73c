#include "RtfReader.h"

#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>

#include <vector>

namespace {

struct State {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool skip = false; // inside a table or other destination that holds no text
};

bool IsLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int HexValue(QChar c)
{
    if (IsDigit(c))
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

QChar CodePageChar(int byte)
{
    const char b = char(byte);
    QStringDecoder decode("windows-1252");
    const QString s = decode(QByteArray(&b, 1));
    return s.isEmpty() ? QChar(u'?') : s[0];
}

struct TextRun {
    QString text;
    State state;
};

class CRtfParser {
public:
    CRtfParser(const QString& rtf, QTextDocument& document)
        : m_rtf(rtf), m_cursor(&document)
    {
    }

    void Run()
    {
        const qsizetype n = m_rtf.size();
        qsizetype i = 0;
        while (i < n) {
            const QChar c = m_rtf[i];
            if (c == u'{') {
                m_stack.push_back(m_state);
                m_bGroupStart = true;
                ++i;
                continue;
            }
            if (c == u'}') {
                if (!m_stack.empty()) {
                    m_state = m_stack.back();
                    m_stack.pop_back();
                }
                m_bGroupStart = false;
                ++i;
                continue;
            }
            const bool groupStart = m_bGroupStart;
            m_bGroupStart = false;
            if (c == u'\\') {
                i = ControlWord(i, groupStart);
                continue;
            }
            if (c != u'\r' && c != u'\n')
                Text(c);
            ++i;
        }
    }

private:
    // Reads the control word at 'i' (a backslash); returns where reading goes on.
    qsizetype ControlWord(qsizetype i, bool groupStart)
    {
        const qsizetype n = m_rtf.size();
        if (i + 1 >= n)
            return n; // a lone backslash at the end
        const QChar next = m_rtf[i + 1];
        if (!IsLetter(next)) {
            if (next == u'\'') {
                const int high = i + 2 < n ? HexValue(m_rtf[i + 2]) : -1;
                const int low = i + 3 < n ? HexValue(m_rtf[i + 3]) : -1;
                if (high >= 0 && low >= 0) {
                    Text(CodePageChar(high * 16 + low));
                    return i + 4;
                }
                return i + 2;
            }
            if (next == u'*' && groupStart)
                m_state.skip = true;
            else if (next == u'\\' || next == u'{' || next == u'}')
                Text(next);
            else if (next == u'~')
                Text(QChar(0xA0));
            else if (next == u'\r' || next == u'\n')
                Paragraph();
            return i + 2;
        }
        qsizetype k = i + 1;
        while (k < n && IsLetter(m_rtf[k]))
            ++k;
        const QString word = m_rtf.mid(i + 1, k - i - 1);
        bool hasNumber = false;
        bool negative = false;
        long long number = 0;
        if (k < n && m_rtf[k] == u'-' && k + 1 < n && IsDigit(m_rtf[k + 1])) {
            negative = true;
            ++k;
        }
        while (k < n && IsDigit(m_rtf[k])) {
            hasNumber = true;
            if (number < 1000000)
                number = number * 10 + (m_rtf[k].unicode() - u'0');
            ++k;
        }
        if (negative)
            number = -number;
        if (k < n && m_rtf[k] == u' ')
            ++k;
        if (groupStart && IsDestination(word))
            m_state.skip = true;
        return Apply(word, hasNumber, number, k);
    }

    static bool IsDestination(const QString& word)
    {
        static const QStringList destinations{
            QStringLiteral("fonttbl"), QStringLiteral("colortbl"), QStringLiteral("stylesheet"),
            QStringLiteral("info"), QStringLiteral("pict"), QStringLiteral("header"),
            QStringLiteral("footer"), QStringLiteral("listtable"), QStringLiteral("generator")};
        return destinations.contains(word);
    }

    qsizetype Apply(const QString& word, bool hasNumber, long long number, qsizetype next)
    {
        const bool on = !hasNumber || number != 0;
        if (word == u"b") {
            m_state.bold = on;
        } else if (word == u"i") {
            m_state.italic = on;
        } else if (word == u"u" && !hasNumber) {
            m_state.underline = true; // the board's one-letter underline word
        } else if (word == u"u") {
            // A character by its code (negative codes count from 65536), followed by
            // a replacement for readers that do not know it.
            Text(QChar(char16_t(number < 0 ? number + 65536 : number)));
            if (next < m_rtf.size() && m_rtf[next] == u'?')
                ++next;
        } else if (word == u"ul") {
            m_state.underline = on;
        } else if (word == u"ulnone") {
            m_state.underline = false;
        } else if (word == u"plain") {
            m_state.bold = m_state.italic = m_state.underline = false;
        } else if (word == u"par" || word == u"line") {
            Paragraph();
        } else if (word == u"tab") {
            Text(u' ');
        }
        return next;
    }

    void Text(QChar c)
    {
        // Control characters (a damaged file's, or "\u0") are no text anyone typed, and
        // the stored text could not show them.
        if (m_state.skip || (c.unicode() < 0x20 && c != u'\t'))
            return;
        std::vector<TextRun>& runs = m_paragraphs.back();
        if (runs.empty() || !SameAttributes(runs.back().state, m_state))
            runs.push_back({QString(), m_state});
        runs.back().text += c;
    }

    void Paragraph()
    {
        if (!m_state.skip)
            m_paragraphs.emplace_back();
    }

    static bool SameAttributes(const State& a, const State& b)
    {
        return a.bold == b.bold && a.italic == b.italic && a.underline == b.underline;
    }

public:
    // Into the editor: a paragraph mark ends its paragraph, so the last one of the text
    // opens no new, empty paragraph.
    void Write()
    {
        if (m_paragraphs.size() > 1 && m_paragraphs.back().empty())
            m_paragraphs.pop_back();
        for (std::size_t p = 0; p < m_paragraphs.size(); ++p) {
            if (p > 0)
                m_cursor.insertBlock();
            for (const TextRun& run : m_paragraphs[p]) {
                QTextCharFormat format;
                format.setFontWeight(run.state.bold ? QFont::Bold : QFont::Normal);
                format.setFontItalic(run.state.italic);
                format.setFontUnderline(run.state.underline);
                m_cursor.insertText(run.text, format);
            }
        }
    }

private:
    const QString& m_rtf;
    QTextCursor m_cursor;
    State m_state;
    std::vector<State> m_stack;
    std::vector<std::vector<TextRun>> m_paragraphs{1};
    bool m_bGroupStart = false;
};

} // namespace

void ReadRtfInto(const QString& rtf, QTextDocument& document)
{
    document.clear();
    CRtfParser parser(rtf, document);
    parser.Run();
    parser.Write();
}
