#pragma once
// The shipped worksheets as the build makes them: their text lives in data/ as
// NAME.wks.json, the board itself in the program folder (the build folder).

#include <QDir>
#include <QDirIterator>
#include <QStringList>

inline QStringList ShippedWorksheetFiles()
{
    const QDir sources(QStringLiteral(VT_DATA_DIR));
    QDirIterator it(sources.path(), {QStringLiteral("*.wks.json")}, QDir::Files, QDirIterator::Subdirectories);
    QStringList files;
    while (it.hasNext()) {
        const QString relative = sources.relativeFilePath(it.next());
        files << QStringLiteral(VT_SHIPPED_FOLDER "/") + relative.chopped(5); // without ".json"
    }
    files.sort();
    return files;
}
