#include "RunTool.h"

#include "annotations/AnnotationClasses.h"
#include "annotations/Picture.h"
#include "annotations/Table.h"
#include "annotations/TextField.h"
#include "document/BoardArchive.h"
#include "document/Document.h"
#include "platform/Paths.h"

#include "support/DamagedBoards.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
        SetProgramFolder(m_dir.path());
        RegisterBoardClasses();
        RegisterAnnotationClasses();
    }
    void TearDown() override
    {
        SetProgramFolder(QString());
        QDir::setCurrent(m_previous);
    }

    // Two inverters, the second added later and fed by the first.
    QString TwoInverters()
    {
        CVeldtrakDoc doc;
        for (int x : {0, 400}) {
            auto inv = doc.CreateComponent(6);
            inv->MoveTo(x, -100);
            doc.AddComponent(std::move(inv));
        }
        auto wire = std::make_unique<CDraad>();
        wire->AddPoint({0, 0}, 2, 30);
        wire->AddPoint({0, 0}, 3, 30);
        doc.AddWire(std::move(wire));
        const QString path = m_dir.path() + QStringLiteral("/twee.wks");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(WriteBoard(doc));
        return path;
    }

    int Run(const QStringList& arguments) { return RunTool(arguments, m_out, m_err); }

    QTemporaryDir m_dir;
    QString m_previous;
    QString m_out, m_err;
};

TEST_F(ToolTest, RunPrintsTheLevelsTheTickOrderGives)
{
    const QString board = TwoInverters();
    ASSERT_EQ(Run({QStringLiteral("run"), board, QStringLiteral("--ticks"), QStringLiteral("1")}), 0)
        << m_err.toStdString();
    QStringList lines = m_out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    // After one tick the second still shows the first's old (low) level as input.
    EXPECT_EQ(lines[0], QStringLiteral("0 CInverter 0 500"));
    EXPECT_EQ(lines[1], QStringLiteral("1 CInverter 0 500"));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("tick-ns: ")));

    ASSERT_EQ(Run({QStringLiteral("run"), board, QStringLiteral("--ticks"), QStringLiteral("2")}), 0);
    lines = m_out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines[1], QStringLiteral("1 CInverter 500 0"));
}

TEST_F(ToolTest, InfoAndResave)
{
    const QString board = TwoInverters();
    ASSERT_EQ(Run({QStringLiteral("info"), board}), 0);
    EXPECT_TRUE(m_out.contains(QStringLiteral("component 1: CInverter \"Invertor\" (400,-100) bussen 3 4")))
        << m_out.toStdString();
    EXPECT_TRUE(m_out.contains(QStringLiteral("draad 0: 2 -> 3 kleur FFFFFF punten")));

    const QString copy = m_dir.path() + QStringLiteral("/kopie.wks");
    ASSERT_EQ(Run({QStringLiteral("resave"), board, copy}), 0) << m_err.toStdString();
    QFile a(board), b(copy);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll().size(), b.readAll().size());
}

