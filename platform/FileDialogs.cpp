#include "FileDialogs.h"

#include "ModalRunner.h"
#include "Paths.h"

#include <QDir>
#include <QFileDialog>

QString QtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QString name = parts[i];
        if (!name.contains(u'(')) name += QStringLiteral(" (") + parts[i + 1] + u')';
        filters << name;
    }
    return filters.join(QStringLiteral(";;"));
}

namespace {

// The extension of a filter that names one kind of file: "Antwoordvellen (*.ant)" gives
// "ant"; empty for "Alle bestanden (*.*)" and for filters of several kinds.
QString SingleExtension(const QString& nameFilter)
{
    const qsizetype open = nameFilter.lastIndexOf(QStringLiteral("(*."));
    if (open < 0 || !nameFilter.endsWith(u')')) return {};
    const QString extension = nameFilter.mid(open + 3, nameFilter.size() - open - 4);
    if (extension.isEmpty() || extension.contains(u'*') || extension.contains(u' ') ||
        extension.contains(u';'))
        return {};
    return extension;
}

// The filter of the default extension is the one shown first, and choosing another
// filter changes the extension a bare name gets.
void LetSuffixFollowFilter(QFileDialog& dialog, const QString& defaultExtension)
{
    for (const QString& nameFilter : dialog.nameFilters())
        if (SingleExtension(nameFilter).compare(defaultExtension, Qt::CaseInsensitive) == 0) {
            dialog.selectNameFilter(nameFilter);
            break;
        }
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& chosen) {
        const QString extension = SingleExtension(chosen);
        if (!extension.isEmpty()) dialog.setDefaultSuffix(extension);
    });
}

} // namespace

QString RunFileDialog(const FileDialogOptions& options)
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (!options.title.isEmpty()) dialog.setWindowTitle(options.title);
    dialog.setAcceptMode(options.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(options.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!options.filter.isEmpty())
        dialog.setNameFilters(QtFilter(options.filter).split(QStringLiteral(";;")));
    if (!options.defaultExtension.isEmpty()) dialog.setDefaultSuffix(options.defaultExtension);
    const QString folder = options.folder.isEmpty() ? QString() : FileSystemPath(options.folder);
    dialog.setDirectory(!folder.isEmpty() && QDir(folder).exists() ? QDir(folder)
                                                                   : QDir::current());
    if (options.initialName.contains(u'*'))
        dialog.selectNameFilter(options.initialName); // a pattern, not a name
    else
        dialog.selectFile(options.initialName);
    if (options.suffixFollowsFilter) LetSuffixFollowFilter(dialog, options.defaultExtension);
    if (!options.save) dialog.setOption(QFileDialog::ReadOnly); // hides the read-only choice
    if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return WindowsName(dialog.selectedFiles().constFirst());
}

QString RunFolderBrowser(const QString& title, const QString& startFolder)
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowTitle(title);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    const QString start = startFolder.trimmed().isEmpty() ? QString() : FileSystemPath(startFolder);
    if (!start.isEmpty() && QDir(start).exists())
        dialog.setDirectory(start);
    else
        dialog.setDirectory(QDir::current());
    if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    QString chosen = WindowsName(dialog.selectedFiles().constFirst());
    if (!chosen.endsWith(u'\\')) chosen += u'\\';
    return chosen;
}
