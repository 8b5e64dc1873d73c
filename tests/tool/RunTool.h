#pragma once
// A command of veldtrak-tool run in the test's own process, with what it prints kept.
#include "tool/ToolCommands.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

inline int RunTool(const QStringList& arguments, QString& outText, QString& errText)
{
    outText.clear();
    errText.clear();
    QTextStream out(&outText), err(&errText);
    const int status = RunToolCommand(arguments, out, err);
    out.flush();
    err.flush();
    return status;
}
