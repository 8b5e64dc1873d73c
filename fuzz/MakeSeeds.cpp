// Writes the seeds of the fuzz corpora, one folder per target: boards holding every
// class, wires, probes, texts, tables and pictures; settings contents; command lines;
// rich texts, tables and bitmaps. The boards named after the folder (the shipped
// worksheets) join the board seeds, and their texts and tables those of their targets.
#include "FuzzSupport.h"

#include "annotations/Picture.h"
#include "annotations/RtfWriter.h"
#include "annotations/Table.h"
#include "annotations/TextField.h"
#include "components/Sonde.h"
#include "document/BoardArchive.h"
#include "document/Document.h"
#include "document/SettingsStore.h"
#include "platform/CodePage.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>
#include <memory>

namespace {

constexpr int kClassCount = 25; // creation indexes 0..24

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    file.write(bytes);
}

CBus* FirstOfKind(CComponent& c, int kind)
{
    for (int b = 0; b < c.GetBusCount(); ++b)
        if (c.Bus(b).GetKind() == kind)
            return &c.Bus(b);
    return nullptr;
}

// Every class on a grid, each output wired to the next component's first input, a
// probe on every output.
void FillAllClasses(CVeldtrakDoc& doc, bool annotations)
{
    for (int i = 0; i < kClassCount; ++i) {
        std::unique_ptr<CComponent> c = doc.CreateComponent(i);
        c->MoveTo(200 + (i % 5) * 1200, -200 - (i / 5) * 1200);
        doc.AddComponent(std::move(c));
    }
    doc.LayOutSockets();
    int probe = 0;
    // Over the classes only: the probes join the same list.
    for (std::size_t i = 0; i + 1 < std::size_t(kClassCount); ++i) {
        CBus* out = FirstOfKind(*doc.m_components[i], BUS_OUTPUT);
        CBus* in = FirstOfKind(*doc.m_components[i + 1], BUS_INPUT);
        if (!out)
            continue;
        if (in) {
            auto wire = std::make_unique<CDraad>();
            wire->AddPoint(out->GetCenter(), out->GetId(), 30);
            wire->AddPoint({out->GetCenter().x, in->GetCenter().y}, 0, 30);
            wire->AddPoint(in->GetCenter(), in->GetId(), 30);
            doc.AddWire(std::move(wire));
        }
        auto sonde = std::make_unique<CSonde>();
        doc.m_nLastBusId = sonde->NumberBuses(doc.m_nLastBusId);
        sonde->m_nParam1 = out->GetId();
        sonde->m_nParam2 = ++probe;
        doc.AddComponent(std::move(sonde));
    }
    doc.RouteWireEnds();
    if (!annotations)
        return;
    auto text = std::make_unique<CTextField>();
    text->m_rect = {100, -6500, 3000, -7500};
    text->m_strText = QStringLiteral("{\\rtf1 Opdracht: maak een {\\b schakeling}.\\par}");
    text->m_nFrame = 1;
    doc.AddTextField(std::move(text));
    auto table = std::make_unique<CTabel>();
    table->m_rect = {3500, -6500, 6000, -7500};
    table->m_strData = QStringLiteral("U#I#1,0#0,2#2,0#0,4");
    table->m_nColumns = 2;
    table->m_nRows = 3;
    table->m_bColumnHeader = 1;
    doc.AddTable(std::move(table));
    auto picture = std::make_unique<CPlaatje>();
    picture->m_rect = {100, -8000, 1100, -9000};
    picture->m_strFolder = QStringLiteral("bmp\\");
    picture->m_strFileName = QStringLiteral("lamp.bmp");
    doc.AddPicture(std::move(picture));
    doc.m_nPermissions = 0x5B;
    doc.m_strBoardTitle = QStringLiteral("Alles op één bord");
    doc.m_strNextBoard = QStringLiteral("verwerking\\teller.wks");
    doc.m_strNextPassword = QStringLiteral("café");
}

void WriteBoards(const QString& folder)
{
    CVeldtrakDoc empty;
    Write(folder + QStringLiteral("/leeg.wks"), WriteBoard(empty));

    CVeldtrakDoc gate;
    std::unique_ptr<CComponent> c = gate.CreateComponent(3);
    c->MoveTo(500, -700);
    gate.AddComponent(std::move(c));
    Write(folder + QStringLiteral("/poort.wks"), WriteBoard(gate));

    CVeldtrakDoc all;
    FillAllClasses(all, false);
    Write(folder + QStringLiteral("/alle-klassen.wks"), WriteBoard(all));

    CVeldtrakDoc sheet;
    FillAllClasses(sheet, true);
    Write(folder + QStringLiteral("/werkblad.wks"), WriteBoard(sheet));
}

void WriteSettings(const QString& folder)
{
    CSettingsStore store;
    store.SetSetting(QStringLiteral("NameHelpFile"), QStringLiteral("help\\Veldtrak400.htm"));
    store.SetSetting(QStringLiteral("FolderBitmap"), QStringLiteral("bmp\\"));
    store.SetSetting(QStringLiteral("FolderOutput"), QStringLiteral("leerling\\"));
    store.SetSetting(QStringLiteral("Password"), QStringLiteral("geheim"));
    store.SetSettingInt(QStringLiteral("TextSnap"), 30);
    store.SetSettingInt(QStringLiteral("SnapMargin"), 20);
    store.SetSettingInt(QStringLiteral("EraseMargin"), 40);
    store.SetSettingInt(QStringLiteral("ProbeWidth"), 120);
    store.SetList(QStringLiteral("FolderWerkblad"),
                  {QStringLiteral("praktisch\\"), QStringLiteral("blackbox\\"), QStringLiteral("café\\")});
    store.SetList(QStringLiteral("ExtensieWerkblad"), {QStringLiteral("wks"), QStringLiteral("ant")});
    // The settings target scrambles its input itself: the seeds are plain text.
    Write(folder + QStringLiteral("/instellingen.txt"), CSettingsStore::Unscramble(store.Content()));
    Write(folder + QStringLiteral("/kort.txt"), "ExtensieWerkblad0: ant\r\n");
}