TEST_F(ToolTest, ExportAndImportGiveTheSameFile)
{
    const QString board = TwoInverters();
    QDir::setCurrent(m_dir.path()); // relative names are taken from where the tool runs
    ASSERT_EQ(Run({QStringLiteral("export"), QStringLiteral("twee.wks"), QStringLiteral("twee.json")}), 0)
        << m_err.toStdString();
    ASSERT_EQ(Run({QStringLiteral("import"), QStringLiteral("twee.json"), QStringLiteral("sub/terug.wks"),
                   QStringLiteral("twee.json"), QStringLiteral("tweede.ant")}),
              0)
        << m_err.toStdString();
    QFile a(board), b(m_dir.path() + QStringLiteral("/sub/terug.wks")), c(m_dir.path() + QStringLiteral("/tweede.ant"));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) && c.open(QIODevice::ReadOnly));
    const QByteArray original = a.readAll();
    EXPECT_EQ(b.readAll(), original);
    EXPECT_EQ(c.readAll(), original);

    QFile bad(m_dir.path() + QStringLiteral("/fout.json"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("{\n  \"title\": \"x\",\n  \"components\": [{\"class\": \"CLamp\", \"sockets\": [1, 2],\n    \"x\": \"links\"}]\n}\n");
    bad.close();
    EXPECT_EQ(Run({QStringLiteral("import"), bad.fileName(), m_dir.path() + QStringLiteral("/fout.wks")}), 1);
    EXPECT_TRUE(m_err.contains(QStringLiteral("fout.json, regel 4, veld components[0].x: hier hoort een geheel getal")))
        << m_err.toStdString();
    EXPECT_FALSE(QFile::exists(m_dir.path() + QStringLiteral("/fout.wks")));
    EXPECT_EQ(Run({QStringLiteral("export"), m_dir.path() + QStringLiteral("/weg.wks"), bad.fileName()}), 1);
    EXPECT_TRUE(m_err.contains(QStringLiteral("kon niet worden gevonden."))) << m_err.toStdString();
}

TEST_F(ToolTest, ErrorsAreDutchAndFail)
{
    EXPECT_EQ(Run({QStringLiteral("info"), m_dir.path() + QStringLiteral("/weg.wks")}), 1);
    EXPECT_TRUE(m_err.contains(QStringLiteral("Foutmelding (FL61697): Bestand '")));
    EXPECT_TRUE(m_err.contains(QStringLiteral("kon niet worden gevonden.")));
    EXPECT_EQ(Run({QStringLiteral("run"), QStringLiteral("x"), QStringLiteral("--ticks"), QStringLiteral("-1")}), 2);
    EXPECT_TRUE(m_err.startsWith(QStringLiteral("Gebruik:")));
}

TEST_F(ToolTest, DamagedBoardsEndWithTheDutchErrorOrRun)
{
    const QString board = m_dir.path() + QStringLiteral("/kapot.wks");
    for (const damaged::Case& c : damaged::Cases()) {
        SCOPED_TRACE(c.name);
        QFile file(board);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damaged::Bytes(c));
        file.close();
        const int expected = c.refused ? 1 : 0;
        EXPECT_EQ(Run({QStringLiteral("info"), board}), expected) << m_err.toStdString();
        if (c.refused) {
            EXPECT_EQ(m_err, QStringLiteral("Foutmelding (AL61697): Ongeldig bestandsformaat.\n"));
        }
        EXPECT_EQ(Run({QStringLiteral("run"), board, QStringLiteral("--ticks"), QStringLiteral("25")}),
                  expected)
            << m_err.toStdString();
        if (c.refused) {
            EXPECT_EQ(m_err, QStringLiteral("Foutmelding (AL61697): Ongeldig bestandsformaat.\n"));
        } else {
            EXPECT_TRUE(m_out.contains(QStringLiteral("tick-ns: ")));
        }
    }
}

} // namespace

namespace {

// Boards made through the document, as the editing does, saved for the tool.
class ToolBoardTest : public ToolTest {
protected:
    CComponent* Place(CVeldtrakDoc& doc, int creationIndex, int x, int y)
    {
        auto c = doc.CreateComponent(creationIndex);
        c->MoveTo(x, y);
        CComponent* raw = c.get();
        doc.AddComponent(std::move(c));
        return raw;
    }
    void Wire(CVeldtrakDoc& doc, int from, int to)
    {
        auto wire = std::make_unique<CDraad>();
        wire->AddPoint({0, 0}, from, 30);
        wire->AddPoint({0, 0}, to, 30);
        doc.AddWire(std::move(wire));
    }
    // Moves a component so that its socket 'bus' lies dx units right of 'target'.
    void PutBesides(CVeldtrakDoc& doc, CComponent& c, int bus, CPoint target, int dx)
    {
        doc.LayOutSockets();
        const CPoint at = c.Bus(bus).GetCenter();
        const CPoint corner = c.GetTopLeft();
        c.MoveTo(corner.x + target.x + dx - at.x, corner.y + target.y - at.y);
    }
    QStringList RunBoard(CVeldtrakDoc& doc, int ticks)
    {
        const QString path = m_dir.path() + QStringLiteral("/bord.wks");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(WriteBoard(doc));
        file.close();
        EXPECT_EQ(Run({QStringLiteral("run"), path, QStringLiteral("--ticks"), QString::number(ticks)}), 0)
            << m_err.toStdString();
        return m_out.split(u'\n', Qt::SkipEmptyParts);
    }
};

TEST_F(ToolBoardTest, LightAndHeatFallOffWithDistance)
{
    // A lamp at 5 V, a light sensor 88 or 89 units from it, a heat sensor at 89.
    const struct {
        int sensorIndex;
        int distance;
        int received;
    } cases[] = {{9, 88, 500}, {9, 89, 250}, {18, 89, 125}};
    for (const auto& c : cases) {
        CVeldtrakDoc doc;
        CComponent* source = Place(doc, 21, 0, -100); // variable voltage, output 1
        source->m_nParam1 = 50;                       // 5.0 V
        CComponent* lamp = Place(doc, 7, 500, -100);
        Wire(doc, source->Bus(0).GetId(), lamp->Bus(0).GetId());
        CComponent* sensor = Place(doc, c.sensorIndex, 0, -600);
        doc.LayOutSockets();
        PutBesides(doc, *sensor, 0, lamp->Bus(1).GetCenter(), c.distance);
        const QStringList lines = RunBoard(doc, 4);
        ASSERT_EQ(lines.size(), 4);
        EXPECT_EQ(lines[1], QStringLiteral("1 CLamp 500 500"));
        EXPECT_TRUE(lines[2].startsWith(QStringLiteral("2 %1 %2 ")
                                            .arg(QString::fromLatin1(sensor->GetClassName()))
                                            .arg(c.received)))
            << lines[2].toStdString();
    }
}

// Socket numbers as a file may have them after much editing: the LED's, read first,
// lie beyond where the look-up by number keeps its plain table at first, and the
// numbers read after it stretch that table over them.
TEST_F(ToolBoardTest, EverySocketIsFoundWhateverItsNumber)
{
    CVeldtrakDoc doc;
    CComponent* led = Place(doc, 8, 800, -100);
    CComponent* toggle = Place(doc, 19, 0, -100);
    CComponent* inverter = Place(doc, 6, 400, -600);
    const struct {
        CComponent* component;
        int first;
    } numbers[] = {{led, 1200}, {toggle, 899}, {inverter, 1000}};
    for (const auto& n : numbers)
        for (int b = 0; b < 2; ++b)
            n.component->Bus(b).SetId(n.first + b);
    toggle->m_nParam2 = 1; // on
    Wire(doc, 900, 1200);
    const QStringList lines = RunBoard(doc, 3);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("0 CLed 500 500"));
    EXPECT_EQ(lines[1], QStringLiteral("1 CToggle 0 500"));

