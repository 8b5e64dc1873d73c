#pragma once
// What the probes measured: from Start on, the level of every probed socket after each
// tick, kept after Stop so that it can still be saved. It listens to the document as
// a view does, so the window and the tool record the same ticks the same way.

#include "Document.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

class CMeasurementLog : public CDocView {
public:
    // A long measurement keeps its newest ticks: beyond this many levels in all the
    // oldest half is dropped (some hours of ticks for a few probes).
    static constexpr std::size_t kMaxLevels = std::size_t(1) << 25;

    struct Trace {
        int number;                       // the probe's number
        std::vector<std::int16_t> levels; // hundredths of a volt, one per tick kept
    };

    explicit CMeasurementLog(CVeldtrakDoc& doc);
    ~CMeasurementLog() override;
    CMeasurementLog(const CMeasurementLog&) = delete;
    CMeasurementLog& operator=(const CMeasurementLog&) = delete;

    void OnUpdate(int hint, int argument) override;

    // True once a measurement with probes has run at least one tick.
    bool HasTraces() const { return !m_traces.empty() && TickCount() > 0; }
    // Lowest probe number first, as the strip charts stand.
    const std::vector<Trace>& Traces() const { return m_traces; }
    // The number of the first tick kept (0 unless a long measurement was cut).
    long long FirstTick() const { return m_nFirstTick; }
    long long TickCount() const { return m_traces.empty() ? 0 : qsizetype(m_traces.front().levels.size()); }
    // The samples a strip chart shows, as the document's probe width was at Start.
    int ChartWidth() const { return m_nChartWidth; }

    // The traces as a spreadsheet reads them: a header "tijd (s);Sonde 1;...", then one
    // line per tick with the time (tick × 0,05 s, the first tick at 0,00) and each
    // level in volts, decimal comma, ";" between fields, CRLF line ends. Only ASCII.
    QByteArray ToCsv() const;

private:
    void Begin();
    void Record();
    void DropOldestHalf();

    CVeldtrakDoc& m_doc;
    std::vector<Trace> m_traces;
    std::vector<CBus*> m_buses; // the probed sockets while the measurement runs
    long long m_nFirstTick = 0;
    int m_nChartWidth = 30;
};
