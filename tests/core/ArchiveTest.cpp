#include "core/Archive.h"

#include "core/ClassRegistry.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// A tiny stored class: one int32.
class CTestThing : public CBoardObject {
public:
    const char* GetClassName() const override { return "CTestThing"; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar.WriteInt(value);
        else
            value = ar.ReadInt();
    }
    void Draw(CDC&) override {}
    int value = 0;
};

// Another stored class, with an empty record.
class CTestOther : public CBoardObject {
public:
    const char* GetClassName() const override { return "CTestOther"; }
    void Serialize(CArchive&) override {}
    void Draw(CDC&) override {}
};

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

class ArchiveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterClassOf<CTestThing>("CTestThing");
        RegisterClassOf<CTestOther>("CTestOther");
    }
};

TEST_F(ArchiveTest, StringLengthForms)
{
    const struct {
        int length;
        QByteArray prefix;
    } cases[] = {
        {0, Bytes({0x00})},
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {65533, Bytes({0xFF, 0xFD, 0xFF})},
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
    };
    for (const auto& c : cases) {
        QByteArray out;
        CArchive writer(out);
        const QString text(c.length, u'x');
        writer.WriteString(text);
        EXPECT_EQ(out.left(c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(out.size(), c.prefix.size() + c.length) << c.length;
        CArchive reader(out.constData(), std::size_t(out.size()));
        EXPECT_EQ(reader.ReadString(), text) << c.length;
        EXPECT_FALSE(reader.Failed());
        EXPECT_EQ(reader.Remaining(), 0u);
    }
}

TEST_F(ArchiveTest, CodePageTextRoundTrips)
{
    QByteArray out;
    CArchive writer(out);
    writer.WriteString(QStringLiteral("één € ü"));
    EXPECT_EQ(out, Bytes({7, 0xE9, 0xE9, 'n', ' ', 0x80, ' ', 0xFC}));
    CArchive reader(out.constData(), std::size_t(out.size()));
    EXPECT_EQ(reader.ReadString(), QStringLiteral("één € ü"));
}

TEST_F(ArchiveTest, ReadsTheWideStringForm)
{
    const QByteArray bytes = Bytes({0xFF, 0xFE, 0xFF, 2, 'h', 0, 0xE9, 0});
    CArchive reader(bytes.constData(), std::size_t(bytes.size()));
    EXPECT_EQ(reader.ReadString(), QStringLiteral("hé"));
    EXPECT_FALSE(reader.Failed());
}

TEST_F(ArchiveTest, CountForms)
{
    for (std::uint32_t count : {0u, 65534u, 65535u, 100000u}) {
        QByteArray out;
        CArchive writer(out);
        writer.WriteCount(count);
        EXPECT_EQ(out.size(), count < 65535 ? 2 : 6) << count;
        CArchive reader(out.constData(), std::size_t(out.size()));
        EXPECT_EQ(reader.ReadCount(), count);
    }
}

TEST_F(ArchiveTest, ClassIntroducedOnceThenReferred)
{
    std::vector<std::unique_ptr<CTestThing>> things;
    for (int v : {11, 22})
        things.push_back(std::make_unique<CTestThing>()), things.back()->value = v;
    QByteArray out;
    CArchive writer(out);
    writer.WriteArray(things);
    const QByteArray expected = Bytes({0x02, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00}) +
                                QByteArray("CTestThing") + Bytes({11, 0, 0, 0, 0x01, 0x80, 22, 0, 0, 0});
    EXPECT_EQ(out, expected);

    std::vector<std::unique_ptr<CTestThing>> read;
    CArchive reader(out.constData(), std::size_t(out.size()));
    reader.ReadArray(read);
    ASSERT_FALSE(reader.Failed());
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1]->value, 22);
}

TEST_F(ArchiveTest, BrokenFilesGiveTheirErrors)
{
    const QByteArray thing = Bytes({0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00}) + QByteArray("CTestThing");
    const struct {
        const char* name;
        QByteArray bytes;
        int cause;
    } cases[] = {
        {"unknown class", Bytes({1, 0, 0xFF, 0xFF, 1, 0, 3, 0}) + "CXy" + Bytes({0, 0, 0, 0}),
         ARCHIVE_BADCLASS},
        {"class name of 64 bytes", Bytes({1, 0, 0xFF, 0xFF, 1, 0, 64, 0}) + QByteArray(64, 'C'),
         ARCHIVE_BADCLASS},
        {"schema 2", Bytes({1, 0, 0xFF, 0xFF, 2, 0, 0x0A, 0}) + "CTestThing" + Bytes({0, 0, 0, 0}),
         ARCHIVE_BADSCHEMA},
        {"class index never numbered", Bytes({1, 0, 0x05, 0x80}), ARCHIVE_BADINDEX},
        {"object index refers back", Bytes({2, 0}) + thing + Bytes({1, 0, 0, 0, 0x02, 0x00}),
         ARCHIVE_BADINDEX},
        {"long form object reference", Bytes({1, 0, 0xFF, 0x7F, 2, 0, 0, 0}), ARCHIVE_BADINDEX},
        {"record cut short", Bytes({1, 0}) + thing + Bytes({1, 0}), ARCHIVE_ENDOFFILE},
        {"count beyond the file", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), ARCHIVE_ENDOFFILE},
    };
    for (const auto& c : cases) {
        std::vector<std::unique_ptr<CTestThing>> read;
        CArchive reader(c.bytes.constData(), std::size_t(c.bytes.size()));
        reader.ReadArray(read);
        EXPECT_EQ(reader.Error(), c.cause) << c.name;
    }
}

TEST_F(ArchiveTest, HostileLengthsFailBeforeAllocating)
{
    // A string claiming 4 GB and a wide string claiming 2 G characters.
    for (const QByteArray& bytes : {Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}),
                                    Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F})}) {
        CArchive reader(bytes.constData(), std::size_t(bytes.size()));
        EXPECT_TRUE(reader.ReadString().isEmpty());
        EXPECT_EQ(reader.Error(), ARCHIVE_ENDOFFILE);
    }
}

TEST_F(ArchiveTest, FirstErrorSticks)
{
    const QByteArray bytes = Bytes({1});
    CArchive reader(bytes.constData(), std::size_t(bytes.size()));
    EXPECT_EQ(reader.ReadInt(), 0);
    reader.Fail(ARCHIVE_BADCLASS);
    EXPECT_EQ(reader.Error(), ARCHIVE_ENDOFFILE);
    EXPECT_EQ(reader.ReadWord(), 0);
}

TEST_F(ArchiveTest, LongClassIndexForm)
{
    // Once the running index passes 0x7FFF, references to a class introduced late take
    // the long form: 0x7FFF, then the index with the top bit set.
    std::vector<std::unique_ptr<CBoardObject>> objects;
    for (int i = 0; i < 0x8000; ++i)
        objects.push_back(std::make_unique<CTestThing>());
    objects.push_back(std::make_unique<CTestOther>()); // class 0x8002, object 0x8003
    objects.push_back(std::make_unique<CTestOther>());
    QByteArray out;
    CArchive writer(out);
    writer.WriteArray(objects);
    EXPECT_EQ(out.right(6), Bytes({0xFF, 0x7F, 0x02, 0x80, 0x00, 0x80}));

    std::vector<std::unique_ptr<CBoardObject>> read;
    CArchive reader(out.constData(), std::size_t(out.size()));
    reader.ReadArray(read);
    EXPECT_FALSE(reader.Failed());
    ASSERT_EQ(read.size(), objects.size());
    EXPECT_STREQ(read.back()->GetClassName(), "CTestOther");
}

} // namespace
