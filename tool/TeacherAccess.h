#pragma once
// What veldtrak-tool shows of a board's answers. A black box's kind and the links'
// passwords are for the teacher, who gives the teacher-mode password with --docent
// (asked) or --docent-bestand FILE (its first line); anyone else sees a black box as
// "blackbox" and no passwords. And the administrator's command that sets the password.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTextStream>

class CComponent;
class CVeldtrakDoc;

extern const char* const kTeacherUsage;

// Takes the teacher's options out of the arguments and checks the password they give.
// Returns -1 when the command may go on ('teacher' tells whether answers may be shown),
// or the exit status after a message (wrong or missing password, bad option).
int TakeTeacherOptions(QStringList& arguments, bool& teacher, QTextStream& err);

// A component as the output names it: its class and name, or for a black box that
// the reader may not see into, "blackbox" and its label.
QString ComponentKind(const CComponent& component, bool teacher);
// True for a black box the reader may not see into: its class and parameters stay out.
bool IsHiddenBlackbox(const CComponent& component, bool teacher);

// The board as text for the tool's export: everything for the teacher; for anyone else
// without the link passwords, and each black box as "blackbox" with its place, sockets
// and label only.
QByteArray ExportForReader(CVeldtrakDoc& doc, bool teacher);

// veldtrak-tool docentwachtwoord: reads the new password twice from the terminal (or
// once from standard input) and stores its hash in TeacherPasswordFile().
int RunTeacherPasswordCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
