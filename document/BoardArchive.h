#pragma once
// The worksheet file: the protection record followed by the five object arrays.

#include <QByteArray>

class CVeldtrakDoc;

// The bytes of the board.
QByteArray WriteBoard(CVeldtrakDoc& doc);
// Reads a board into the (cleared) document; returns 0 or the archive error cause.
int ReadBoard(const QByteArray& bytes, CVeldtrakDoc& doc);

// The stored form of the two link passwords.
QByteArray ScramblePassword(const QByteArray& plain);
QByteArray UnscramblePassword(const QByteArray& stored);

// Registers every class a board file can hold.
void RegisterBoardClasses();
