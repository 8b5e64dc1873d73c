#pragma once
// "Meetwaarden opslaan..." and "Grafiek opslaan...": what the probes measured, saved
// as a spreadsheet file or as a picture of the strip charts, during or after a
// measurement.

class CMeasurementLog;
class CVeldtrakDoc;

// Asks for a file name and writes the traces there; a failure is reported in Dutch.
// Returns whether a file was written.
bool SaveMeasurementValues(CVeldtrakDoc& doc, const CMeasurementLog& log);
bool SaveMeasurementChart(CVeldtrakDoc& doc, const CMeasurementLog& log);
