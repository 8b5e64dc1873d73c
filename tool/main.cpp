// veldtrak-tool: inspect, rewrite and run boards without a window.
#include "ToolCommands.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = RunToolCommand(arguments, out, err);
    out.flush();
    err.flush();
    return status;
}
