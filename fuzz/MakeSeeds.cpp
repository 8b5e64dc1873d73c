// Writes the generated seeds of the fuzz corpora: boards holding every class, wires,
// probes, texts, tables and pictures; settings contents; command lines. The shipped
// worksheets are added to the board corpus by scripts/fuzz.sh.
#include "FuzzSupport.h"

#include "annotations/Picture.h"
#include "annotations/Table.h"
#include "annotations/TextField.h"
#include "components/Sonde.h"
#include "document/BoardArchive.h"
#include "document/Document.h"
#include "document/SettingsStore.h"

#include <QDir>
#include <QFile>

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

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: vt-fuzz-seeds BOARD-DIR SETTINGS-DIR COMMANDLINE-DIR\n");
        return 2;
    }
    InitFuzzing();
    for (int i = 1; i < 4; ++i)
        QDir().mkpath(QString::fromLocal8Bit(argv[i]));
    WriteBoards(QString::fromLocal8Bit(argv[1]));
    WriteSettings(QString::fromLocal8Bit(argv[2]));
    WriteCommandLines(QString::fromLocal8Bit(argv[3]));
    return 0;
}