    ASSERT_EQ(Run({QStringLiteral("info"), m_dir.path() + QStringLiteral("/bord.wks")}), 0);
    doc.LayOutSockets();
    const CPoint end = led->Bus(0).GetCenter();
    EXPECT_TRUE(m_out.contains(QStringLiteral(" (%1,%2)\n").arg(end.x).arg(end.y)))
        << "the wire ends on the LED's input:\n" << m_out.toStdString();
}

TEST_F(ToolBoardTest, PulsesAreCounted)
{
    // 10 Hz is a pulse every second tick, the first at once: 41 ticks give 21 pulses.
    CVeldtrakDoc doc;
    CComponent* counter = Place(doc, 14, 800, -100);
    counter->m_nParam2 = 2; // three digits: no wrap
    CComponent* generator = Place(doc, 13, 0, -100);
    generator->m_nParam1 = 10;
    Wire(doc, generator->Bus(0).GetId(), counter->Bus(0).GetId());
    const QStringList lines = RunBoard(doc, 41);
    ASSERT_EQ(lines.size(), 3);
    // Count 21 = 0b10101 drives the bits 1, 2, 4, 8 as 500, 0, 500, 0.
    EXPECT_EQ(lines[0], QStringLiteral("0 CPulsTeller 500 0 0 0 500 0 500 0"));
    EXPECT_EQ(lines[1], QStringLiteral("1 CPulsGenerator 500"));
}

} // namespace

