#pragma once
// Folder settings are joined to file names by plain concatenation ("bmp\" + "auto.bmp"),
// so a folder is kept with its closing backslash, however it was typed.

#include <QString>

// The folder as it is stored: trimmed, ending in "\" (a closing "/" becomes one); an
// empty text stays empty ("no folder").
QString FolderName(const QString& typed);
