#include "ToolCommands.h"

#include "CheckCommand.h"
#include "RunOutputs.h"
#include "TeacherAccess.h"

#include "annotations/AnnotationAuthoring.h"
#include "annotations/AnnotationClasses.h"
#include "annotations/Picture.h"
#include "annotations/Table.h"
#include "annotations/TextField.h"
#include "boardview/BoardRender.h"
#include "core/Archive.h"
#include "document/BoardArchive.h"
#include "document/BoardJson.h"
#include "document/Document.h"
#include "document/FileErrors.h"
#include "document/MeasurementLog.h"
#include "platform/DrawContext.h"
#include "platform/FileIO.h"
#include "platform/ModalRunner.h"
#include "platform/Paths.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>

#include <chrono>

namespace {

constexpr int kYes = 6;

const char* const kUsage =
    "Gebruik:\n"
    "  veldtrak-tool info BESTAND\n"
    "  veldtrak-tool resave INVOER UITVOER\n"
    "  veldtrak-tool run BESTAND --ticks N [--csv UITVOER.csv] [--grafiek UITVOER.png|UITVOER.svg]\n"
    "  veldtrak-tool png BESTAND UITVOER.png\n"
    "  veldtrak-tool pdf BESTAND UITVOER.pdf\n"
    "  veldtrak-tool export BESTAND UITVOER.json\n"
    "  veldtrak-tool import INVOER.json UITVOER.wks [INVOER.json UITVOER.wks ...]\n";

// What the commands do, for "--help".
const char* const kHelp =
    "\n"
    "run      voert N meettikken van 50 ms uit en drukt de niveaus van alle bussen af;\n"
    "         met --csv ook de meetwaarden van de sondes: tijd (s) en per sonde de\n"
    "         spanning in volt, met decimale komma en ';' als scheidingsteken;\n"
    "         met --grafiek de meetgrafiek van de hele meting als PNG of SVG.\n"
    "check    vergelijkt het bord van een leerling met dat van de docent: beide borden\n"
    "         krijgen dezelfde patronen op drukschakelaars, switches, toggles,\n"
    "         variabele spanningen en licht-, geluid- en temperatuursensoren (0 of 1;\n"
    "         0,0 tot 5,0 V per 0,5 V; een sensor krijgt die spanning van een bron in\n"
    "         de hand), alle combinaties tot 1024 patronen en anders een vaste\n"
    "         steekproef van 1024. Borden van meer dan 500 onderdelen worden niet\n"
    "         gecontroleerd (te groot). Elk patroon\n"
    "         duurt een aantal tikken (onderdelen van het grootste bord plus een,\n"
    "         10 tot 200), eerst elk na een reset, daarna alle achter elkaar met\n"
    "         na elk patroon alle invoer op 0 (zo telt ook wat een schakeling onthoudt).\n"
    "         Vergeleken worden lampen (helderheid), LED's en zoemers (aan/uit),\n"
    "         spanningsmeters (de waarde) en pulstellers (de stand), elk met die van\n"
    "         de docent van dezelfde soort die het dichtst bij zijn plaats staat;\n"
    "         spanningsmeters en sondes die de leerling erbij zette tellen niet mee.\n"
    "         Met --dir worden alle borden in de folder gecontroleerd en volgt een\n"
    "         tabel: naam, oordeel, eerste verschil.\n"
    "         Uitgang 0: alles goed; 1: een bord wijkt af of is onleesbaar;\n"
    "         2: de controle kon niet worden gedaan.\n";

// The tool has no user to ask: messages go to the error stream, questions are
// answered yes (the command line already said what to do).
class CToolDialogs {
public:
    explicit CToolDialogs(QTextStream& err)
    {
        m_previous = SetModalHandler([&err](QDialog& dialog) {
            if (auto* box = qobject_cast<CMessageBox*>(&dialog)) {
                QStringList lines = box->Lines();
                lines.removeAll(QString());
                err << dialog.windowTitle() << ": " << lines.join(u' ') << Qt::endl;
                return 1;
            }
            return kYes;
        });
    }
    ~CToolDialogs() { SetModalHandler(std::move(m_previous)); }

private:
    ModalHandler m_previous;
};

// A stored name for a path given on the command line, relative to where the tool runs.
QString StoredName(const QString& argument)
{
    return WindowsName(QFileInfo(argument).absoluteFilePath());
}

QString Quoted(const QString& text)
{
    return u'"' + text + u'"';
}

QString Corners(const CRect& r)
{
    return QStringLiteral("(%1,%2)-(%3,%4)").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom);
}

