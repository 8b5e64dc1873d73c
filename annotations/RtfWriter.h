#pragma once
// Writes the text dialog's contents as the rich text that a text field stores. It
// emits only what the board's reader (RichTextReader.h) shows as the teacher formatted
// it: a font and a colour table, then the body three characters after the colour
// table's brace; "\b ", "\i " and the one-letter "\u " to switch an attribute on;
// "\plain " followed by the words of the attributes that stay on to switch one off
// (the reader ends every attribute at once); "\par " and a line break after every
// line; code page characters 160-255 as "\'hh" escapes, 128-159 as themselves.
//
// Characters the reader cannot show get their closest shown form: a backslash becomes
// "/", braces become parentheses, a tab a blank, and anything outside the code page "?".

#include <QString>

class QTextDocument;

QString WriteBoardRtf(const QTextDocument& document);

// The form a single character of the text takes in the stored text.
QString StoredCharacter(QChar c);
