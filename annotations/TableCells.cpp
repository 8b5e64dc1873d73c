#include "TableCells.h"

std::vector<QString> PrepareCells(const QString& data, const QString& separator, int rows,
                                  int columns)
{
    std::vector<QString> cells;
    if (separator.isEmpty() || rows <= 0 || columns <= 0)
        return cells;
    QString copy = data;
    copy.reserve(data.size() + separator.size() * (rows * columns + 1) * 2);
    for (int k = 0; k < rows * columns; ++k)
        copy += separator;
    // Twice: the first pass leaves every second empty cell of a run.
    const QString doubled = separator + separator;
    const QString filled = separator + u' ' + separator;
    copy.replace(doubled, filled);
    copy.replace(doubled, filled);
    if (copy.startsWith(separator))
        copy.prepend(u' ');

    cells.reserve(std::size_t(rows * columns));
    qsizetype pos = 0;
    for (int k = 0; k < rows * columns; ++k) {
        const qsizetype next = copy.indexOf(separator, pos);
        if (next < 0)
            break;
        cells.push_back(copy.mid(pos, next - pos));
        pos = next + separator.size();
    }
    cells.resize(std::size_t(rows * columns), QStringLiteral(" "));
    return cells;
}

QStringList CellLines(const QString& cell)
{
    QStringList lines;
    qsizetype start = 0;
    const QString text = cell + u'\n';
    for (qsizetype k = 0; k < text.size(); ++k) {
        if (text[k] == u'\r' || text[k] == u'\n') {
            lines << text.mid(start, k - start);
            start = k + 1;
        }
    }
    return lines;
}
