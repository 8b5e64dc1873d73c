#include "RichTextReader.h"

namespace {

int HexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    return -1; // upper-case digits are not decoded
}

bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

bool DecodeHighCharacters(QString& text)
{
    // One pass from the front: an escape starts with a backslash and its digits are
    // never a backslash, so escapes cannot overlap and a decoded character never
    // completes a new one.
    if (!text.contains(QStringLiteral("\\'")))
        return false;
    QString out;
    out.reserve(text.size());
    bool changed = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] == u'\\' && i + 3 < n && text[i + 1] == u'\'') {
            const int high = HexDigit(text[i + 2]);
            const int low = HexDigit(text[i + 3]);
            const int code = high * 16 + low;
            if (high >= 0 && low >= 0 && code >= 160) {
                out += QChar(char16_t(code)); // code page 1252 equals Latin-1 from 160 on
                i += 3;
                changed = true;
                continue;
            }
        }
        out += text[i];
    }
    if (changed)
        text = out;
    return changed;
}

QString TextBody(const QString& text)
{
    if (text.size() <= 5)
        return {};
    qsizetype last = -1;
    qsizetype before = -1;
    for (qsizetype k = text.size(); k-- > 0;) {
        if (text[k] != u'}' || (k > 0 && text[k - 1] == u'\\'))
            continue;
        if (last < 0) {
            last = k;
        } else {
            before = k;
            break;
        }
    }
    if (last < 0)
        return {};
    const qsizetype start = (before < 0 ? 0 : before) + 3;
    return start < last ? text.mid(start, last - start) : QString();
}

QString DisplayString(const QString& body)
{
    QString out;
    const qsizetype n = body.size() - 1; // the body's last character is left out
    auto at = [&](qsizetype k) { return k < n ? body[k] : QChar(); };
    qsizetype i = 0;
    // Goes on after a control word: at the next backslash, or just after the next
    // blank; false when the body ends first.
    auto skipFrom = [&](qsizetype from) {
        for (qsizetype k = from; k < n; ++k) {
            if (body[k] == u'\\') {
                i = k;
                return true;
            }
            if (body[k] == u' ') {
                i = k + 1;
                return true;
            }
        }
        return false;
    };
    out.reserve(n > 0 ? n : 0);
    while (i < n) {
        const QChar c = body[i];
        if (c != u'\\') {
            if (c == u'\t')
                out += u' ';
            else if (c != u'\r')
                out += c;
            ++i;
            continue;
        }
        const QChar letter = at(i + 1);
        if (letter == u'b' || letter == u'i' || letter == u'u') {
            const QChar next = at(i + 2);
            bool taken = true;
            if (next == u' ' || next == u'1' || next == u'\\') {
                out += u'\\';
                out += letter;
            } else if (next == u'0') {
                out += QStringLiteral("\\p");
            } else {
                taken = false;
            }
            if (!skipFrom(taken ? i + 2 : i + 3))
                break;
        } else if (letter == u'f' && IsAsciiDigit(at(i + 2))) {
            qsizetype k = i + 2;
            while (k < n && IsAsciiDigit(body[k]))
                ++k;
            if (k >= n)
                break;
            if (body[k] == u' ')
                ++k;
            i = k;
        } else if (letter == u'p') {
            if (at(i + 2) == u'l' && at(i + 3) == u'a' && at(i + 4) == u'i' && at(i + 5) == u'n')
                out += QStringLiteral("\\p");
            if (!skipFrom(i + 3))
                break;
        } else if (!skipFrom(i + 3)) {
            break;
        }
    }
    return out;
}
