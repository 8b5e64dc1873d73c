#pragma once
// The commands of veldtrak-tool, for teachers checking worksheets and for testing and
// measuring whole boards without a window.

#include <QString>
#include <QStringList>
#include <QTextStream>

// Runs one command line (without the program name); output and errors go to the
// streams; returns the exit status.
int RunToolCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
