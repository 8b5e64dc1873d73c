// veldtrak-tool: inspect, rewrite and run boards without a window.
#include "ToolCommands.h"

#include <QApplication>

#include <cstdio>

namespace {
// The tool speaks through its own streams; Qt's notes about the offscreen platform
// would only confuse a teacher reading the output.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}
} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(QuietQt);
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