namespace {

// A worksheet with a framed text, a title box, a table and a picture in bmp\.
class ToolAnnotationTest : public ToolTest {
protected:
    QString Worksheet()
    {
        QImage bitmap(30, 20, QImage::Format_RGB32);
        bitmap.fill(qRgb(220, 20, 20));
        QDir(m_dir.path()).mkdir(QStringLiteral("bmp"));
        EXPECT_TRUE(bitmap.save(m_dir.path() + QStringLiteral("/bmp/rood.bmp"), "BMP"));

        CVeldtrakDoc doc;
        auto text = std::make_unique<CTextField>();
        text->SetText(QStringLiteral("{\\rtf1{\\fonttbl{\\f0 X;}}{\\colortbl ;}\r\n\\plain \\b Vet\\plain  "
                                     "gewoon\\par \r\ntweede\\par \r\n\r\n}"),
                      1);
        text->m_rect = CRect(500, -300, 0, 0);
        doc.AddTextField(std::move(text));
        auto title = std::make_unique<CTextField>();
        title->SetText(QStringLiteral("{\\rtf1{\\fonttbl{\\f0 X;}}{\\colortbl ;}\r\n\\plain Titel\\par \r\n\r\n}"), -1);
        title->m_rect = CRect(400, -100, 900, -152);
        doc.AddTextField(std::move(title));
        auto table = std::make_unique<CTabel>();
        table->SetContents({QStringLiteral("a#b#c#d"), QStringLiteral("#"), 1, 1, 1, 2, 2});
        table->m_rect = CRect(500, -800, 0, 0);
        doc.AddTable(std::move(table));
        auto picture = std::make_unique<CPlaatje>();
        picture->SetFile(QString(), QStringLiteral("rood.bmp"));
        picture->m_rect = CRect(1500, -300, 0, 0);
        doc.AddPicture(std::move(picture));
        const QString path = m_dir.path() + QStringLiteral("/opdracht.wks");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(WriteBoard(doc));
        return path;
    }
};

TEST_F(ToolAnnotationTest, InfoGivesEveryAnnotationAfterOneDrawing)
{
    const QString board = Worksheet();
    ASSERT_EQ(Run({QStringLiteral("info"), board}), 0) << m_err.toStdString();
    const QStringList lines = m_out.split(u'\n', Qt::SkipEmptyParts);
    QStringList annotations;
    for (const QString& line : lines)
        if (line.startsWith(u"tekstveld ") || line.startsWith(u"tabel ") || line.startsWith(u"foto "))
            annotations << line;
    ASSERT_EQ(annotations.size(), 4) << m_out.toStdString();
    EXPECT_TRUE(annotations[0].startsWith(QStringLiteral("tekstveld 0: (500,-300)-("))) << annotations[0].toStdString();
    EXPECT_TRUE(annotations[0].endsWith(QStringLiteral(",-404) kader 1"))) << annotations[0].toStdString();
    EXPECT_EQ(annotations[1], QStringLiteral("tekstveld 1: (130,-100)-(1900,-256) kader -1"));
    EXPECT_TRUE(annotations[2].startsWith(QStringLiteral("tabel 0: (500,-800)-("))) << annotations[2].toStdString();
    EXPECT_TRUE(annotations[2].endsWith(QStringLiteral(" kolommen 2 regels 2")));
    // 30 x 20 pixels at 96 dpi are 79 x 53 units.
    EXPECT_EQ(annotations[3], QStringLiteral("foto 0: \"rood.bmp\" (1500,-300)-(1579,-353) 30x20"));
}

TEST_F(ToolAnnotationTest, AStoredTableSeparatorKeepsOnlyItsFirstCharacter)
{
    // The same table, once with a separator of 50 000 characters as a damaged or
    // hand-made file may hold, once with its first character only.
    const auto write = [this](const QString& separator, const QString& name) {
        CVeldtrakDoc doc;
        auto table = std::make_unique<CTabel>();
        table->SetContents({QStringLiteral("a#b"), separator, 0, 0, 0, 2, 1});
        table->m_rect = CRect(500, -800, 0, 0);
        doc.AddTable(std::move(table));
        QFile file(m_dir.path() + u'/' + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(WriteBoard(doc));
        return file.fileName();
    };
    const QString plain = write(QStringLiteral("#"), QStringLiteral("kort.wks"));
    const QString damaged = write(QStringLiteral("#") + QString(49999, u';'), QStringLiteral("lang.wks"));
    ASSERT_EQ(Run({QStringLiteral("info"), plain}), 0) << m_err.toStdString();
    const QString expected = m_out;
    ASSERT_TRUE(expected.contains(QStringLiteral("tabel 0: (500,-800)-("))) << expected.toStdString();
    ASSERT_EQ(Run({QStringLiteral("info"), damaged}), 0) << m_err.toStdString();
    EXPECT_EQ(m_out, expected) << "two cells, a and b";

    const QString copy = m_dir.path() + QStringLiteral("/opnieuw.wks");
    ASSERT_EQ(Run({QStringLiteral("resave"), damaged, copy}), 0) << m_err.toStdString();
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    CVeldtrakDoc reread;
    reread.DeleteContents();
    ASSERT_EQ(ReadBoard(file.readAll(), reread), 0);
    ASSERT_EQ(reread.m_tables.size(), 1u);
    EXPECT_EQ(static_cast<const CTabel&>(*reread.m_tables[0]).m_strSeparator, QStringLiteral("#"));
}

// Runs the tool on something that names a named pipe. Should the program wait for a
// writer, a watchdog opens the pipe for writing after two seconds and closes it, which
// ends the wait; rescued then tells that it had to.
class ToolPipeTest : public ToolAnnotationTest {
protected:
    void SetUp() override
    {
        ToolAnnotationTest::SetUp();
        m_pipe = m_dir.path() + QStringLiteral("/pijp");
        ASSERT_EQ(::mkfifo(QFile::encodeName(m_pipe).constData(), 0600), 0);
    }
    int RunWatched(const QStringList& arguments)
    {
        std::atomic<bool> done{false};
        std::thread watchdog([this, &done] {
            const auto start = std::chrono::steady_clock::now();
            while (!done) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                if (std::chrono::steady_clock::now() - start < std::chrono::seconds(2)) continue;
                const int fd = ::open(QFile::encodeName(m_pipe).constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) { // a reader waits: let it go
                    rescued = true;
                    ::close(fd);
                }
            }
        });
        const int status = Run(arguments);
        done = true;
        watchdog.join();
        return status;
    }

    QString m_pipe;
    std::atomic<bool> rescued{false};
};

TEST_F(ToolPipeTest, ABoardOrPictureThatIsANamedPipeIsRefusedWithoutWaiting)
{
    // A picture named after the pipe (as "\dev\stdin" would be): the board opens
    // without it.
    CVeldtrakDoc doc;
    auto picture = std::make_unique<CPlaatje>();
    picture->SetFile(QString(), WindowsName(m_pipe));
    picture->m_rect = CRect(1500, -300, 0, 0);
    doc.AddPicture(std::move(picture));
    const QString board = m_dir.path() + QStringLiteral("/foto.wks");
    QFile file(board);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteBoard(doc));
    file.close();
    ASSERT_EQ(RunWatched({QStringLiteral("info"), board}), 0) << m_err.toStdString();
    EXPECT_FALSE(rescued) << "opening the board waited on the pipe";
    EXPECT_TRUE(m_out.contains(QStringLiteral("foto 0: \"") + WindowsName(m_pipe) +
                               QStringLiteral("\" (1500,-300)-(1500,-300) 0x0")))
        << m_out.toStdString();

