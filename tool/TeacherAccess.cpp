#include "TeacherAccess.h"

#include "components/Geheugen.h"
#include "components/TwoInputGate.h"
#include "document/BoardJson.h"
#include "document/Document.h"
#include "document/JsonText.h"
#include "document/RecordFields.h"
#include "platform/FileIO.h"
#include "platform/TeacherPassword.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

#include <termios.h>
#include <unistd.h>

const char* const kTeacherUsage =
    "  veldtrak-tool info|export|run [--docent | --docent-bestand BESTAND] ...\n"
    "  veldtrak-tool docentwachtwoord\n";

namespace {

// Longer lines are not passwords; reading stops there.
constexpr int kMaxSecret = 1024;

// One line typed at the terminal without showing it, or read from standard input.
bool ReadSecretLine(const char* prompt, QString& line, QTextStream& err)
{
    const bool terminal = ::isatty(STDIN_FILENO);
    termios saved{};
    if (terminal) {
        err << prompt << Qt::flush;
        ::tcgetattr(STDIN_FILENO, &saved);
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    QByteArray bytes;
    int c = 0;
    while ((c = std::getchar()) != EOF && c != '\n' && bytes.size() <= kMaxSecret)
        bytes += char(c);
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        err << '\n' << Qt::flush;
    }
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    line = QString::fromUtf8(bytes);
    return (c != EOF || !bytes.isEmpty()) && bytes.size() <= kMaxSecret;
}

// The first line of a small regular file.
bool ReadSecretFile(const QString& path, QString& line)
{
    QByteArray bytes;
    int fd = -1;
    qint64 size = 0;
    if (OpenRegularFile(path, fd, &size) != FILE_OK)
        return false;
    ::close(fd);
    if (size > kMaxSecret + 2 || ReadWholeFile(path, bytes) != FILE_OK)
        return false;
    if (const qsizetype end = bytes.indexOf('\n'); end >= 0)
        bytes.truncate(end);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    line = QString::fromUtf8(bytes);
    return true;
}

// The black box a reader without the teacher's password may not look into; its label.
const QString* HiddenBlackboxLabel(const CComponent& component, bool teacher)
{
    if (teacher)
        return nullptr;
    if (const auto* gate = dynamic_cast<const CTwoInputGate*>(&component))
        return gate->IsBlackbox() ? &gate->m_strBlackboxLabel : nullptr;
    if (const auto* cell = dynamic_cast<const CGeheugen*>(&component))
        return cell->IsBlackbox() ? &cell->m_strBlackboxLabel : nullptr;
    return nullptr;
}

// Whether this user may write the file: the file itself, or the nearest folder there is.
bool MayWrite(const QString& path)
{
    QFileInfo info(path);
    if (info.exists())
        return info.isWritable();
    QDir folder = info.absoluteDir();
    while (!folder.exists() && folder.cdUp()) {
    }
    return QFileInfo(folder.absolutePath()).isWritable();
}

} // namespace

int TakeTeacherOptions(QStringList& arguments, bool& teacher, QTextStream& err)
{
    teacher = false;
    bool given = false;
    QString password;
    for (qsizetype i = 1; i < arguments.size();) {
        if (arguments[i] == u"--docent") {
            arguments.removeAt(i);
            if (!ReadSecretLine("Docentwachtwoord: ", password, err)) {
                err << "Geen docentwachtwoord gelezen." << Qt::endl;
                return 2;
            }
            given = true;
        } else if (arguments[i] == u"--docent-bestand") {
            const QString file = arguments.value(i + 1);
            arguments.remove(i, qMin<qsizetype>(2, arguments.size() - i));
            if (file.isEmpty() || !ReadSecretFile(file, password)) {
                err << "Het docentwachtwoord kon niet worden gelezen uit '" << file << "'." << Qt::endl;
                return 2;
            }
            given = true;
        } else {
            ++i;
        }
    }
    if (!given)
        return -1;
    const CStoredTeacherPassword stored = ReadTeacherPassword(TeacherPasswordFile());
    if (stored.state != TeacherPasswordState::Set) {
        err << "Het docentwachtwoord is niet ingesteld of onbruikbaar; de beheerder stelt het in "
               "met: veldtrak-tool docentwachtwoord."
            << Qt::endl;
        return 2;
    }
    if (!TeacherPasswordMatches(stored, password)) {
        err << "Het docentwachtwoord is onjuist." << Qt::endl;
        return 1;
    }
    teacher = true;
    return -1;
}

QString ComponentKind(const CComponent& component, bool teacher)
{
    if (const QString* label = HiddenBlackboxLabel(component, teacher))
        return QStringLiteral("blackbox \"%1\"").arg(*label);
    return QLatin1String(component.GetClassName()) + QStringLiteral(" \"%1\"").arg(component.m_strName);
}

bool IsHiddenBlackbox(const CComponent& component, bool teacher)
{
    return HiddenBlackboxLabel(component, teacher) != nullptr;
}

QByteArray ExportForReader(CVeldtrakDoc& doc, bool teacher)
{
    const QByteArray all = ExportBoardJson(doc);
    if (teacher)
        return all;
    QJsonObject root = QJsonDocument::fromJson(all).object();
    root.remove(QStringLiteral("prevPassword"));
    root.remove(QStringLiteral("nextPassword"));
    QJsonArray components = root.value(QStringLiteral("components")).toArray();
    for (qsizetype i = 0; i < components.size() && std::size_t(i) < doc.m_components.size(); ++i) {
        if (!IsHiddenBlackbox(*doc.m_components[std::size_t(i)], teacher))
            continue;
        // What the pupil sees on the board: where it is, its sockets, its label.
        const QJsonObject full = components[i].toObject();
        QJsonObject shown;
        shown.insert(QStringLiteral("class"), QStringLiteral("blackbox"));
        for (const char* key : {"x", "y", "sockets", "blackboxLabel"})
            if (full.contains(QLatin1String(key)))
                shown.insert(QLatin1String(key), full.value(QLatin1String(key)));
        components[i] = shown;
    }
    root.insert(QStringLiteral("components"), components);
    return FormatJson(root, BoardJsonKeyOrder());
}

int RunTeacherPasswordCommand(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (!arguments.isEmpty()) {
        // Whatever is on a command line ends up in the shell's history and the process list.
        err << "veldtrak-tool docentwachtwoord vraagt het wachtwoord zelf; geef het niet op de "
               "opdrachtregel."
            << Qt::endl;
        return 2;
    }
    const QString file = TeacherPasswordFile();
    if (!MayWrite(file)) {
        err << "Geen toestemming om " << file << " te schrijven. Stel het docentwachtwoord in als "
            << "beheerder, bijvoorbeeld met: sudo veldtrak-tool docentwachtwoord" << Qt::endl;
        return 1;
    }
    QString password, again;
    if (!ReadSecretLine("Nieuw docentwachtwoord: ", password, err)) {
        err << "Geen wachtwoord gelezen; er is niets veranderd." << Qt::endl;
        return 1;
    }
    if (::isatty(STDIN_FILENO) &&
        (!ReadSecretLine("Nog een keer: ", again, err) || again != password)) {
        err << "De twee wachtwoorden verschillen; er is niets veranderd." << Qt::endl;
        return 1;
    }
    if (const QString problem = WriteTeacherPassword(file, password); !problem.isEmpty()) {
        err << problem << " Er is niets veranderd." << Qt::endl;
        return 1;
    }
    out << "Het docentwachtwoord is ingesteld (" << file << ")." << Qt::endl;
    return 0;
}
