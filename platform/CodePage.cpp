#include "CodePage.h"

#include <array>

namespace {

// 0x80..0x9F of code page 1252; 0 marks the five unassigned bytes, which map to
// the control character of the same value, as Windows does.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char16_t Decode(unsigned char b)
{
    if (b < 0x80 || b >= 0xA0)
        return b;
    const char16_t c = kHigh[b - 0x80];
    return c ? c : char16_t(b);
}

char Encode(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c || (kHigh[i] == 0 && c == 0x80 + i))
            return char(0x80 + i);
    return '?';
}

} // namespace

QString FromCp1252(const char* bytes, qsizetype length)
{
    QString out(length, Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < length; ++i)
        dst[i] = QChar(Decode(static_cast<unsigned char>(bytes[i])));
    return out;
}

QByteArray ToCp1252(const QString& text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    const QChar* src = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i)
        dst[i] = Encode(src[i].unicode());
    return out;
}
