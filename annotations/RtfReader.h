#pragma once
// Streams a stored rich text into the text dialog's editor with its bold, italic and
// underline. It reads what our writer emits and the usual words of other rich text
// (groups, "\b0", "\i0", "\ul", "\ulnone", "\plain", "\par", "\line", "\tab", "\'hh",
// "\uN", escaped braces and backslashes); font, colour and other tables and every
// other control word are skipped. Linear in the length of the text; anything it does
// not understand is left out, never reported.

#include <QString>

class QTextDocument;

void ReadRtfInto(const QString& rtf, QTextDocument& document);
