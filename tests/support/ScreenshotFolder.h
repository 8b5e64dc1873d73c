#pragma once
// Where the screenshot tests save their pictures: the folder named by VT_SCREENSHOTS,
// or else a folder in the temporary directory, so that the screens are still drawn and
// saved (and a fault in drawing them still fails) on every test run.

#include <QDir>
#include <QString>

inline QString ScreenshotFolder()
{
    QString folder = qEnvironmentVariable("VT_SCREENSHOTS");
    if (folder.isEmpty())
        folder = QDir::tempPath() + QStringLiteral("/veldtrak-screenshots");
    QDir().mkpath(folder);
    return folder;
}
