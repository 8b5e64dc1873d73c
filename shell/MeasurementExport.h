#pragma once
// "Meetwaarden opslaan..." and "Grafiek opslaan...": what the probes measured, saved
// as a spreadsheet file or as the measurement chart (PNG or SVG), during or after a
// measurement.

class CMeasurementLog;
class CVeldtrakDoc;

// Asks for a file name and writes the traces there; a failure is reported in Dutch.
// Returns whether a file was written.
bool SaveMeasurementValues(CVeldtrakDoc& doc, const CMeasurementLog& log);
// The chart shows the whole measurement, a lane per probe or all over each other.
bool SaveMeasurementChart(CVeldtrakDoc& doc, const CMeasurementLog& log, bool lanes = true);
