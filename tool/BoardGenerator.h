#pragma once
// Generated boards of any size, for measuring the program and for tests that compare
// levels tick by tick: a chain of inverters, or a layered grid of two-input gates fed
// by a pulse generator.

#include <QString>

class CVeldtrakDoc;

enum class BoardShape { Chain, Grid };

// Parses "keten"/"chain" and "rooster"/"grid"; false for anything else.
bool ParseBoardShape(const QString& name, BoardShape& shape);

// Replaces the document's board by 'count' components (at least 1) of that shape, with
// their wires routed onto the sockets. Deterministic: the same arguments give the same
// board, byte for byte once saved.
void GenerateBoard(CVeldtrakDoc& doc, BoardShape shape, int count);
