#include "CheckCommand.h"

#include "BoardCheck.h"
#include "document/Document.h"
#include "platform/ModalRunner.h"
#include "platform/Paths.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>

#include <memory>

const char* const kCheckUsage =
    "  veldtrak-tool check ANTWOORD.ant --against WERKBLAD.ant\n"
    "  veldtrak-tool check --dir FOLDER --against WERKBLAD.ant\n";

namespace {

struct CheckArguments {
    QString answer;    // absolute paths
    QString folder;
    QString reference;
};

bool ParseArguments(const QStringList& arguments, CheckArguments& parsed)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        QString* target = nullptr;
        if (a == u"--against")
            target = &parsed.reference;
        else if (a == u"--dir")
            target = &parsed.folder;
        if (target) {
            if (i + 1 >= arguments.size() || !target->isEmpty())
                return false;
            *target = QFileInfo(arguments[++i]).absoluteFilePath();
        } else if (a.startsWith(u"--") || !parsed.answer.isEmpty()) {
            return false;
        } else {
            parsed.answer = QFileInfo(a).absoluteFilePath();
        }
    }
    return !parsed.reference.isEmpty() && parsed.answer.isEmpty() != parsed.folder.isEmpty();
}

// A board opened as the program opens it; what went wrong is kept, not shown, so that
// a damaged file becomes one line of the report.
struct OpenedBoard {
    std::unique_ptr<CVeldtrakDoc> doc;
    QString problem;
};

OpenedBoard OpenBoard(const QString& path)
{
    OpenedBoard opened;
    QStringList messages;
    ModalHandler previous = SetModalHandler([&messages](QDialog& dialog) {
        if (auto* box = qobject_cast<CMessageBox*>(&dialog)) {
            QStringList lines = box->Lines();
            lines.removeAll(QString());
            messages << lines.join(u' ');
            return 1;
        }
        return 6; // yes: the command line said what to do
    });
    auto doc = std::make_unique<CVeldtrakDoc>();
    const bool ok = doc->OnOpenDocument(WindowsName(path));
    SetModalHandler(std::move(previous));
    if (ok)
        opened.doc = std::move(doc);
    else
        opened.problem = messages.isEmpty() ? QStringLiteral("kon niet worden gelezen") : messages.join(u' ');
    return opened;
}

CheckReport CheckFile(const QString& answerPath, const QString& referencePath)
{
    const auto unreadable = [](const OpenedBoard& board) {
        CheckReport report;
        report.verdict = CheckVerdict::Unreadable;
        report.detail = board.problem;
        return report;
    };
    OpenedBoard answer = OpenBoard(answerPath);
    if (!answer.doc)
        return unreadable(answer);
    // A fresh copy of the teacher's board for every pupil: nothing of one run stays.
    OpenedBoard reference = OpenBoard(referencePath);
    if (!reference.doc)
        return unreadable(reference);
    return CheckBoard(*answer.doc, *reference.doc);
}

QString Padded(const QString& text, qsizetype width)
{
    return text.leftJustified(width, u' ');
}

// The teacher's board, opened to see that it can be checked against and to describe
// the check; null (with the reason on the error stream) when it cannot.
std::unique_ptr<CVeldtrakDoc> OpenReference(const QString& path, QTextStream& out, QTextStream& err)
{
    OpenedBoard reference = OpenBoard(path);
    if (!reference.doc) {
        err << path << ": " << reference.problem << Qt::endl;
        return nullptr;
    }
    if (reference.doc->m_components.size() > std::size_t(kMaxCheckedComponents)) {
        err << path << ": het bord heeft meer dan " << kMaxCheckedComponents
            << " onderdelen; zo'n groot bord wordt niet gecontroleerd." << Qt::endl;
        return nullptr;
    }
    const std::vector<CheckPort> outputs = CheckOutputs(*reference.doc);
    if (outputs.empty()) {
        err << path
            << ": het bord heeft geen lamp, LED, zoemer, spanningsmeter of pulsteller om te vergelijken."
            << Qt::endl;
        return nullptr;
    }
    const std::vector<CheckPort> inputs = CheckInputs(*reference.doc);
    const CheckPlan plan = MakeCheckPlan(inputs, 0);
    out << "Controle tegen " << QFileInfo(path).fileName() << '\n'
        << "Invoer: " << PortList(inputs) << '\n'
        << "Uitvoer: " << PortList(outputs) << '\n'
        << "Patronen: " << plan.patterns.size()
        << (plan.everyCombination ? " (alle combinaties)" : " (vaste steekproef)")
        << ", elk na een reset en daarna in volgorde\n";
    return std::move(reference.doc);
}

