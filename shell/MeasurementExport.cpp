#include "MeasurementExport.h"

#include "ChartImage.h"
#include "document/Document.h"
#include "document/MeasurementLog.h"
#include "platform/FileDialogs.h"
#include "platform/FileIO.h"
#include "platform/Paths.h"

#include <QBuffer>
#include <QDir>
#include <QImage>

namespace {

struct ExportKind {
    const char* title;
    const char* filter;
    const char* extension;
};

constexpr ExportKind kValues = {"Meetwaarden opslaan", "CSV-bestanden (*.csv)|*.csv||", "csv"};
constexpr ExportKind kChart = {"Grafiek opslaan", "PNG-afbeeldingen (*.png)|*.png||", "png"};

// Where the pupil's work goes: the output folder, below the program folder when it is
// relative, and made when it is still missing, as saving a board would; without one,
// the current folder.
QString ExportFolder(const CVeldtrakDoc& doc)
{
    const QString& output = doc.m_strFolderOutput;
    if (output.isEmpty())
        return {};
    const QString folder = IsAbsoluteName(output) ? output : doc.m_strFolderRoot + output;
    if (!FolderExists(folder))
        QDir().mkdir(FileSystemPath(folder)); // failing that, the dialog opens elsewhere
    return folder;
}

// The board's name with the export's extension, in the folder where the pupil's work
// goes.
FileDialogOptions DialogFor(const CVeldtrakDoc& doc, const ExportKind& kind)
{
    FileDialogOptions options;
    options.save = true;
    options.title = QString::fromUtf8(kind.title);
    options.filter = QString::fromUtf8(kind.filter);
    options.defaultExtension = QString::fromLatin1(kind.extension);
    QString base = doc.GetTitle();
    if (const qsizetype dot = base.lastIndexOf(u'.'); dot > 0)
        base.truncate(dot);
    options.initialName = base + u'.' + options.defaultExtension;
    options.folder = ExportFolder(doc);
    return options;
}

// The content is made before the dialog opens: the file holds the measurement as it
// stood when the pupil chose the command, also while it goes on.
bool SaveBytes(CVeldtrakDoc& doc, const ExportKind& kind, const QByteArray& content)
{
    const QString name = RunFileDialog(DialogFor(doc, kind));
    if (name.isEmpty())
        return false;
    const int cause = content.isEmpty() ? FILE_GENERIC : WriteWholeFile(FileSystemPath(name), content);
    if (cause != FILE_OK) {
        doc.ReportSaveLoadException(name, true, cause, true, PROMPT_FAILED_WRITE);
        return false;
    }
    return true;
}

} // namespace

bool SaveMeasurementValues(CVeldtrakDoc& doc, const CMeasurementLog& log)
{
    if (!log.HasTraces())
        return false;
    return SaveBytes(doc, kValues, log.ToCsv());
}

bool SaveMeasurementChart(CVeldtrakDoc& doc, const CMeasurementLog& log)
{
    if (!log.HasTraces())
        return false;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    const QImage image = RenderStripCharts(log);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        png.clear();
    return SaveBytes(doc, kChart, png);
}