// One line per text field, table and picture, with the rectangle they have once the
// board has been drawn at the screen's resolution.
void PrintAnnotations(CVeldtrakDoc& doc, QTextStream& out)
{
    LayOutAnnotations(doc, 96);
    for (std::size_t i = 0; i < doc.m_textFields.size(); ++i)
        if (const auto* f = dynamic_cast<const CTextField*>(doc.m_textFields[i].get()))
            out << "tekstveld " << i << ": " << Corners(f->m_rect) << " kader " << f->m_nFrame << '\n';
    for (std::size_t i = 0; i < doc.m_tables.size(); ++i)
        if (const auto* t = dynamic_cast<const CTabel*>(doc.m_tables[i].get()))
            out << "tabel " << i << ": " << Corners(t->m_rect) << " kolommen " << t->m_nColumns
                << " regels " << t->m_nRows << '\n';
    for (std::size_t i = 0; i < doc.m_pictures.size(); ++i)
        if (const auto* p = dynamic_cast<const CPlaatje*>(doc.m_pictures[i].get()))
            out << "foto " << i << ": " << Quoted(p->m_strFileName) << ' ' << Corners(p->m_rect)
                << ' ' << p->m_nWidth << 'x' << p->m_nHeight << '\n';
}

void PrintInfo(CVeldtrakDoc& doc, QTextStream& out, bool teacher)
{
    out << "bord: titel=" << Quoted(doc.m_strBoardTitle) << " rechten=" << doc.m_nPermissions
        << " help=" << Quoted(doc.m_strHelpFile) << " vorig=" << Quoted(doc.m_strPrevBoard)
        << " volgend=" << Quoted(doc.m_strNextBoard) << '\n';
    if (teacher)
        out << "wachtwoorden: vorig=" << Quoted(doc.m_strPrevPassword)
            << " volgend=" << Quoted(doc.m_strNextPassword) << '\n';
    out << "tekstvelden: " << doc.m_textFields.size() << " tabellen: " << doc.m_tables.size()
        << " foto's: " << doc.m_pictures.size() << '\n';
    // Large boards print hundreds of thousands of numbers: the lines are put together
    // in one text, which the stream then takes at once.
    QString text;
    text.reserve(qsizetype(doc.m_components.size()) * 80 + qsizetype(doc.m_wires.size()) * 64);
    const auto number = [&text](long long n) { text += QString::number(n); };
    for (std::size_t i = 0; i < doc.m_components.size(); ++i) {
        const CComponent& c = *doc.m_components[i];
        text += QLatin1String("component ");
        number(qsizetype(i));
        text += QLatin1String(": ") + ComponentKind(c, teacher) + QLatin1String(" (");
        number(c.m_rect.left);
        text += u',';
        number(c.m_rect.top);
        text += QLatin1String(") bussen");
        for (int b = 0; b < c.GetBusCount(); ++b) {
            text += u' ';
            number(c.Bus(b).GetId());
        }
        if (!IsHiddenBlackbox(c, teacher)) {
            text += QLatin1String(" param ");
            for (int p : {c.m_nParam1, c.m_nParam2, c.m_nCorner}) {
                number(p);
                text += u' ';
            }
            number(c.m_nParam4);
        }
        text += u'\n';
    }
    PrintAnnotations(doc, out);
    for (std::size_t i = 0; i < doc.m_wires.size(); ++i) {
        const CDraad& w = *doc.m_wires[i];
        text += QLatin1String("draad ");
        number(qsizetype(i));
        text += QLatin1String(": ");
        number(w.m_nBus1);
        text += QLatin1String(" -> ");
        number(w.m_nBus2);
        text += QLatin1String(" kleur ") +
                QString::number(w.m_colour, 16).rightJustified(6, u'0').toUpper() +
                QLatin1String(" punten");
        for (const CPoint& p : w.m_points) {
            text += QLatin1String(" (");
            number(p.x);
            text += u',';
            number(p.y);
            text += u')';
        }
        text += u'\n';
    }
    out << text;
}

