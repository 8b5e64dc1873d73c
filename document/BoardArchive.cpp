#include "BoardArchive.h"

#include "Document.h"
#include "components/ComponentFactory.h"
#include "core/Archive.h"
#include "core/ClassRegistry.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <vector>

namespace {

// Socket numbers only grow over a board's life; anything near the top of the range
// is damage, and new components must still find numbers above the highest.
constexpr int kMaxSocketNumber = 1 << 30;

// Wires and probes find a socket by its number as "number - first" of the component
// whose range holds it, so every component's numbers must be consecutive and
// positive, and no two components may share one.
bool SocketNumbersAreSound(const ComponentList& components)
{
    std::vector<std::pair<int, int>> ranges;
    ranges.reserve(components.size());
    for (const auto& c : components) {
        const int count = c->GetBusCount();
        if (count == 0)
            continue;
        const int first = c->Bus(0).GetId();
        if (first < 1 || first > kMaxSocketNumber - count)
            return false;
        for (int i = 1; i < count; ++i)
            if (c->Bus(i).GetId() != first + i)
                return false;
        ranges.emplace_back(first, first + count - 1);
    }
    std::sort(ranges.begin(), ranges.end());
    for (std::size_t i = 1; i < ranges.size(); ++i)
        if (ranges[i].first <= ranges[i - 1].second)
            return false;
    return true;
}

int ScrambleByte(int v, int i)
{
    int e = (v ^ 255) - i;
    if (e < 1)
        e += 255;
    return e & 0xFF;
}

void WritePassword(CArchive& ar, const QString& password)
{
    ar.WriteString(FromCp1252(ScramblePassword(ToCp1252(password))));
}

QString ReadPassword(CArchive& ar)
{
    return FromCp1252(UnscramblePassword(ToCp1252(ar.ReadString())));
}

} // namespace

QByteArray ScramblePassword(const QByteArray& plain)
{
    QByteArray stored(plain.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < plain.size(); ++i)
        stored[i] = char(ScrambleByte(static_cast<signed char>(plain[i]), int(i)));
    return stored;
}

QByteArray UnscramblePassword(const QByteArray& stored)
{
    QByteArray plain(stored.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const int s = static_cast<signed char>(stored[i]);
        int d = s + int(i);
        if (d > 255)
            d -= 255;
        int c = (d ^ 255) & 0xFF;
        // The formula above undoes the scrambling of plain ASCII only; for the other
        // characters take the byte that scrambles to what is stored.
        if (c == 0 || ScrambleByte(static_cast<signed char>(c), int(i)) != (s & 0xFF)) {
            for (int v = 1; v < 256; ++v) {
                if (ScrambleByte(static_cast<signed char>(v), int(i)) == (s & 0xFF)) {
                    c = v;
                    break;
                }
            }
        }
        plain[i] = char(c);
    }
    return plain;
}

QByteArray WriteBoard(CVeldtrakDoc& doc)
{
    QByteArray bytes;
    bytes.reserve(4096 + qsizetype(doc.m_components.size()) * 64 + qsizetype(doc.m_wires.size()) * 48);
    CArchive ar(bytes);
    ar.WriteString(doc.m_strPrevBoard);
    ar.WriteString(doc.m_strNextBoard);
    ar.WriteInt(doc.m_nPermissions);
    ar.WriteString(doc.m_strHelpFile);
    ar.WriteString(doc.m_strBoardTitle);
    WritePassword(ar, doc.m_strPrevPassword);
    WritePassword(ar, doc.m_strNextPassword);
    ar.WriteArray(doc.m_pictures);
    ar.WriteArray(doc.m_tables);
    ar.WriteArray(doc.m_textFields);
    ar.WriteArray(doc.m_components);
    ar.WriteArray(doc.m_wires);
    return bytes;
}

int ReadBoard(const QByteArray& bytes, CVeldtrakDoc& doc)
{
    CArchive ar(bytes.constData(), std::size_t(bytes.size()));
    doc.m_strPrevBoard = ar.ReadString();
    doc.m_strNextBoard = ar.ReadString();
    doc.m_nPermissions = ar.ReadInt();
    doc.m_strHelpFile = ar.ReadString();
    doc.m_strBoardTitle = ar.ReadString();
    doc.m_strPrevPassword = ReadPassword(ar);
    doc.m_strNextPassword = ReadPassword(ar);
    ar.ReadArray(doc.m_pictures, "CPlaatje");
    ar.ReadArray(doc.m_tables, "CTabel");
    ar.ReadArray(doc.m_textFields, "CTextField");
    ar.ReadArray(doc.m_components);
    doc.ComponentsChanged();
    if (!ar.Failed() && !SocketNumbersAreSound(doc.m_components))
        ar.Fail(ARCHIVE_BADINDEX);
    ar.ReadArray(doc.m_wires);
    return ar.Error();
}

void RegisterBoardClasses()
{
    RegisterComponentClasses();
    RegisterClassOf<CDraad>("CDraad");
}
