// Pictures: finding and loading the picture (BMP, PNG, JPEG) safely, drawing by
// exclusive-or of the once-inverted bitmap, the size following the resolution, the hit
// test.
#include "AnnotationTestSupport.h"
#include "annotations/BitmapFile.h"
#include "annotations/Picture.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

namespace {

class PictureFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QDir().mkdir(u"bmp"_qs);
    }
    void TearDown() override { QDir::setCurrent(m_previous); }
    QString Path(const QString& name) const { return m_dir.path() + u'/' + name; }

    QTemporaryDir m_dir;
    QString m_previous;
};

// The 32 x 24 pattern, written as a BMP of our own.
QImage Pattern()
{
    return PatternImage(32, 24);
}

TEST_F(PictureFixture, LoadsTheStoredNameOrElseFromTheBitmapFolder)
{
    ASSERT_TRUE(WriteBytes(Path(u"bmp/schakeling.bmp"_qs), BmpBytes(Pattern())));
    ASSERT_TRUE(WriteBytes(Path(u"elders.bmp"_qs), BmpBytes(PatternImage(10, 8))));

    CPlaatje byName;
    byName.m_strFileName = u"schakeling.bmp"_qs;
    byName.LoadFiles(u" bmp\\ "_qs);
    EXPECT_EQ(byName.m_strFolder, u"bmp\\"_qs);
    EXPECT_EQ(byName.m_strFileName, u"schakeling.bmp"_qs);
    EXPECT_EQ(std::pair(byName.m_nWidth, byName.m_nHeight), std::pair(32, 24));

    CPlaatje byPath;
    byPath.m_strFileName = WindowsName(Path(u"elders.bmp"_qs));
    byPath.LoadFiles(u"bmp\\"_qs);
    EXPECT_EQ(std::pair(byPath.m_nWidth, byPath.m_nHeight), std::pair(10, 8));

    CPlaatje missing;
    missing.m_strFileName = u"weg.bmp"_qs;
    missing.LoadFiles(u"bmp\\"_qs);
    EXPECT_FALSE(missing.IsLoaded());
    EXPECT_EQ(std::pair(missing.m_nWidth, missing.m_nHeight), std::pair(0, 0));
}

TEST_F(PictureFixture, RefusesFilesThatAreNoSoundBitmap)
{
    const QByteArray good = BmpBytes(Pattern());
    QByteArray huge = good;
    // 30 000 x 30 000 pixels in the header of an otherwise small file.
    for (int at : {18, 22}) {
        huge[at] = char(0x30);
        huge[at + 1] = char(0x75);
        huge[at + 2] = 0;
        huge[at + 3] = 0;
    }
    QByteArray zeroWidth = good;
    zeroWidth[18] = zeroWidth[19] = zeroWidth[20] = zeroWidth[21] = 0;
    QByteArray badHeader = good;
    badHeader[14] = 7;
    QByteArray badOffset = good;
    badOffset[10] = char(0xFF);
    badOffset[11] = char(0xFF);
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"truncated to half", good.left(good.size() / 2)},
        {"only the file header", good.left(14)},
        {"empty", QByteArray()},
        {"30000 x 30000 in the header", huge},
        {"zero width", zeroWidth},
        {"unknown header size", badHeader},
        {"pixels beyond the end", badOffset},
        {"text", QByteArray("BM this is not a bitmap at all, only text")},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteBytes(Path(u"slecht.bmp"_qs), c.bytes));
        EXPECT_TRUE(LoadBitmapFile(Path(u"slecht.bmp"_qs)).isNull()) << c.name;
        CPlaatje picture;
        picture.SetFile(QString(), WindowsName(Path(u"slecht.bmp"_qs)));
        picture.Load();
        EXPECT_EQ(std::pair(picture.m_nWidth, picture.m_nHeight), std::pair(0, 0)) << c.name;
        QImage board(100, 100, QImage::Format_RGB32);
        board.fill(Qt::white);
        CDC dc(board, kDpi);
        picture.m_rect = CRect(50, -50, 0, 0);
        picture.Draw(dc);
        EXPECT_EQ(picture.m_rect, CRect(50, -50, 50, -50)) << c.name;
    }
    ASSERT_TRUE(WriteBytes(Path(u"goed.bmp"_qs), good));
    EXPECT_FALSE(LoadBitmapFile(Path(u"goed.bmp"_qs)).isNull());
}

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes;
}

