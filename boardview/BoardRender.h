#pragma once
// Whole boards rendered to files without a window: a PNG as the board shows on screen,
// a PDF as it prints.

class CVeldtrakDoc;
class QString;
struct CRect;

// The area taken by everything on the board (normalised, board units), with a margin
// of 1 cm and kept on the board; an empty board gives a small area at its origin.
CRect OccupiedArea(const CVeldtrakDoc& doc);

// The occupied area as on screen, at 96 dpi.
bool RenderBoardPng(CVeldtrakDoc& doc, const QString& out);

// The board as printed on A4 pages: only the pages with something on them, numbered.
// False when the file cannot be written or the board has nothing to print. 'note' gets
// the word said when the board had to be printed smaller.
bool RenderBoardPdf(CVeldtrakDoc& doc, const QString& out, QString* note = nullptr);
