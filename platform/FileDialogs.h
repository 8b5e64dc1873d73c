#pragma once
// The common file dialogs of the program (open, save, folder choice), run through the
// modal runner so that tests can play the user. Names go in and come out as stored
// (Windows) names.

#include <QString>

// "A (*.a)|*.a|B|*.b||" to the file dialog's "A (*.a);;B (*.b)".
QString QtFilter(const QString& filter);

struct FileDialogOptions {
    bool save = false;        // a save dialog (else open: file and path must exist)
    QString title;            // empty: the dialog's own
    QString filter;           // in the "A (*.a)|*.a||" form; empty: every file
    QString defaultExtension; // without the dot
    bool suffixFollowsFilter = false; // the chosen kind ("*.ant") is the default extension
    QString initialName;      // preselected name ("*.wks" selects that pattern)
    QString folder;           // where it opens; empty: the current folder
};

// The chosen file as a stored name, or empty when cancelled.
QString RunFileDialog(const FileDialogOptions& options);

// The folder browser: the chosen folder as a stored name with a trailing backslash, or
// empty when cancelled. It opens at startFolder when that exists.
QString RunFolderBrowser(const QString& title, const QString& startFolder);
