#pragma once
// Small pieces the classroom dialogs share: controls named after their ids, so that
// tests find them as the user sees them ("edit1021", "button1", "check1050").

#include <QString>

class QBoxLayout;
class QDialog;
class QLineEdit;
class QPushButton;

// An edit; maxLength 0 means no limit; masked shows dots instead of the characters.
// An edit whose text is stored takes only characters that the files and settings can
// hold (code page 1252): a password typed with another one could never be typed back.
QLineEdit* MakeEdit(int id, int maxLength, bool masked = false, bool stored = true);
QPushButton* MakeButton(int id, const QString& text);
// OK (the default button, ends with Accepted) and "&Annuleer" (Rejected), right-aligned.
QBoxLayout* OkCancelRow(QDialog& dialog);
// A dialog has a close button only, and keeps the size its layout gives it.
void FixDialogFrame(QDialog& dialog);