    // The board itself is the pipe: refused, as a file that may not be read.
    EXPECT_NE(RunWatched({QStringLiteral("info"), m_pipe}), 0);
    EXPECT_FALSE(rescued) << "reading the board waited on the pipe";
    EXPECT_FALSE(m_err.isEmpty());
}

// The area of the pixels that pass 'predicate', and how many there are.
template <class Predicate>
std::pair<QRect, int> PixelsWhere(const QImage& image, Predicate predicate)
{
    QRect box;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (predicate(image.pixel(x, y))) {
                box |= QRect(x, y, 1, 1);
                ++n;
            }
    return {box, n};
}

// A picture n pixels long, at a place between two pixels, colours parts of n to n + 2
// pixels, and a PDF rasteriser fills the parts of an image whole.
bool Spans(int pixels, int n)
{
    return pixels >= n && pixels <= n + 2;
}

bool IsRed(QRgb p)
{
    return qRed(p) > 180 && qGreen(p) < 60 && qBlue(p) < 60;
}

// The pages of a PDF as images at 96 dpi, first page first.
std::vector<QImage> PdfPages(const QString& pdf, const QString& folder)
{
    const QString prefix = folder + QStringLiteral("/pagina");
    EXPECT_EQ(QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("96"),
                                                             QStringLiteral("-png"), pdf, prefix}),
              0);
    std::vector<QImage> pages;
    QStringList names = QDir(folder).entryList({QStringLiteral("pagina*.png")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        pages.emplace_back(folder + u'/' + name);
        QFile::remove(folder + u'/' + name);
    }
    return pages;
}

