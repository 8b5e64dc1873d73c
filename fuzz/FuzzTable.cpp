// A table's stored cells as a board file brings them: the first bytes give the number
// of rows and columns (as a damaged file may hold them) and the separator's length,
// the rest is the separator and the cell data (code page 1252). The cells are prepared
// as the board reads them, and the table is measured and drawn with every header
// setting.
#include "FuzzSupport.h"

#include "annotations/Table.h"
#include "annotations/TableCells.h"
#include "platform/CodePage.h"
#include "platform/DrawContext.h"

#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InitFuzzing();
    if (size < 3)
        return 0;
    const int storedRows = std::int8_t(data[0]);
    const int storedColumns = std::int8_t(data[1]);
    const int separatorLength = data[2] % 4;
    const QString text = FromCp1252(reinterpret_cast<const char*>(data + 3), qsizetype(size - 3));
    const QString separator = text.left(separatorLength);
    const QString cellData = text.mid(separatorLength);

    const int rows = std::clamp(storedRows, 1, CTabel::kMaxRows);
    const int columns = std::clamp(storedColumns, 1, CTabel::kMaxColumns);
    const std::vector<QString> cells = PrepareCells(cellData, separator, rows, columns);
    FuzzCheck(cells.size() == (separator.isEmpty() ? 0u : std::size_t(rows * columns)),
              "every cell of the grid exists");
    // A separator that holds a blank cannot tell an empty cell from the blank put in it.
    const bool blankFilled = !separator.contains(u' ');
    for (const QString& cell : cells) {
        FuzzCheck(!blankFilled || !cell.isEmpty(), "an empty cell is a blank");
        FuzzCheck(!CellLines(cell).isEmpty(), "a cell has a line");
    }

    CMemoryDC dc(128, 128);
    CTabel table;
    table.m_rect = CRect(100, -100, 100, -100);
    table.m_strData = cellData;
    table.m_strSeparator = separator;
    table.m_nRows = storedRows;
    table.m_nColumns = storedColumns;
    for (int headers = 0; headers < 8; ++headers) {
        table.m_bFixed = headers & 1;
        table.m_bRowHeader = (headers >> 1) & 1;
        table.m_bColumnHeader = (headers >> 2) & 1;
        table.Draw(dc);
    }
    return 0;
}
