#pragma once
// The cells of a table, read from its data the way the board reads them: every cell
// exists (missing ones are blank), empty cells become a single blank, and a cell's
// lines are cut at every carriage return or line feed. The stored data is not changed.
// Linear in the length of the data.

#include <QString>
#include <QStringList>

#include <vector>

// rows x columns cells, row by row; an empty separator yields no cells at all.
std::vector<QString> PrepareCells(const QString& data, const QString& separator, int rows,
                                  int columns);

// The lines of one cell: the pieces before each line break of the cell plus a final
// line feed ("a\r\nb" gives "a", "", "b").
QStringList CellLines(const QString& cell);
