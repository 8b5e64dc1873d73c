#pragma once
// The teacher's saves: in teacher mode, once the board is unlocked (or carries no
// protection at all), a board is saved where the teacher chooses, in any folder, as a
// worksheet or an answer sheet. The pupils' output folder and the restricted
// "Opslaan als..." are for pupils only.

#include <QString>

class CVeldtrakDoc;

// Whether this board's saves go where the teacher chooses.
bool SavesWhereTeacherWants(const CVeldtrakDoc& doc);

// The ordinary save dialog: opens in the folder of the board's file (the program folder,
// where the category folders are, for a new board). Empty when cancelled.
QString AskTeacherSavePath(const CVeldtrakDoc& doc);

// Saves the board under exactly this path: the output folder does not apply.
bool SaveExactlyAt(CVeldtrakDoc& doc, const QString& path);
