#pragma once
// "veldtrak-tool check": a pupil's board, or a whole class's folder of them, compared
// with the teacher's board (see BoardCheck.h for how).

#include <QStringList>
#include <QTextStream>

// The arguments after "check". Exit status 0 when every board behaves as the teacher's,
// 1 when one does not (or cannot be read), 2 when the check itself cannot be made.
int RunCheckCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

extern const char* const kCheckUsage;
