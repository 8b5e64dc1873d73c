// Veldtrak Tanvo: the board simulator.
#include "BoardWindow.h"
#include "annotations/AnnotationClasses.h"
#include "document/BoardArchive.h"
#include "platform/Paths.h"
#include "platform/Strings.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(LoadString(57344));
    QApplication::setOrganizationName(LoadString(131));
    RegisterBoardClasses();
    RegisterAnnotationClasses();

    CVeldtrakDoc doc;
    doc.LoadSettings();
    doc.m_bBusy = false;
    CBoardWindow window(doc);
    window.show();

    // A board named on the command line (/file:NAME or just a path) opens at once.
    for (const QString& argument : QCoreApplication::arguments().mid(1)) {
        QString name = argument;
        if (name.startsWith(QStringLiteral("/file:"), Qt::CaseInsensitive))
            name = name.mid(6).remove(u'"').trimmed();
        else if (QFileInfo(name).isRelative())
            name = QFileInfo(name).absoluteFilePath();
        doc.OnOpenDocument(WindowsName(name));
        window.OnUpdate(HINT_REFRESH, 0);
    }
    return app.exec();
}
