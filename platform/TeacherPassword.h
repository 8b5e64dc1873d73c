#pragma once
// The teacher-mode password: kept as a salted, slow hash (libsodium's Argon2id string)
// in one small file. Pupils' programs read the file to check a password, so it may be
// readable; only whoever may write its folder can set it. On an installed program that
// is the administrator (one system-wide file); in a program folder the user owns (the
// build tree, a portable unpack) it lives next to the program.

#include <QByteArray>
#include <QString>

// The file's name beside a program that is not installed.
inline constexpr const char* kTeacherPasswordFileName = "docent.wachtwoord";
// The shortest password the command that sets it accepts.
inline constexpr int kMinTeacherPasswordLength = 8;

// Where the password of a program in exeFolder lives: an installed program (its data in
// ../share/veldtrak) uses systemFile, any other the file beside the executable. Never a
// per-user folder, which a pupil could fill with a password of their own.
QString TeacherPasswordFileFor(const QString& exeFolder, const QString& systemFile);

// The system-wide file of an installed program, fixed when the program is built.
QString SystemTeacherPasswordFile();

// The file of this program. Tests point it elsewhere with SetTeacherPasswordFile (empty
// restores the default); nothing outside the process can, so a pupil cannot either.
QString TeacherPasswordFile();
void SetTeacherPasswordFile(const QString& fileSystemPath);

enum class TeacherPasswordState {
    Missing,  // no file: teacher mode has not been set up
    Unusable, // a file that holds no password hash, or that anyone may change
    Set,
};

struct CStoredTeacherPassword {
    TeacherPasswordState state = TeacherPasswordState::Missing;
    QByteArray hash; // when Set
};

// Reads the file; anything but a small regular file with one hash line is Unusable.
CStoredTeacherPassword ReadTeacherPassword(const QString& fileSystemPath);

// True when the password is the one the hash was made from.
bool TeacherPasswordMatches(const CStoredTeacherPassword& stored, const QString& password);

// Stores the password's hash in the file (its folder made when missing), readable by
// everyone and writable by the owner only. Returns an empty text, or what went wrong
// in Dutch.
QString WriteTeacherPassword(const QString& fileSystemPath, const QString& password);