void WriteCommandLines(const QString& folder)
{
    Write(folder + QStringLiteral("/bord.txt"), "/file:invoer\nen\nuitvoer\\invoer.wks\n");
    Write(folder + QStringLiteral("/uitvoer.txt"), "/dir:D:\\uitvoer\n/file:\"/tmp/bord.wks\"\n/docent\n");
    Write(folder + QStringLiteral("/pad.txt"), "/home/juf/bord.wks\n");
}

// The seed of the table target: rows, columns and separator length, then the
// separator and the cell data.
QByteArray TableSeed(const CTabel& table)
{
    QByteArray seed;
    seed.append(char(table.m_nRows)).append(char(table.m_nColumns));
    seed.append(char(table.m_strSeparator.size()));
    return seed + ToCp1252(table.m_strSeparator + table.m_strData);
}

void WriteRichTexts(const QString& folder)
{
    QTextDocument editor;
    QTextCursor cursor(&editor);
    QTextCharFormat format;
    cursor.insertText(QStringLiteral("Zet de schakelaar "));
    format.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("aan"), format);
    format.setFontItalic(true);
    cursor.insertText(QStringLiteral(" en één "), format);
    format = {};
    format.setFontUnderline(true);
    cursor.insertText(QStringLiteral("lamp\\{brandt}\n"), format);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("Tweede regel\tmet tab, € en ©."));
    Write(folder + QStringLiteral("/opmaak.rtf"), ToCp1252(WriteBoardRtf(editor)));
    Write(folder + QStringLiteral("/anders.rtf"),
          "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}"
          "\\pard\\f0\\fs20 Ge{\\b vet}\\b0 , \\ul onder\\ulnone\\line \\'e9\\u8364? \\{ \\\\ \\tab}");
}

void WriteTables(const QString& folder)
{
    CTabel table;
    table.m_strData = QStringLiteral("U (V)#I\r\n(mA)##0,5#1,0#2,0");
    table.m_nRows = 3;
    table.m_nColumns = 2;
    Write(folder + QStringLiteral("/meting.tab"), TableSeed(table));
    table.m_strSeparator = QStringLiteral(";");
    table.m_strData = QStringLiteral("a;b;c;d;e;f;g;h;i;j;k;l;m;n;o;p;q;r;s;t;u;v;w;x;y;z");
    table.m_nRows = 10;
    table.m_nColumns = 5;
    Write(folder + QStringLiteral("/vol.tab"), TableSeed(table));
}

void WriteBitmaps(const QString& folder)
{
    QImage colour(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < colour.height(); ++y)
        for (int x = 0; x < colour.width(); ++x)
            colour.setPixel(x, y, qRgb(x * 36, y * 50, (x ^ y) * 30));
    const struct {
        const char* name;
        QImage image;
    } bitmaps[] = {
        {"/kleur.bmp", colour},
        {"/grijs.bmp", colour.convertToFormat(QImage::Format_Indexed8)},
        {"/zwartwit.bmp", colour.convertToFormat(QImage::Format_Mono)},
    };
    for (const auto& b : bitmaps) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        b.image.save(&buffer, "BMP");
        Write(folder + QLatin1String(b.name), bytes);
    }
}

// A shipped board joins the board seeds; its texts and tables join theirs.
void AddShippedBoard(const QString& seeds, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        std::exit(1);
    }
    const QByteArray bytes = file.readAll();
    const QString name = QFileInfo(path).fileName();
    Write(seeds + QStringLiteral("/board/") + name, bytes);
    CVeldtrakDoc doc;
    if (ReadBoard(bytes, doc) != 0)
        return;
    int n = 0;
    for (const auto& object : doc.m_textFields)
        if (const auto* text = dynamic_cast<const CTextField*>(object.get()))
            Write(seeds + QStringLiteral("/richtext/%1-%2.rtf").arg(name).arg(++n), ToCp1252(text->m_strText));
    for (const auto& object : doc.m_tables)
        if (const auto* table = dynamic_cast<const CTabel*>(object.get()))
            Write(seeds + QStringLiteral("/table/%1-%2.tab").arg(name).arg(++n), TableSeed(*table));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: vt-fuzz-seeds SEEDS-DIR [BOARD...]\n");
        return 2;
    }
    InitFuzzing();
    const QString seeds = QString::fromLocal8Bit(argv[1]);
    for (const char* target : {"board", "settings", "commandline", "richtext", "table", "bitmap"})
        QDir().mkpath(seeds + u'/' + QLatin1String(target));
    WriteBoards(seeds + QStringLiteral("/board"));
    WriteSettings(seeds + QStringLiteral("/settings"));
    WriteCommandLines(seeds + QStringLiteral("/commandline"));
    WriteRichTexts(seeds + QStringLiteral("/richtext"));
    WriteTables(seeds + QStringLiteral("/table"));
    WriteBitmaps(seeds + QStringLiteral("/bitmap"));
    for (int i = 2; i < argc; ++i)
        AddShippedBoard(seeds, QString::fromLocal8Bit(argv[i]));
    return 0;
}
