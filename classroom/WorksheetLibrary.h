#pragma once
// The worksheet library: once per run every worksheet file of the category folders is
// read for its board title, so that a pupil can later choose a worksheet by title.

#include <QString>

class CVeldtrakDoc;

// Fills doc.m_libraryPaths (category folder + file name) and, parallel to it,
// doc.m_libraryEntries ("category#title"), sorted by title. Shows the start-up images
// and a status line per file through the document's update hints meanwhile.
void BuildWorksheetLibrary(CVeldtrakDoc& doc);

// A board just saved under this path (absolute, as the save made it): when it lies in a
// category folder and carries a worksheet extension, the library lists it, or its new
// title, at once; a save may have made the folder itself after the start-up scan.
void NoteSavedWorksheet(CVeldtrakDoc& doc, const QString& path);

// The category of a worksheet: the name of the folder that holds it, with its first
// letter upper case and the others lower case ("invoer en uitvoer\x.wks" gives
// "Invoer en uitvoer").
QString WorksheetCategory(const QString& path);

// The two parts of a library entry, around its first "#".
QString EntryCategory(const QString& entry);
QString EntryTitle(const QString& entry);
