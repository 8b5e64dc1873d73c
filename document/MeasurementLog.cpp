#include "MeasurementLog.h"

#include "platform/Strings.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMillisecondsPerTick = 50;

// Hundredths as a Dutch decimal: 250 gives "2,50", -5 gives "-0,05".
void AppendHundredths(QByteArray& out, long long hundredths)
{
    if (hundredths < 0) {
        out += '-';
        hundredths = -hundredths;
    }
    out += QByteArray::number(hundredths / 100);
    out += ',';
    const int rest = int(hundredths % 100);
    out += char('0' + rest / 10);
    out += char('0' + rest % 10);
}

} // namespace

CMeasurementLog::CMeasurementLog(CVeldtrakDoc& doc) : m_doc(doc)
{
    m_doc.AddView(this);
}

CMeasurementLog::~CMeasurementLog()
{
    m_doc.RemoveView(this);
}

void CMeasurementLog::OnUpdate(int hint, int)
{
    switch (hint) {
    case HINT_STARTED:
        Begin();
        break;
    case HINT_TICK:
        Record();
        break;
    case HINT_STOPPED:
        m_buses.clear(); // the sockets are not ours to read once the links are gone
        break;
    case HINT_OPENED:
        // Another board: what was measured on the old one no longer belongs to it.
        m_buses.clear();
        m_traces.clear();
        m_nFirstTick = 0;
        break;
    default:
        break;
    }
}

void CMeasurementLog::Begin()
{
    m_traces.clear();
    m_buses.clear();
    m_nFirstTick = 0;
    m_nChartWidth = m_doc.m_nProbeWidth;
    const std::vector<CVeldtrakDoc::ProbedSocket> probed = m_doc.ListProbedSockets();
    // Listed highest number first; the log keeps the charts' order, lowest first.
    for (auto it = probed.rbegin(); it != probed.rend(); ++it) {
        m_traces.push_back({it->number, {}});
        m_buses.push_back(it->bus);
    }
}

void CMeasurementLog::Record()
{
    if (m_buses.empty() || !m_doc.m_bRunning)
        return;
    if (m_buses.size() * std::size_t(TickCount() + 1) > kMaxLevels) {
        if (TickCount() < 2)
            return; // more probes than the log can follow
        DropOldestHalf();
    }
    for (std::size_t i = 0; i < m_buses.size(); ++i) {
        // A negative level is the previous tick's; levels stay within 0 to 5 V, the
        // bound keeps a stray value from wrapping.
        const int level = std::min(std::abs(m_buses[i]->m_nValue), 32767);
        m_traces[i].levels.push_back(std::int16_t(level));
    }
}

void CMeasurementLog::DropOldestHalf()
{
    const long long drop = TickCount() / 2;
    for (Trace& trace : m_traces)
        trace.levels.erase(trace.levels.begin(), trace.levels.begin() + qsizetype(drop));
    m_nFirstTick += drop;
}

QByteArray CMeasurementLog::ToCsv() const
{
    QByteArray out;
    const QByteArray probeName = LoadString(TYPE_SONDE).toLatin1();
    out.reserve(qsizetype(TickCount()) * qsizetype(6 + 6 * m_traces.size()) + 64);
    out += "tijd (s)";
    for (const Trace& trace : m_traces)
        out += ';' + probeName + ' ' + QByteArray::number(trace.number);
    out += "\r\n";
    for (long long t = 0; t < TickCount(); ++t) {
        AppendHundredths(out, (m_nFirstTick + t) * kMillisecondsPerTick / 10);
        for (const Trace& trace : m_traces) {
            out += ';';
            AppendHundredths(out, trace.levels[std::size_t(t)]);
        }
        out += "\r\n";
    }
    return out;
}
