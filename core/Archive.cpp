#include "Archive.h"

#include "ClassRegistry.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000u;
constexpr std::uint16_t kMaxClassName = 64;
} // namespace

CArchive::CArchive(const char* data, std::size_t size) : m_pData(data), m_nSize(size) {}

CArchive::CArchive(QByteArray& output) : m_pOut(&output) {}

bool CArchive::CanHold(std::uint64_t count, std::uint64_t itemSize)
{
    if (Failed())
        return false;
    if (count > Remaining() / itemSize) {
        Fail(ARCHIVE_ENDOFFILE);
        return false;
    }
    return true;
}

const char* CArchive::Take(std::size_t n)
{
    if (Failed())
        return nullptr;
    if (n > Remaining()) {
        Fail(ARCHIVE_ENDOFFILE);
        m_nPos = m_nSize;
        return nullptr;
    }
    const char* p = m_pData + m_nPos;
    m_nPos += n;
    return p;
}

std::uint8_t CArchive::ReadByte()
{
    const char* p = Take(1);
    return p ? std::uint8_t(p[0]) : 0;
}

std::uint16_t CArchive::ReadWord()
{
    const auto* p = reinterpret_cast<const unsigned char*>(Take(2));
    return p ? std::uint16_t(p[0] | (p[1] << 8)) : 0;
}

std::uint32_t CArchive::ReadDWord()
{
    const auto* p = reinterpret_cast<const unsigned char*>(Take(4));
    return p ? std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                   (std::uint32_t(p[3]) << 24)
             : 0;
}

int CArchive::ReadCoordinate()
{
    return std::clamp(ReadInt(), -kMaxStoredCoordinate, kMaxStoredCoordinate);
}

CRect CArchive::ReadRect()
{
    CRect r;
    r.left = ReadCoordinate();
    r.top = ReadCoordinate();
    r.right = ReadCoordinate();
    r.bottom = ReadCoordinate();
    return r;
}

std::uint32_t CArchive::ReadStringLength(std::uint8_t first)
{
    if (first < 0xFF)
        return first;
    const std::uint16_t word = ReadWord();
    if (word < 0xFFFE)
        return word;
    return ReadDWord();
}

QString CArchive::ReadString()
{
    const std::uint8_t first = ReadByte();
    if (first == 0xFF && Remaining() >= 2 && std::uint8_t(m_pData[m_nPos]) == 0xFE &&
        std::uint8_t(m_pData[m_nPos + 1]) == 0xFF) {
        // The wide form: 0xFF 0xFFFE, then a length in 16-bit characters.
        m_nPos += 2;
        const std::uint32_t chars = ReadStringLength(ReadByte());
        if (!CanHold(chars, 2))
            return {};
        const char* p = Take(std::size_t(chars) * 2);
        QString wide(qsizetype(chars), Qt::Uninitialized);
        for (std::uint32_t i = 0; i < chars; ++i)
            wide[i] = QChar(char16_t(std::uint8_t(p[2 * i]) | (std::uint8_t(p[2 * i + 1]) << 8)));
        // Stored text lives in the code page; what it cannot hold does not survive.
        return FromCp1252(ToCp1252(wide));
    }
    const std::uint32_t length = ReadStringLength(first);
    if (!CanHold(length, 1))
        return {};
    const char* p = Take(length);
    return p ? FromCp1252(p, qsizetype(length)) : QString();
}

std::uint32_t CArchive::ReadCount()
{
    const std::uint16_t word = ReadWord();
    return word < 0xFFFF ? word : ReadDWord();
}

void CArchive::WriteByte(std::uint8_t v)
{
    m_pOut->append(char(v));
}

void CArchive::WriteWord(std::uint16_t v)
{
    const char bytes[2] = {char(v & 0xFF), char(v >> 8)};
    m_pOut->append(bytes, 2);
}

void CArchive::WriteDWord(std::uint32_t v)
{
    const char bytes[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF),
                           char(v >> 24)};
    m_pOut->append(bytes, 4);
}

void CArchive::WriteCoordinate(int v)
{
    WriteInt(std::clamp(v, -kMaxStoredCoordinate, kMaxStoredCoordinate));
}

void CArchive::WriteRect(const CRect& r)
{
    WriteCoordinate(r.left);
    WriteCoordinate(r.top);
    WriteCoordinate(r.right);
    WriteCoordinate(r.bottom);
}