int RunMeasurement(CVeldtrakDoc& doc, long long ticks, QTextStream& out, bool teacher)
{
    // Sockets take their places when their component draws, as on screen.
    doc.LayOutSockets();
    CMemoryDC dc(64, 64);

    doc.m_bBusy = false;
    doc.Start();
    const auto begin = std::chrono::steady_clock::now();
    for (long long i = 0; i < ticks; ++i)
        doc.Tick(dc, CPoint(0, 0), 0);
    const auto elapsed = std::chrono::steady_clock::now() - begin;
    doc.Stop();
    doc.UnlinkAll();

    for (std::size_t i = 0; i < doc.m_components.size(); ++i) {
        const CComponent& c = *doc.m_components[i];
        out << i << ' ' << (IsHiddenBlackbox(c, teacher) ? "blackbox" : c.GetClassName());
        for (int b = 0; b < c.GetBusCount(); ++b)
            out << ' ' << std::abs(c.Bus(b).m_nValue);
        out << '\n';
    }
    const long long ns = std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count();
    out << "tick-ns: " << (ticks > 0 ? ns / ticks : 0) << '\n';
    return 0;
}

QString FileProblem(int cause, const QString& path)
{
    QString message = FileErrorMessage(cause);
    message.replace(QStringLiteral("%s"), path);
    return message.isEmpty() ? QStringLiteral("Er is een algemene fout opgetreden") : message;
}

bool ReadInput(const QString& path, QByteArray& bytes, QTextStream& err)
{
    const int cause = ReadWholeFile(path, bytes);
    if (cause != FILE_OK)
        err << FileProblem(cause, path) << '.' << Qt::endl;
    return cause == FILE_OK;
}

bool WriteOutput(const QString& path, const QByteArray& bytes, QTextStream& err)
{
    QDir().mkpath(QFileInfo(path).path());
    const int cause = WriteWholeFile(path, bytes);
    if (cause != FILE_OK)
        err << FileProblem(cause, path) << '.' << Qt::endl;
    return cause == FILE_OK;
}

// The board as stored, without the fix-ups that opening it for the screen makes (those
// move wire ends), so that the text holds exactly the file's fields.
int ExportBoard(const QString& input, const QString& output, bool teacher, QTextStream& err)
{
    QByteArray bytes;
    if (!ReadInput(input, bytes, err))
        return 1;
    CVeldtrakDoc doc;
    doc.DeleteContents();
    if (const int cause = ReadBoard(bytes, doc); cause != ARCHIVE_OK) {
        QString message = ArchiveErrorMessage(cause);
        message.replace(QStringLiteral("%s"), input);
        err << input << ": " << message << '.' << Qt::endl;
        return 1;
    }
    return WriteOutput(output, ExportForReader(doc, teacher), err) ? 0 : 1;
}

int ImportBoard(const QString& input, const QString& output, QTextStream& err)
{
    QByteArray json;
    if (!ReadInput(input, json, err))
        return 1;
    CVeldtrakDoc doc;
    doc.DeleteContents();
    QString problem;
    if (!ImportBoardJson(json, doc, problem)) {
        err << input << ", " << problem << Qt::endl;
        return 1;
    }
    return WriteOutput(output, WriteBoard(doc), err) ? 0 : 1;
}

} // namespace

