#pragma once
// Opening a file with the program the desktop chooses for it (the help file in a web
// browser), through one seam that tests replace.

#include <QString>

#include <functional>

// Asks the desktop to open the file; false when nothing could be started for it.
bool ShellOpenFile(const QString& fileSystemPath);

// Installs a handler called instead of the desktop (an empty one restores it);
// returns the previous handler.
std::function<bool(const QString&)> SetShellOpenHandler(std::function<bool(const QString&)> handler);
