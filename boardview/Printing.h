#pragma once
// Printing the board: the board is cut into tiles the size of the printer's page
// (a board wider than the paper is printed smaller, so that its width fits one page),
// only tiles with something on them become pages, and each page carries a running
// number. While a print job (or an open preview) knows its pages, "Paginering" shows
// the page frames on the board.

#include "platform/Geometry.h"

#include <vector>

class CBoardObject;
class CBoardView;
class CDC;
class CVeldtrakDoc;
class QPrinter;
class QString;
class QPrintPreviewDialog;
class QWidget;

// The tile grid for a printable rectangle from (0, 0) to (width, bottom), bottom < 0.
// It always has one column and one row more than a division of the board would need.
int PageColumnCount(int printableWidth);
int PageRowCount(int printableBottom);

// The rectangle of a text field, table or picture; null for any other object.
const CRect* AnnotationRect(const CBoardObject& object);

// True when the tile (board units) meets a component, text field, table or picture,
// or holds a corner point of a wire.
bool TileHasContent(const CVeldtrakDoc& doc, const CRect& tile);

// Top-left corners of the pages, column by column, each column top to bottom.
std::vector<CPoint> PaginateBoard(const CVeldtrakDoc& doc, const CRect& printable);

// The printer's printable area in board units: (0, 0) to (width, -height).
CRect PrintableRectOf(const QPrinter& printer);

// A board is printed so that a page of it is a page on paper: when what is on it
// reaches further right than the paper is wide, it is printed smaller, at a lower
// resolution than the printer's, so that its width fits one page. Its pages are then
// found on the board with PageArea, which is larger than the paper by as much.
int PrintDpi(const CVeldtrakDoc& doc, const CRect& paper, int printerDpi);
CRect PageArea(const QPrinter& printer, int dpi);
// The size the board is printed at, in percent of true size (100 when it fits).
int PrintScalePercent(const CVeldtrakDoc& doc, const QPrinter& printer);
// The word said when the board is printed smaller; empty when it is not.
QString PrintScaleNote(const CVeldtrakDoc& doc, const QPrinter& printer);

// Prints page 'pageNumber' (1-based) of the current job onto a printing context; the
// first call of a job paginates with the printable rectangle of that page. Returns
// whether more pages follow. 'runningNumber' is the number printed on the page; it
// goes up by one for every printed page.
bool PrintBoardPage(CBoardView& view, CDC& dc, int pageNumber, const CRect& printable,
                    int& runningNumber);

// A whole print job onto the printer (pages numbered from 1); returns the number of
// pages printed. A board without anything on it prints nothing at all.
int PrintBoard(CBoardView& view, QPrinter& printer);

// The end of a job: the board pane gets the focus, the pages are forgotten.
void EndBoardPrinting(CBoardView& view);
// Forgets the pages found so far (the board they were found on went); the next job,
// or the open preview's next repaint, finds them anew.
void ForgetPages(CBoardView& view);

// The print dialog, then the job; false when the dialog was cancelled.
bool PrintBoardWithDialog(CBoardView& view, QPrinter& printer, QWidget* parent);

// Opens the print preview beside the board (not modal, so "Paginering" can show where
// the pages fall); it follows the board when another one is opened, and the job ends
// when the preview is closed.
QPrintPreviewDialog* OpenPrintPreview(CBoardView& view, QPrinter& printer, QWidget* parent);

// The page frames of the current job with their " p.N" labels, in board units.
void DrawPageFrames(CDC& dc, CBoardView& view);

// The "Paginering" command: its rule and the toggle (hint 16 on, -16 off).
bool CanTogglePageFrames(const CVeldtrakDoc& doc);
void TogglePageFrames(CVeldtrakDoc& doc);
