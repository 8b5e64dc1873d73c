// Writes the worksheets that ship with the program into a program folder:
//   vt-make-worksheets DATAFOLDER
// Run it after changing a worksheet here; the results are kept in data/.
#include "annotations/AnnotationClasses.h"
#include "annotations/TextField.h"
#include "document/BoardArchive.h"
#include "document/Document.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace {

class CWorksheet {
public:
    explicit CWorksheet(const QString& title)
    {
        m_doc.m_strBoardTitle = title;
        m_doc.m_strHelpFile.clear();
    }

    CComponent& Place(int creationIndex, int x, int y)
    {
        auto c = m_doc.CreateComponent(creationIndex);
        c->MoveTo(x, y);
        CComponent& placed = *c;
        m_doc.AddComponent(std::move(c));
        return placed;
    }
    void Wire(const CComponent& from, int fromBus, const CComponent& to, int toBus)
    {
        auto wire = std::make_unique<CDraad>();
        wire->AddPoint({0, 0}, from.Bus(fromBus).GetId(), 30);
        wire->AddPoint({0, 0}, to.Bus(toBus).GetId(), 30);
        m_doc.AddWire(std::move(wire));
    }
    // An assignment text: paragraphs as plain lines in a small rich text.
    void Text(int x, int y, const QStringList& lines, int frame = 1)
    {
        auto field = std::make_unique<CTextField>();
        field->m_rect = CRect(x, y, 0, 0);
        QString rtf = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs20 ");
        for (const QString& line : lines)
            rtf += line + QStringLiteral("\\par ");
        field->m_strText = rtf + u'}';
        field->m_nFrame = frame;
        m_doc.AddTextField(std::move(field));
    }
    void Protect(int permissions) { m_doc.m_nPermissions = permissions; }

    bool Save(const QString& folder, const QString& relative)
    {
        m_doc.LayOutSockets();
        m_doc.RouteWireEnds();
        const QString path = folder + u'/' + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(WriteBoard(m_doc));
        return true;
    }

private:
    CVeldtrakDoc m_doc;
};

enum Index {
    COMPARATOR = 1, PUSH_BUTTON = 2, AND_GATE = 3, MEMORY = 4, INVERTER = 6, LAMP = 7, LED = 8,
    LIGHT_SENSOR = 9, OR_GATE = 12, PULSE_GENERATOR = 13, PULSE_COUNTER = 14, VOLTMETER = 16,
    TOGGLE = 19, VOLTAGE = 21, XOR_GATE = 22, BUZZER = 23,
};

bool Introduction(const QString& folder)
{
    CWorksheet sheet(QStringLiteral("Introductie: invoer en uitvoer"));
    sheet.Text(300, -150, {QStringLiteral("Start de meting met Start in het menu Meting."),
                           QStringLiteral("Druk met de muis op de grijze knoppen en schuif de spanning."),
                           QStringLiteral("Wat doen de lamp, de LED en de spanningsmeter?")});
    CComponent& button = sheet.Place(PUSH_BUTTON, 300, -700);
    CComponent& lamp = sheet.Place(LAMP, 1100, -700);
    sheet.Wire(button, 1, lamp, 0);
    CComponent& toggle = sheet.Place(TOGGLE, 300, -1100);
    CComponent& led = sheet.Place(LED, 1100, -1100);
    sheet.Wire(toggle, 1, led, 0);
    CComponent& voltage = sheet.Place(VOLTAGE, 300, -1500);
    CComponent& meter = sheet.Place(VOLTMETER, 1100, -1500);
    sheet.Wire(voltage, 0, meter, 0);
    return sheet.Save(folder, QStringLiteral("invoer en uitvoer/invoer.wks"));
}

