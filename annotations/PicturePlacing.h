#pragma once
// Where a picture the teacher places is kept. A worksheet stores only a picture's file
// name, so that name is taken relative to the bitmap folder: the worksheet then shows
// the picture on every computer that has the folder. A picture that lies elsewhere is
// copied there when the teacher agrees; a photograph larger than the board is scaled
// down to fit, and the smaller copy is what goes there. A file that cannot be read as a
// picture is refused with a message (reading a board stays silent about it).

#include <QSize>
#include <QString>

class CVeldtrakDoc;

// The board (8100 x 11300 units) in the pixels pictures are laid out in (96 dpi).
inline constexpr QSize kBoardInPixels(8100 * 96 / 254, 11300 * 96 / 254);

// The bitmap folder as a file-system path (relative settings are the program folder's).
QString BitmapFolderPath(const CVeldtrakDoc& doc);

// The name to store for the chosen file (a stored name, as the file dialog gives it):
// relative to the bitmap folder, or the full path when the teacher keeps the picture
// where it is. Empty when nothing is to be placed; the teacher has been told why.
QString PrepareNewPicture(CVeldtrakDoc& doc, const QString& chosen);

// The path of 'file' below 'folder' with "\" separators, or empty when it lies elsewhere
// (both file-system paths; links are followed).
QString NameBelowFolder(const QString& folder, const QString& file);
