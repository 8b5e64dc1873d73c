#pragma once
// The classroom's parts of the document's own commands: the restricted "Opslaan als..."
// of a board saved into the output folder, and the library that lists a saved
// worksheet at once. The main window installs them for its document.

#include <QString>

class CVeldtrakDoc;

void InstallClassroomDialogs(CVeldtrakDoc& doc);

// The name the restricted save dialog gives: a name typed without an extension is a
// worksheet, so that it shows in the open dialog and the library like every other.
QString RestrictedSaveName(CVeldtrakDoc& doc);
