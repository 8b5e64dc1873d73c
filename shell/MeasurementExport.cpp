#include "MeasurementExport.h"

#include "chart/ChartFiles.h"
#include "document/Document.h"
#include "document/MeasurementLog.h"
#include "platform/FileDialogs.h"
#include "platform/FileIO.h"
#include "platform/Paths.h"

#include <QDir>

#include <functional>

namespace {

struct ExportKind {
    const char* title;
    const char* filter;
    const char* extension;
};

constexpr ExportKind kValues = {"Meetwaarden opslaan", "CSV-bestanden (*.csv)|*.csv||", "csv"};
constexpr ExportKind kChart = {"Grafiek opslaan", "PNG-afbeeldingen (*.png)|*.png|SVG-tekeningen (*.svg)|*.svg||", "png"};

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

// The file holds the measurement as it stood when the pupil chose the command, also
// while it goes on: the content is made from what was there before the dialog opened.
bool SaveBytes(CVeldtrakDoc& doc, const ExportKind& kind, const std::function<QByteArray(const QString&)>& content)
{
    const QString name = RunFileDialog(DialogFor(doc, kind));
    if (name.isEmpty())
        return false;
    const QByteArray bytes = content(name);
    const int cause = bytes.isEmpty() ? FILE_GENERIC : WriteWholeFile(FileSystemPath(name), bytes);
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
    const QByteArray csv = log.ToCsv();
    return SaveBytes(doc, kValues, [&csv](const QString&) { return csv; });
}

bool SaveMeasurementChart(CVeldtrakDoc& doc, const CMeasurementLog& log, bool lanes)
{
    if (!log.HasTraces())
        return false;
    // Only ticks are added while the dialog is open (another board or Start would need
    // the window): the ticks up to now are the measurement as it stood.
    const long long ticks = log.TickCount();
    const long long firstTick = log.FirstTick();
    const QString title = doc.m_strBoardTitle.isEmpty() ? doc.GetTitle() : doc.m_strBoardTitle;
    return SaveBytes(doc, kChart, [&](const QString& name) {
        if (log.FirstTick() != firstTick || !log.HasTraces())
            return QByteArray(); // cut or cleared meanwhile: not the measurement chosen
        const ChartFormat format = ChartFormatOf(name) == ChartFormat::Svg ? ChartFormat::Svg : ChartFormat::Png;
        return ChartPicture(log, format, title, lanes, ticks);
    });
}