int CheckOne(const CheckArguments& args, QTextStream& out, QTextStream& err)
{
    if (!OpenReference(args.reference, out, err))
        return 2;
    const CheckReport report = CheckFile(args.answer, args.reference);
    if (report.verdict == CheckVerdict::Same || report.verdict == CheckVerdict::Differs) {
        for (const OutputVerdict& output : report.outputs)
            out << output.label << ": " << (output.same ? "goed" : "fout") << '\n';
        if (report.verdict == CheckVerdict::Differs)
            out << "Eerste verschil: " << report.detail << '\n';
        out << "Oordeel: " << VerdictText(report.verdict) << '\n';
    } else {
        out << "Oordeel: " << VerdictText(report.verdict) << " (" << report.detail << ")\n";
    }
    return report.verdict == CheckVerdict::Same ? 0 : 1;
}

int CheckFolder(const CheckArguments& args, QTextStream& out, QTextStream& err)
{
    const QDir folder(args.folder);
    if (!folder.exists()) {
        err << "Folder '" << args.folder << "' bestaat niet." << Qt::endl;
        return 2;
    }
    const QString referenceFile = QFileInfo(args.reference).canonicalFilePath();
    QFileInfoList files;
    for (const QFileInfo& file :
         folder.entryInfoList({QStringLiteral("*.ant"), QStringLiteral("*.wks")}, QDir::Files,
                              QDir::Name | QDir::IgnoreCase))
        if (file.canonicalFilePath() != referenceFile)
            files << file;
    if (files.isEmpty()) {
        err << "Geen borden (*.ant, *.wks) in '" << args.folder << "'." << Qt::endl;
        return 2;
    }
    if (!OpenReference(args.reference, out, err))
        return 2;

    struct Row {
        QString name;
        CheckReport report;
    };
    std::vector<Row> rows;
    qsizetype nameWidth = 4;
    for (const QFileInfo& file : files) {
        rows.push_back({file.fileName(), CheckFile(file.absoluteFilePath(), args.reference)});
        nameWidth = std::max(nameWidth, rows.back().name.size());
    }
    const qsizetype verdictWidth = VerdictText(CheckVerdict::OtherOutputs).size();
    out << '\n'
        << Padded(QStringLiteral("naam"), nameWidth) << "  "
        << Padded(QStringLiteral("oordeel"), verdictWidth) << "  eerste verschil\n";
    int good = 0;
    for (const Row& row : rows) {
        const bool same = row.report.verdict == CheckVerdict::Same;
        good += same ? 1 : 0;
        out << Padded(row.name, nameWidth) << "  " << Padded(VerdictText(row.report.verdict), verdictWidth)
            << "  " << (same ? QStringLiteral("-") : row.report.detail) << '\n';
    }
    out << '\n'
        << rows.size() << (rows.size() == 1 ? " bord: " : " borden: ") << good << " goed, "
        << rows.size() - std::size_t(good) << " niet goed\n";
    return good == int(rows.size()) ? 0 : 1;
}

} // namespace

int RunCheckCommand(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    CheckArguments args;
    if (!ParseArguments(arguments, args)) {
        err << "Gebruik:\n" << kCheckUsage;
        return 2;
    }
    return args.folder.isEmpty() ? CheckOne(args, out, err) : CheckFolder(args, out, err);
}