TEST_F(ToolAnnotationTest, PngAndPdfShowThePictureInItsColoursAtItsSize)
{
    const QString board = Worksheet();
    const QString png = m_dir.path() + QStringLiteral("/bord.png");
    ASSERT_EQ(Run({QStringLiteral("png"), board, png}), 0) << m_err.toStdString();
    const QImage screen(png);
    ASSERT_FALSE(screen.isNull());
    const auto grey = [](QRgb p) { return p == qRgb(128, 128, 128); };
    const auto dark = [](QRgb p) { return qGray(p) < 60; };
    EXPECT_EQ(PixelsWhere(screen, IsRed).second, 30 * 20);
    EXPECT_GT(PixelsWhere(screen, grey).second, 20);
    EXPECT_GT(PixelsWhere(screen, dark).second, 200);

    // On paper at 96 dpi the 30 x 20 pixels of a picture laid out at 96 dpi are again
    // 30 x 20 (7.9 x 5.3 mm), red, not the inverse the screen keeps in memory.
    const QString pdf = m_dir.path() + QStringLiteral("/bord.pdf");
    ASSERT_EQ(Run({QStringLiteral("pdf"), board, pdf}), 0) << m_err.toStdString();
    EXPECT_TRUE(m_out.isEmpty()) << "a narrow board is printed at true size: " << m_out.toStdString();
    const std::vector<QImage> pages = PdfPages(pdf, m_dir.path());
    ASSERT_EQ(pages.size(), 1u);
    const auto [box, red] = PixelsWhere(pages[0], IsRed);
    EXPECT_TRUE(Spans(box.width(), 30)) << box.width();
    EXPECT_TRUE(Spans(box.height(), 20)) << box.height();
    EXPECT_GT(red, 28 * 18);
    EXPECT_GT(PixelsWhere(pages[0], dark).second, 200); // the texts and the table's black border
    EXPECT_GT(PixelsWhere(pages[0], [](QRgb p) { return qGray(p) > 90 && qGray(p) < 170 && qRed(p) == qBlue(p); }).second, 10);
}

TEST_F(ToolAnnotationTest, APageThatHoldsOnlyAPictureShowsIt)
{
    QImage bitmap(40, 40, QImage::Format_RGB32);
    bitmap.fill(qRgb(220, 20, 20));
    QDir(m_dir.path()).mkdir(QStringLiteral("bmp"));
    ASSERT_TRUE(bitmap.save(m_dir.path() + QStringLiteral("/bmp/rood.png"), "PNG"));
    CVeldtrakDoc doc;
    auto inverter = doc.CreateComponent(6);
    inverter->MoveTo(200, -200);
    doc.AddComponent(std::move(inverter));
    auto picture = std::make_unique<CPlaatje>();
    picture->SetFile(QString(), QStringLiteral("rood.png"));
    picture->m_rect = CRect(200, -5000, 0, 0); // far below the first page, alone
    doc.AddPicture(std::move(picture));
    const QString board = m_dir.path() + QStringLiteral("/twee.wks");
    QFile file(board);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteBoard(doc));
    file.close();

    const QString pdf = m_dir.path() + QStringLiteral("/twee.pdf");
    ASSERT_EQ(Run({QStringLiteral("pdf"), board, pdf}), 0) << m_err.toStdString();
    const std::vector<QImage> pages = PdfPages(pdf, m_dir.path());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(PixelsWhere(pages[0], IsRed).second, 0);
    const QRect box = PixelsWhere(pages[1], IsRed).first;
    EXPECT_TRUE(Spans(box.width(), 40)) << box.width();
    EXPECT_TRUE(Spans(box.height(), 40)) << box.height();
}

TEST_F(ToolAnnotationTest, ABoardWiderThanThePaperIsPrintedSmallerOnOnePage)
{
    // Inverters 2 cm from the left and at 50 cm: on A4 at true size they would fall on
    // pages in different columns.
    CVeldtrakDoc doc;
    for (int x : {200, 5000}) {
        auto inverter = doc.CreateComponent(6);
        inverter->MoveTo(x, -200);
        doc.AddComponent(std::move(inverter));
    }
    const QString board = m_dir.path() + QStringLiteral("/breed.wks");
    QFile file(board);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteBoard(doc));
    file.close();

    const QString pdf = m_dir.path() + QStringLiteral("/breed.pdf");
    ASSERT_EQ(Run({QStringLiteral("pdf"), board, pdf}), 0) << m_err.toStdString();
    EXPECT_TRUE(m_out.startsWith(QStringLiteral("Het bord is breder dan het papier en is verkleind tot ")))
        << m_out.toStdString();
    const std::vector<QImage> pages = PdfPages(pdf, m_dir.path());
    ASSERT_EQ(pages.size(), 1u);
    // Both inverters on the one page: dark pixels in its left and in its right third.
    const QImage& page = pages[0];
    const auto darkIn = [&page](int from, int to) {
        int n = 0;
        for (int y = 0; y < page.height() / 3; ++y)
            for (int x = from; x < to; ++x)
                n += qGray(page.pixel(x, y)) < 80;
        return n;
    };
    EXPECT_GT(darkIn(0, page.width() / 3), 30);
    EXPECT_GT(darkIn(page.width() * 2 / 3, page.width()), 30);
}

} // namespace
