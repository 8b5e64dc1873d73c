#pragma once
// The board's own reader of a text field's stored rich text. It knows only a handful
// of control words (bold, italic and underline on and off, plain, a font number) and
// skips every other one. Each step is linear in the length of the text and never looks
// outside it, whatever the text holds.

#include <QString>

// Replaces every escape of a code 160-255 (backslash, apostrophe, two lower-case hex
// digits) by that character; escapes of lower codes stay. True when the text changed.
bool DecodeHighCharacters(QString& text);

// The part of the text that holds what is shown: from three characters after the
// second-last closing brace (not escaped) up to the last one. Texts of five
// characters or fewer, and texts without a closing brace, have an empty body.
QString TextBody(const QString& text);

// The body translated into the display string: plain characters and line feeds, and
// the codes "\b", "\i", "\u" (switch on) and "\p" (everything off). The body's last
// character is left out; tabs become blanks, carriage returns are dropped.
QString DisplayString(const QString& body);
