#pragma once
// "Open volgend bord" and "Open vorig bord": following the board's links, behind their
// passwords, to the next or previous board in the same window.

#include <QString>

class CVeldtrakDoc;

enum class ChainLink { Previous, Next };

// Enabled when nothing is busy or measuring and the link's file was found, or when no
// link is entered and the library holds a worksheet (the step leads to the start menu).
bool CanFollowBoardLink(const CVeldtrakDoc& doc, ChainLink link);

// Saves a modified board, then opens the linked board (asking its password first), or
// clears the board and shows the start menu when no link is entered. Returns the path
// the pupil's board was saved under, empty when it was not saved.
QString FollowBoardLink(CVeldtrakDoc& doc, ChainLink link);

// The file name of a stored path: after its last backslash, cut before its first ".".
QString ChainFileName(const QString& path);