bool CarLights(const QString& folder)
{
    CWorksheet sheet(QStringLiteral("Automatische autoverlichting"));
    sheet.Text(300, -150, {QStringLiteral("Als het donker wordt, moet de lamp van de auto vanzelf aangaan."),
                           QStringLiteral("Houd Shift ingedrukt: de muis is dan een lichtbron bij de lichtsensor."),
                           QStringLiteral("Stel de comparator zo in dat de lamp bij schemer aangaat.")});
    CComponent& sensor = sheet.Place(LIGHT_SENSOR, 300, -800);
    CComponent& comparator = sheet.Place(COMPARATOR, 800, -750);
    comparator.m_nParam1 = 25; // 2,5 V
    CComponent& inverter = sheet.Place(INVERTER, 1500, -800);
    CComponent& lamp = sheet.Place(LAMP, 2100, -800);
    sheet.Wire(sensor, 1, comparator, 0);
    sheet.Wire(comparator, 1, inverter, 0);
    sheet.Wire(inverter, 1, lamp, 0);
    return sheet.Save(folder, QStringLiteral("praktisch/auto_licht.wks"));
}

bool BlackBox(const QString& folder)
{
    CWorksheet sheet(QStringLiteral("Blackbox 1: welke poort?"));
    sheet.Text(300, -150, {QStringLiteral("In de doos zit een poort. Zet de twee toggles in alle standen."),
                           QStringLiteral("Schrijf op wanneer de LED brandt. Welke poort is het?")});
    CComponent& a = sheet.Place(TOGGLE, 300, -700);
    CComponent& b = sheet.Place(TOGGLE, 300, -1000);
    CComponent& box = sheet.Place(XOR_GATE, 900, -800);
    box.m_nParam1 = 1;
    CComponent& led = sheet.Place(LED, 1500, -800);
    sheet.Wire(a, 1, box, 0);
    sheet.Wire(b, 1, box, 1);
    sheet.Wire(box, 2, led, 0);
    sheet.Protect(PERMIT_ALL & ~PERMIT_IDENTIFY_BLACKBOXES & ~PERMIT_DELETE_COMPONENTS);
    return sheet.Save(folder, QStringLiteral("blackbox/blackbox1.wks"));
}

bool Memory(const QString& folder)
{
    CWorksheet sheet(QStringLiteral("Een geheugencel met een alarm"));
    sheet.Text(300, -150, {QStringLiteral("Met de bovenste drukschakelaar zet je het alarm aan,"),
                           QStringLiteral("met de onderste weer uit. Probeer het!")});
    CComponent& set = sheet.Place(PUSH_BUTTON, 300, -700);
    CComponent& reset = sheet.Place(PUSH_BUTTON, 300, -1000);
    CComponent& memory = sheet.Place(MEMORY, 1000, -800);
    CComponent& buzzer = sheet.Place(BUZZER, 1700, -800);
    sheet.Wire(set, 1, memory, 0);
    sheet.Wire(reset, 1, memory, 1);
    sheet.Wire(memory, 2, buzzer, 0);
    return sheet.Save(folder, QStringLiteral("verwerking/geheugen.wks"));
}

bool Counter(const QString& folder)
{
    CWorksheet sheet(QStringLiteral("Pulsen tellen"));
    sheet.Text(300, -150, {QStringLiteral("De pulsgenerator geeft pulsen aan de pulsteller."),
                           QStringLiteral("Hoe lang duurt het tot de teller op 10 staat bij 2 Hz?")});
    CComponent& generator = sheet.Place(PULSE_GENERATOR, 300, -800);
    generator.m_nParam1 = 2;
    CComponent& counter = sheet.Place(PULSE_COUNTER, 1100, -700);
    counter.m_nParam2 = 1; // two digits
    sheet.Wire(generator, 0, counter, 0);
    return sheet.Save(folder, QStringLiteral("verwerking/teller.wks"));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Gebruik: vt-make-worksheets DATAMAP\n");
        return 2;
    }
    RegisterBoardClasses();
    RegisterAnnotationClasses();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool ok = Introduction(folder) && CarLights(folder) && BlackBox(folder) &&
                    Memory(folder) && Counter(folder);
    return ok ? 0 : 1;
}