int RunToolCommand(const QStringList& given, QTextStream& out, QTextStream& err)
{
    static const bool registered = [] {
        RegisterBoardClasses();
        RegisterAnnotationClasses();
        return true;
    }();
    (void)registered;

    const QString command = given.value(0);
    if (command == u"--help" || command == u"help") {
        out << kUsage << kCheckUsage << kTeacherUsage << kHelp;
        return 0;
    }
    if (command == u"check")
        return RunCheckCommand(given.mid(1), out, err);
    if (command == u"docentwachtwoord")
        return RunTeacherPasswordCommand(given.mid(1), out, err);
    // A black box's kind and the link passwords only for the teacher.
    QStringList arguments = given;
    bool teacher = false;
    if (const int refused = TakeTeacherOptions(arguments, teacher, err); refused >= 0)
        return refused;
    // The document makes the program folder current: take the paths before.
    QStringList paths;
    for (qsizetype i = 1; i < arguments.size(); ++i)
        paths << QFileInfo(arguments[i]).absoluteFilePath();
    if (command == u"export" && paths.size() == 2)
        return ExportBoard(paths[0], paths[1], teacher, err);
    if (command == u"import" && !paths.isEmpty() && paths.size() % 2 == 0) {
        for (qsizetype i = 0; i < paths.size(); i += 2)
            if (const int status = ImportBoard(paths[i], paths[i + 1], err); status != 0)
                return status;
        return 0;
    }
    const bool info = command == u"info" && arguments.size() == 2;
    const bool resave = command == u"resave" && arguments.size() == 3;
    bool ticksOk = false;
    const long long ticks = arguments.value(3).toLongLong(&ticksOk);
    RunOutputs outputs;
    const bool run = command == u"run" && arguments.size() >= 4 && arguments[2] == u"--ticks" && ticksOk &&
                     ticks >= 0 && ParseRunOutputs(arguments.mid(4), outputs, err);
    const bool render = (command == u"png" || command == u"pdf") && arguments.size() == 3;
    if (!info && !resave && !run && !render) {
        err << kUsage << kCheckUsage << kTeacherUsage;
        return 2;
    }

    const QString input = StoredName(arguments[1]);
    const QString output = resave ? StoredName(arguments[2]) : QString();
    // Taken before the document makes the program folder current.
    const QString renderFile = render ? QFileInfo(arguments[2]).absoluteFilePath() : QString();
    CToolDialogs dialogs(err);
    CVeldtrakDoc doc;
    if (!doc.OnOpenDocument(input))
        return 1;
    if (info) {
        PrintInfo(doc, out, teacher);
        return 0;
    }
    if (render) {
        QString note;
        const bool ok = command == u"png" ? RenderBoardPng(doc, renderFile) : RenderBoardPdf(doc, renderFile, &note);
        if (ok && !note.isEmpty())
            out << note << Qt::endl;
        if (!ok)
            err << "Kon " << renderFile << " niet maken." << Qt::endl;
        return ok ? 0 : 1;
    }
    if (resave) {
        doc.m_strFolderOutput.clear(); // write exactly where asked
        return doc.OnSaveDocument(output) ? 0 : 1;
    }
    CMeasurementLog log(doc);
    const int status = RunMeasurement(doc, ticks, out, teacher);
    if (status != 0)
        return status;
    if (!outputs.csv.isEmpty() && !WriteOutput(outputs.csv, log.ToCsv(), err))
        return 1;
    if (outputs.chart.isEmpty())
        return 0;
    const QString title = doc.m_strBoardTitle.isEmpty() ? doc.GetTitle() : doc.m_strBoardTitle;
    const QByteArray chart = RunChart(log, title, outputs.chart, err);
    return !chart.isEmpty() && WriteOutput(outputs.chart, chart, err) ? 0 : 1;
}
