#pragma once
// A board as reviewable text: JSON with every field of the file by name, text fields,
// tables and pictures included, rich text as it is stored. Importing an export gives
// the same file bytes.
//
// A hand-written board may leave out fields: they take the values a new object of the
// class has (header texts empty, permissions 255). Only a component's "class" and
// "sockets" and a wire's "from" and "to" must be given; a wire without "points" runs
// straight from socket to socket.

#include <QByteArray>
#include <QString>

class CVeldtrakDoc;

// The board exactly as WriteBoard would store it.
QByteArray ExportBoardJson(CVeldtrakDoc& doc);

// Builds the board in the empty document. On an error returns false with a message
// that names the line and the field ("regel 12, veld components[2].x: ...").
bool ImportBoardJson(const QByteArray& json, CVeldtrakDoc& doc, QString& error);
