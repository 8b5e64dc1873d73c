#pragma once
// "Afdrukken..." of the measurement chart: the whole measurement on one page with the
// board's title and the date.

class CMeasurementLog;
class CVeldtrakDoc;
class QPrinter;
class QWidget;

// Asks for the printer, then prints; a printer that cannot start is reported after the
// page was given up. Returns whether a page was printed.
bool PrintMeasurementChart(CVeldtrakDoc& doc, const CMeasurementLog& log, QPrinter& printer, QWidget* parent,
                           bool lanes);
// The page itself, on a printer already chosen.
bool PrintMeasurementChartPage(const CVeldtrakDoc& doc, const CMeasurementLog& log, QPrinter& printer, bool lanes);