TEST_F(PictureFixture, ReadsPngAndJpegByWhatTheFileHoldsWithinTheLimits)
{
    QImage halfClear(32, 24, QImage::Format_ARGB32);
    halfClear.fill(qRgba(0, 0, 200, 255));
    for (int y = 0; y < 24; ++y)
        for (int x = 16; x < 32; ++x)
            halfClear.setPixel(x, y, qRgba(0, 0, 0, 0));
    QImage green(40, 30, QImage::Format_RGB32);
    green.fill(qRgb(20, 180, 40));
    const QByteArray png = Encoded(Pattern(), "PNG");
    const struct {
        const char* name;
        QByteArray bytes;
        QSize size; // empty: refused
        QRgb left, right; // the pixels (2, 2) and (29, 2) when read
    } cases[] = {
        {"a PNG", png, {32, 24}, Pattern().pixel(2, 2), Pattern().pixel(29, 2)},
        {"a PNG under a bitmap's name", png, {32, 24}, Pattern().pixel(2, 2), Pattern().pixel(29, 2)},
        {"transparent parts lie on white", Encoded(halfClear, "PNG"), {32, 24}, qRgb(0, 0, 200), qRgb(255, 255, 255)},
        {"a JPEG", Encoded(green, "JPG"), {40, 30}, 0, 0},
        {"wider than the limit", Encoded(QImage(kMaxBitmapSide + 1, 2, QImage::Format_RGB32), "PNG"), {}, 0, 0},
        {"a PNG cut short", png.left(png.size() / 2), {}, 0, 0},
        {"a PNG's signature before text", QByteArray("\x89PNG\r\n\x1a\n and then nothing"), {}, 0, 0},
        {"a JPEG's marker before text", QByteArray("\xff\xd8\xff and then nothing"), {}, 0, 0},
        {"a GIF", QByteArray("GIF89a"), {}, 0, 0},
    };
    for (const auto& c : cases) {
        for (const QString& name : {u"p.png"_qs, u"p.bmp"_qs}) {
            ASSERT_TRUE(WriteBytes(Path(name), c.bytes));
            const QImage image = LoadBitmapFile(Path(name));
            EXPECT_EQ(image.isNull() ? QSize() : image.size(), c.size) << c.name;
            if (image.isNull() || c.left == 0)
                continue;
            EXPECT_EQ(image.pixel(2, 2), c.left) << c.name;
            EXPECT_EQ(image.pixel(29, 2), c.right) << c.name;
        }
    }
    // A JPEG's colours come back near what was written.
    ASSERT_TRUE(WriteBytes(Path(u"p.jpg"_qs), Encoded(green, "JPG")));
    const QRgb read = LoadBitmapFile(Path(u"p.jpg"_qs)).pixel(20, 15);
    EXPECT_NEAR(qGreen(read), 180, 8);
    EXPECT_NEAR(qRed(read), 20, 8);
}

