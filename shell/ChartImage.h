#pragma once
// The strip charts of a measurement as a picture: the charts the left pane shows, one
// below the other, drawn from what the probes measured (so also after Stop).

#include <QImage>

class CMeasurementLog;

// Board units per inch of the picture: two pixels per unit, sharper than the screen.
constexpr int kChartImageDpi = 508;

// Each probe's chart with its newest samples, lowest probe number on top; a null image
// when nothing was measured.
QImage RenderStripCharts(const CMeasurementLog& log);