void CArchive::WriteString(const QString& text)
{
    const QByteArray bytes = ToCp1252(text);
    const auto length = std::uint32_t(bytes.size());
    if (length < 255) {
        WriteByte(std::uint8_t(length));
    } else if (length < 0xFFFE) {
        WriteByte(0xFF);
        WriteWord(std::uint16_t(length));
    } else {
        WriteByte(0xFF);
        WriteWord(0xFFFF);
        WriteDWord(length);
    }
    m_pOut->append(bytes);
}

void CArchive::WriteCount(std::uint32_t count)
{
    if (count < 0xFFFF) {
        WriteWord(std::uint16_t(count));
    } else {
        WriteWord(0xFFFF);
        WriteDWord(count);
    }
}

std::uint32_t CArchive::ReadClassIntroduction()
{
    const std::uint16_t schema = ReadWord();
    const std::uint16_t nameLength = ReadWord();
    if (Failed())
        return 0;
    if (nameLength >= kMaxClassName) {
        Fail(ARCHIVE_BADCLASS);
        return 0;
    }
    const char* name = Take(nameLength);
    if (!name)
        return 0;
    const ObjectFactory* factory = FindClass(std::string(name, nameLength));
    if (!factory) {
        Fail(ARCHIVE_BADCLASS);
        return 0;
    }
    if (schema != kClassSchema) {
        Fail(ARCHIVE_BADSCHEMA);
        return 0;
    }
    const std::uint32_t index = m_nNextIndex++;
    if (m_loadedClasses.size() <= index)
        m_loadedClasses.resize(std::size_t(index) + 1, nullptr);
    m_loadedClasses[index] = factory;
    return index;
}

std::unique_ptr<CBoardObject> CArchive::ReadNewObject(std::uint32_t classIndex)
{
    if (classIndex >= m_loadedClasses.size() || !m_loadedClasses[classIndex]) {
        Fail(ARCHIVE_BADINDEX);
        return nullptr;
    }
    std::unique_ptr<CBoardObject> object = (*m_loadedClasses[classIndex])();
    // The object takes the next index; objects are never referred to again (every
    // object of a board is stored once), so its slot stays unnamed.
    const std::uint32_t index = m_nNextIndex++;
    if (m_loadedClasses.size() <= index)
        m_loadedClasses.resize(std::size_t(index) + 1, nullptr);
    object->Serialize(*this);
    if (Failed())
        return nullptr;
    return object;
}

std::unique_ptr<CBoardObject> CArchive::ReadObject()
{
    const std::uint16_t tag = ReadWord();
    if (Failed() || tag == kNullTag)
        return nullptr;
    if (tag == kNewClassTag) {
        const std::uint32_t classIndex = ReadClassIntroduction();
        return Failed() ? nullptr : ReadNewObject(classIndex);
    }
    if (tag == kBigObjectTag) {
        const std::uint32_t v = ReadDWord();
        if (Failed())
            return nullptr;
        if (v & kBigClassTag)
            return ReadNewObject(v & ~kBigClassTag);
        // A second reference to an object already read would give it two owners;
        // boards never hold one, so the file is not a board.
        Fail(ARCHIVE_BADINDEX);
        return nullptr;
    }
    if (tag & kClassTag)
        return ReadNewObject(tag & ~kClassTag);
    Fail(ARCHIVE_BADINDEX); // a reference to an object already read, see above
    return nullptr;
}

void CArchive::WriteObject(CBoardObject* object)
{
    if (!object) {
        WriteWord(kNullTag);
        return;
    }
    const std::string className = object->GetClassName();
    const auto it = m_storedClasses.find(className);
    if (it == m_storedClasses.end()) {
        WriteWord(kNewClassTag);
        WriteWord(kClassSchema);
        WriteWord(std::uint16_t(className.size()));
        m_pOut->append(className.data(), qsizetype(className.size()));
        m_storedClasses.emplace(className, m_nNextIndex++);
    } else if (it->second < kBigObjectTag) {
        WriteWord(std::uint16_t(kClassTag | it->second));
    } else {
        WriteWord(kBigObjectTag);
        WriteDWord(kBigClassTag | it->second);
    }
    ++m_nNextIndex; // the object's own index
    object->Serialize(*this);
}
