#include "Strings.h"

#include <QFile>
#include <QHash>

namespace {

// Undoes the table's escapes: \n newline, \t tab, \\ backslash.
QString Unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' && i + 1 < text.size()) {
            const QChar n = text[++i];
            out += n == u'n' ? QChar(u'\n') : n == u't' ? QChar(u'\t') : n;
        } else {
            out += c;
        }
    }
    return out;
}

QHash<int, QString> ReadTable()
{
    QHash<int, QString> table;
    QFile file(QStringLiteral(":/strings.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return table;
    const QString content = QString::fromUtf8(file.readAll());
    for (QStringView line : QStringView(content).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0)
            continue;
        bool ok = false;
        const int id = line.left(tab).toInt(&ok);
        if (ok)
            table.insert(id, Unescape(line.mid(tab + 1)));
    }
    return table;
}

} // namespace

QString LoadString(int id)
{
    static const QHash<int, QString> table = ReadTable();
    return table.value(id);
}
