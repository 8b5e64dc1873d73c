#pragma once
// Helpers around Qt's JSON classes for boards written as text: where in the text a
// field stands (Qt keeps no positions), and a layout people can review (fields in a
// fixed order, short arrays on one line).

#include <QByteArray>
#include <QHash>
#include <QJsonValue>
#include <QString>
#include <QStringList>

// Line numbers (from 1) of every key and array element of a JSON text that Qt has
// already accepted, by path: "components", "components[2]", "components[2].x".
class CJsonLines {
public:
    explicit CJsonLines(const QByteArray& text);
    // The line of the path, or of the nearest enclosing path that is known.
    int LineOf(const QString& path) const;

private:
    void Value(const QString& path);
    void Object(const QString& path);
    void Array(const QString& path);
    QString String();
    void SkipBlanks();
    void SkipSeparator(); // blanks and one comma after a value

    const QByteArray& m_text;
    qsizetype m_nPos = 0;
    int m_nLine = 1;
    QHash<QString, int> m_lines;
};

// The line (from 1) of a byte offset.
int LineAtOffset(const QByteArray& text, qsizetype offset);

// A Dutch description of a Qt JSON parse error.
QString JsonSyntaxError(int qtError);

// One value as JSON on one line ("text" with its quotes and escapes, 12, [1, 2]).
QString CompactJson(const QJsonValue& value);

// Writes the value indented by two blanks; object keys follow keyOrder (others after
// them, sorted); arrays of numbers, of number pairs and of short texts stay on one line.
QByteArray FormatJson(const QJsonValue& value, const QStringList& keyOrder);
