#pragma once
// The object archive boards are stored in: little-endian primitives, code-page-1252
// strings, counts, and object references that introduce each class by name once.
//
// Reading never trusts the file: every read checks what is left, a count or length
// larger than the rest of the file is an end-of-file error before anything is
// allocated, and the first error sticks (later reads return zeros) so callers check
// Failed() at the end of a record or array.

#include "BoardObject.h"
#include "platform/Geometry.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// Causes of archive (format) errors, numbered as the error reports show them.
enum ArchiveCause : int {
    ARCHIVE_OK = 0,
    ARCHIVE_GENERIC = 1,
    ARCHIVE_READONLY = 2,
    ARCHIVE_ENDOFFILE = 3,
    ARCHIVE_WRITEONLY = 4,
    ARCHIVE_BADINDEX = 5,
    ARCHIVE_BADCLASS = 6,
    ARCHIVE_BADSCHEMA = 7,
};

// Board coordinates read from a file are kept within this distance of the origin (ten
// metres, far beyond the board), so that no sum or difference of them in the drawing
// and editing code can overflow, and no line drawn to them is longer than a few pixels
// per unit of that distance.
constexpr int kMaxStoredCoordinate = 100000;

class CArchive {
public:
    // An archive that reads the given bytes (which must outlive it).
    CArchive(const char* data, std::size_t size);
    // An archive that appends to the given buffer.
    explicit CArchive(QByteArray& output);

    bool IsLoading() const { return m_pOut == nullptr; }
    bool IsStoring() const { return m_pOut != nullptr; }

    int Error() const { return m_nError; }
    bool Failed() const { return m_nError != ARCHIVE_OK; }
    void Fail(int cause)
    {
        if (m_nError == ARCHIVE_OK)
            m_nError = cause;
    }
    std::size_t Remaining() const { return m_nSize - m_nPos; }
    // Fails with end of file unless count items of itemSize bytes can still follow.
    bool CanHold(std::uint64_t count, std::uint64_t itemSize);

    std::uint8_t ReadByte();
    std::uint16_t ReadWord();
    std::uint32_t ReadDWord();
    std::int32_t ReadInt() { return std::int32_t(ReadDWord()); }
    // A board coordinate, brought within kMaxStoredCoordinate.
    int ReadCoordinate();
    COLORREF ReadColour() { return ReadDWord(); }
    CRect ReadRect(); // four board coordinates
    QString ReadString();
    std::uint32_t ReadCount();

    void WriteByte(std::uint8_t v);
    void WriteWord(std::uint16_t v);
    void WriteDWord(std::uint32_t v);
    void WriteInt(std::int32_t v) { WriteDWord(std::uint32_t(v)); }
    void WriteColour(COLORREF c) { WriteDWord(c); }
    // A board coordinate as ReadCoordinate gives it back: what a laid-out board holds
    // beyond the limit (the far sockets of a component placed at the limit, a text
    // field's width) is stored at the limit, so that a saved file reads back as written.
    void WriteCoordinate(int v);
    void WriteRect(const CRect& r);
    void WriteString(const QString& text);
    void WriteCount(std::uint32_t count);

    // An object reference and, for a new object, its record. Null for "no object" or
    // on error; a class the file names but the program does not know is a bad class.
    std::unique_ptr<CBoardObject> ReadObject();
    // Like ReadObject, but an object of another kind than T is a bad class.
    template <class T>
    std::unique_ptr<T> ReadObjectOf()
    {
        std::unique_ptr<CBoardObject> object = ReadObject();
        if (!object)
            return nullptr;
        if (T* typed = dynamic_cast<T*>(object.get())) {
            object.release();
            return std::unique_ptr<T>(typed);
        }
        Fail(ARCHIVE_BADCLASS);
        return nullptr;
    }
    // Writes the reference of a new object (introducing its class the first time),
    // then its record; null writes "no object".
    void WriteObject(CBoardObject* object);

    // An object array: a count, then the references. With onlyClass, an object of
    // another class is a bad class.
    template <class T>
    void ReadArray(std::vector<std::unique_ptr<T>>& into, const char* onlyClass = nullptr)
    {
        const std::uint32_t count = ReadCount();
        if (!CanHold(count, 2)) // every reference takes at least two bytes
            return;
        into.reserve(into.size() + count);
        for (std::uint32_t i = 0; i < count && !Failed(); ++i) {
            std::unique_ptr<T> object = ReadObjectOf<T>();
            if (object && onlyClass && std::string(object->GetClassName()) != onlyClass)
                Fail(ARCHIVE_BADCLASS);
            if (object && !Failed()) // a stored "no object" holds nothing
                into.push_back(std::move(object));
        }
    }
    template <class T>
    void WriteArray(const std::vector<std::unique_ptr<T>>& objects)
    {
        WriteCount(std::uint32_t(objects.size()));
        for (const auto& object : objects)
            WriteObject(object.get());
    }

private:
    const char* Take(std::size_t n);
    std::unique_ptr<CBoardObject> ReadNewObject(std::uint32_t classIndex);
    std::uint32_t ReadClassIntroduction();
    std::uint32_t ReadStringLength(std::uint8_t first);

    // Reading
    const char* m_pData = nullptr;
    std::size_t m_nSize = 0;
    std::size_t m_nPos = 0;
    // What each running index stands for while reading: a class (its factory) or an
    // object that was read (null).
    std::vector<const std::function<std::unique_ptr<CBoardObject>()>*> m_loadedClasses;

    // Writing
    QByteArray* m_pOut = nullptr;
    std::unordered_map<std::string, std::uint32_t> m_storedClasses;

    std::uint32_t m_nNextIndex = 1; // index 0 means "no object"
    int m_nError = ARCHIVE_OK;
};
