#include "RunOutputs.h"

#include "chart/ChartFiles.h"
#include "document/MeasurementLog.h"

#include <QFileInfo>

bool ParseRunOutputs(const QStringList& options, RunOutputs& outputs, QTextStream& err)
{
    if (options.size() % 2 != 0)
        return false;
    for (qsizetype i = 0; i < options.size(); i += 2) {
        QString& target = options[i] == u"--csv" ? outputs.csv : outputs.chart;
        if ((options[i] != u"--csv" && options[i] != u"--grafiek") || !target.isEmpty())
            return false;
        target = QFileInfo(options[i + 1]).absoluteFilePath();
    }
    if (!outputs.chart.isEmpty() && ChartFormatOf(outputs.chart) == ChartFormat::Unknown) {
        err << "Een grafiek wordt een .png- of een .svg-bestand: " << outputs.chart << Qt::endl;
        return false;
    }
    return true;
}

QByteArray RunChart(const CMeasurementLog& log, const QString& title, const QString& file, QTextStream& err)
{
    if (!log.HasTraces()) {
        err << "Geen grafiek: er stond geen sonde op het bord of er is geen tik gemeten." << Qt::endl;
        return {};
    }
    const QByteArray bytes = ChartPicture(log, ChartFormatOf(file), title);
    if (bytes.isEmpty())
        err << "Kon " << file << " niet maken." << Qt::endl;
    return bytes;
}
