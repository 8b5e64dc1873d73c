#pragma once
// Files and settings hold text in code page 1252; inside the program text is QString.

#include <QByteArray>
#include <QString>

QString FromCp1252(const char* bytes, qsizetype length);
inline QString FromCp1252(const QByteArray& bytes) { return FromCp1252(bytes.constData(), bytes.size()); }
// Characters that the code page cannot hold become '?'.
QByteArray ToCp1252(const QString& text);
