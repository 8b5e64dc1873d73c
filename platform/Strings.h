#pragma once
// The program's string table: every text the user sees is loaded by its number.

#include <QString>

// The text with this number, or an empty string when the table has none.
QString LoadString(int id);
