#pragma once
// Stored names are Windows names ("invoer en uitvoer\invoer.wks"). The program keeps
// its string logic on such names (last backslash, trailing backslash) and converts
// them here, at the file-system boundary, only.

#include <QString>

// "\" is the separator of stored names; a name from the file system (with "/") is
// turned into that form by WindowsName and back by FileSystemPath.
QString WindowsName(const QString& fileSystemPath);

// The file-system path of a stored name: backslashes become "/", a relative name is
// taken relative to the current folder, and every component that does not exist with
// its exact case is replaced by one that matches it case-insensitively.
QString FileSystemPath(const QString& name);

// A name is absolute when it starts with a separator or a drive ("D:"); drive names
// cannot exist here and are simply not found.
bool IsAbsoluteName(const QString& name);

// True when something (file or folder) exists under this name.
bool NameExists(const QString& name);
bool FolderExists(const QString& name);

// The program folder, as a stored name with a trailing backslash: where worksheets,
// bmp\, help\, zoemer.wav and the settings file live.
QString ProgramFolder();
// Tests and tools point the program at another folder (empty restores the default).
void SetProgramFolder(const QString& fileSystemFolder);

// The program folder of a program in exeFolder: in the build tree or a portable
// unpack, exeFolder itself. An installed program (its data in ../share/veldtrak) uses
// that folder when it may write there (settings, pupils' boards), and otherwise
// userFolder, into which every installed file it does not hold yet is copied first.
QString ProgramFolderFor(const QString& exeFolder, const QString& userFolder,
                         bool (*isWritable)(const QString& folder));