TEST_F(PictureFixture, APhotoLargerThanWhatItMustFitIsReadScaledDownKeepingItsProportions)
{
    QImage photo(1200, 900, QImage::Format_RGB32);
    photo.fill(qRgb(200, 30, 30));
    const struct {
        const char* format;
        QSize fit;
        QSize read;
    } cases[] = {
        {"JPG", {600, 600}, {600, 450}}, // scaled while it is decoded
        {"PNG", {600, 600}, {600, 450}},
        {"BMP", {300, 900}, {300, 225}},
        {"PNG", {2000, 2000}, {1200, 900}}, // fits: as it is
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteBytes(Path(u"foto"_qs), Encoded(photo, c.format)));
        QSize original;
        const QImage image = ReadPictureToFit(Path(u"foto"_qs), c.fit, original);
        EXPECT_EQ(image.size(), c.read) << c.format;
        EXPECT_EQ(original, QSize(1200, 900)) << c.format;
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
    }
    // Larger than the picture limits, which loading a board refuses: read scaled down.
    ASSERT_TRUE(WriteBytes(Path(u"breed"_qs), Encoded(QImage(kMaxBitmapSide * 2, 100, QImage::Format_RGB32), "JPG")));
    QSize original;
    EXPECT_TRUE(LoadBitmapFile(Path(u"breed"_qs)).isNull());
    EXPECT_EQ(ReadPictureToFit(Path(u"breed"_qs), QSize(3061, 4270), original).size(), QSize(3061, 18));
    EXPECT_EQ(original, QSize(kMaxBitmapSide * 2, 100));
}

TEST_F(PictureFixture, ShowsItsColoursOnWhiteAndADrawingTwiceRestoresTheBoard)
{
    ASSERT_TRUE(WriteBytes(Path(u"bmp/p.bmp"_qs), BmpBytes(Pattern())));
    CPlaatje picture;
    picture.SetFile(u"bmp\\"_qs, u"p.bmp"_qs);
    picture.Load();
    picture.m_rect = CRect(254, -254, 0, 0); // 96 pixels from the origin

    QImage board(200, 200, QImage::Format_RGB32);
    board.fill(Qt::white);
    {
        CDC dc(board, kDpi);
        picture.Draw(dc);
    }
    EXPECT_EQ(board.copy(96, 96, 32, 24), Pattern());
    EXPECT_EQ(picture.m_rect, CRect(254, -254, 254 + 85, -254 - 64)); // 32 x 24 pixels at 96 dpi

    // Over another drawing the colours mix; the second drawing restores it exactly.
    QImage busy(200, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            busy.setPixel(x, y, qRgb(x, y, (x * y) & 0xFF));
    QImage drawn = busy;
    {
        CDC dc(drawn, kDpi);
        picture.Draw(dc);
        EXPECT_NE(drawn, busy);
        picture.Draw(dc);
    }
    EXPECT_EQ(drawn, busy);

    // Moving draws it away and at the new place.
    {
        CDC dc(board, kDpi);
        picture.PlaceAt(dc, 127, -127);
    }
    QImage expected(200, 200, QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter painter(&expected);
        painter.drawImage(48, 48, Pattern());
    }
    EXPECT_EQ(board, expected);
}

TEST_F(PictureFixture, SizeFollowsTheResolutionAndTheHitTestFollowsTheSize)
{
    ASSERT_TRUE(WriteBytes(Path(u"bmp/p.bmp"_qs), BmpBytes(Pattern())));
    CPlaatje picture;
    picture.SetFile(u"bmp\\"_qs, u"p.bmp"_qs);
    picture.Load();
    picture.m_rect = CRect(100, -100, 0, 0);
    QImage image(10, 10, QImage::Format_RGB32);
    {
        CDC dc(image, 192);
        picture.Draw(dc);
    }
    EXPECT_EQ(picture.m_rect, CRect(100, -100, 100 + 42, -100 - 32));
    EXPECT_TRUE(picture.HitTest({99, -101}));
    EXPECT_TRUE(picture.HitTest({143, -131}));
    EXPECT_FALSE(picture.HitTest({120, -100})); // the top edge is narrowed by one
    EXPECT_FALSE(picture.HitTest({144, -120}));

    // Not loaded: a zero-size rectangle, hit only within one unit of its corner.
    CPlaatje empty;
    empty.m_rect = CRect(300, -300, 0, 0);
    {
        CDC dc(image, kDpi);
        empty.Draw(dc);
    }
    EXPECT_TRUE(empty.HitTest({301, -299}));
    EXPECT_TRUE(empty.HitTest({299, -301}));
    EXPECT_FALSE(empty.HitTest({302, -300}));
}

} // namespace
