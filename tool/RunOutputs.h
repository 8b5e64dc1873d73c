#pragma once
// The files "veldtrak-tool run" writes besides its levels: the probes' values as CSV
// and the measurement chart as PNG or SVG.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTextStream>

class CMeasurementLog;

struct RunOutputs {
    QString csv;   // absolute paths, empty when not asked for
    QString chart;
};

// Reads "[--csv FILE] [--grafiek FILE.png|FILE.svg]" in either order, each at most once;
// a problem goes to 'err' and gives false.
bool ParseRunOutputs(const QStringList& options, RunOutputs& outputs, QTextStream& err);

// The chart of what was measured in the format of the file's extension; empty (with
// the reason in 'err') when no probe measured anything.
QByteArray RunChart(const CMeasurementLog& log, const QString& title, const QString& file, QTextStream& err);
