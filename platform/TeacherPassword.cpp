#include "TeacherPassword.h"

#include "FileIO.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sodium.h>
#include <unistd.h>

#ifndef VT_TEACHER_PASSWORD_FILE
#define VT_TEACHER_PASSWORD_FILE "/etc/veldtrak/docent.wachtwoord"
#endif

namespace {

QString& FileOverride()
{
    static QString path;
    return path;
}

// A hash line is far shorter; a larger file is not ours.
constexpr qint64 kMaxFileSize = 4096;

bool AnyoneMayChange(const QString& path)
{
    return QFileInfo(path).permissions().testFlag(QFileDevice::WriteOther) ||
           QFileInfo(QFileInfo(path).absolutePath()).permissions().testFlag(QFileDevice::WriteOther);
}

// "$argon2id$v=19$m=65536,t=2,p=1$SALT$HASH", as crypto_pwhash_str writes it: a cut or
// mangled line would ask the teacher for a password that nothing can match.
bool LooksLikeHash(const QByteArray& line)
{
    const QList<QByteArray> parts = line.split('$');
    return line.size() < qsizetype(crypto_pwhash_STRBYTES) && !line.contains('\0') &&
           parts.size() == 6 && parts[0].isEmpty() &&
           (parts[1] == "argon2id" || parts[1] == "argon2i") && parts[2].startsWith("v=") &&
           parts[3].startsWith("m=") && !parts[4].isEmpty() && !parts[5].isEmpty();
}

bool LibraryReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

} // namespace

QString TeacherPasswordFileFor(const QString& exeFolder, const QString& systemFile)
{
    if (QFileInfo(exeFolder + QStringLiteral("/../share/veldtrak")).isDir())
        return systemFile;
    return QDir::cleanPath(exeFolder) + u'/' + QLatin1String(kTeacherPasswordFileName);
}

QString SystemTeacherPasswordFile()
{
    return QStringLiteral(VT_TEACHER_PASSWORD_FILE);
}

QString TeacherPasswordFile()
{
    if (!FileOverride().isEmpty())
        return FileOverride();
    return TeacherPasswordFileFor(QCoreApplication::applicationDirPath(), SystemTeacherPasswordFile());
}

void SetTeacherPasswordFile(const QString& fileSystemPath)
{
    FileOverride() = fileSystemPath;
}

CStoredTeacherPassword ReadTeacherPassword(const QString& fileSystemPath)
{
    CStoredTeacherPassword stored;
    if (!QFileInfo::exists(fileSystemPath))
        return stored;
    stored.state = TeacherPasswordState::Unusable;
    int fd = -1;
    qint64 size = 0;
    if (OpenRegularFile(fileSystemPath, fd, &size) != FILE_OK)
        return stored;
    QByteArray bytes(kMaxFileSize + 1, '\0');
    const ssize_t got = size <= kMaxFileSize ? ::read(fd, bytes.data(), bytes.size()) : -1;
    ::close(fd);
    if (got < 0 || got > kMaxFileSize || AnyoneMayChange(fileSystemPath))
        return stored;
    bytes.truncate(got);
    if (const qsizetype end = bytes.indexOf('\n'); end >= 0)
        bytes.truncate(end);
    const QByteArray line = bytes.trimmed();
    if (LooksLikeHash(line)) {
        stored.state = TeacherPasswordState::Set;
        stored.hash = line;
    }
    return stored;
}

bool TeacherPasswordMatches(const CStoredTeacherPassword& stored, const QString& password)
{
    if (stored.state != TeacherPasswordState::Set || !LibraryReady())
        return false;
    const QByteArray typed = password.toUtf8();
    return crypto_pwhash_str_verify(stored.hash.constData(), typed.constData(),
                                    static_cast<unsigned long long>(typed.size())) == 0;
}

QString WriteTeacherPassword(const QString& fileSystemPath, const QString& password)
{
    if (password.size() < kMinTeacherPasswordLength)
        return QStringLiteral("Een docentwachtwoord heeft minstens %1 tekens.")
            .arg(kMinTeacherPasswordLength);
    const QByteArray typed = password.toUtf8();
    char hash[crypto_pwhash_STRBYTES];
    // The interactive limits keep a start as teacher quick on a school computer; the
    // hash is still salted and costs 64 MB of memory per guess.
    if (!LibraryReady() ||
        crypto_pwhash_str(hash, typed.constData(), static_cast<unsigned long long>(typed.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return QStringLiteral("Het wachtwoord kon niet worden versleuteld (te weinig geheugen).");
    const QFileInfo target(fileSystemPath);
    if (!QDir().mkpath(target.absolutePath()))
        return QStringLiteral("De map %1 kon niet worden gemaakt.").arg(target.absolutePath());
    const int cause = WriteWholeFile(fileSystemPath, QByteArray(hash) + '\n');
    sodium_memzero(hash, sizeof hash);
    if (cause == FILE_ACCESS_DENIED)
        return QStringLiteral("Geen toestemming om %1 te schrijven.").arg(fileSystemPath);
    if (cause != FILE_OK)
        return QStringLiteral("%1 kon niet worden geschreven.").arg(fileSystemPath);
    QFile::setPermissions(fileSystemPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return {};
}
