#pragma once
// The checks a dialog makes of its edit fields when OK is pressed, with the framework's
// own messages. A check that fails shows its message, puts the focus on the field with
// its text selected and returns false, so that the dialog stays open; a dialog's
// Validate runs its checks in field order and stops at the first failure.

#include <QString>

#include <optional>

class QLineEdit;

// The text's value, or nothing when it is not one. Blanks around the text are allowed.
std::optional<int> ParseInteger(const QString& text);
std::optional<unsigned> ParseUnsigned(const QString& text); // no sign at all
std::optional<float> ParseNumber(const QString& text);      // decimal comma or point

// A number as a field shows it: at most six significant digits, decimal comma.
QString NumberText(float value);

// "Please enter an integer." / "... an integer between %1 and %2."
bool CheckInteger(QLineEdit& field, int min, int max);
// "Please enter a positive integer." / "... an integer between %1 and %2."
bool CheckUnsigned(QLineEdit& field, unsigned min, unsigned max);
// "Please enter a number." / "... a number between %1 and %2."
bool CheckNumber(QLineEdit& field, float min, float max);
// "Please enter no more than %1 characters."
bool CheckMaxChars(QLineEdit& field, int maxChars);

// Shows the message in the program's small message dialog, then gives the field the
// focus with its text selected.
void RefuseField(QLineEdit& field, const QString& message);
