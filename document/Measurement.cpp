// Start, Stop, Reset and the tick of a measurement.
#include "Document.h"

#include "platform/DrawContext.h"
#include "platform/Sound.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Coupling {
    unsigned sensor;
    unsigned emitter;
    int step;
};

// How far a received level drops: by one more divisor every 'step' units.
constexpr Coupling kCouplings[] = {
    {TYPE_GELUIDSENSOR, TYPE_ZOEMER, 100},
    {TYPE_LICHTSENSOR, TYPE_RELAIS, 50},
    {TYPE_LICHTSENSOR, TYPE_LED, 50},
    {TYPE_LICHTSENSOR, TYPE_LAMP, 90},
    {TYPE_WARMTESENSOR, TYPE_LAMP, 30},
};

} // namespace

std::vector<CVeldtrakDoc::ProbedSocket> CVeldtrakDoc::ListProbedSockets() const
{
    std::vector<ProbedSocket> probed;
    for (std::size_t i = m_components.size(); i-- > 0;) {
        const CComponent& c = *m_components[i];
        if (c.GetTypeId() != TYPE_SONDE || c.m_nParam2 < 1)
            continue;
        if (CBus* bus = FindBus(c.m_nParam1))
            probed.push_back({c.m_nParam2, bus});
    }
    std::stable_sort(probed.begin(), probed.end(),
                     [](const ProbedSocket& a, const ProbedSocket& b) { return a.number > b.number; });
    return probed;
}

void CVeldtrakDoc::Start()
{
    m_bRunning = true;

    // The number stands in the socket as if it were last tick's level, so the traces
    // can read it.
    const std::vector<ProbedSocket> probed = ListProbedSockets();
    m_probeBuses.clear();
    m_probeBuses.reserve(probed.size());
    for (const ProbedSocket& p : probed) {
        p.bus->m_nValue = p.number;
        m_probeBuses.push_back(p.bus);
    }

    for (const Coupling& row : kCouplings) {
        for (std::size_t s = m_components.size(); s-- > 0;) {
            CComponent& sensor = *m_components[s];
            if (sensor.GetTypeId() != row.sensor)
                continue;
            for (std::size_t e = m_components.size(); e-- > 0;) {
                CComponent& emitter = *m_components[e];
                if (emitter.GetTypeId() != row.emitter)
                    continue;
                const CPoint a = sensor.Bus(0).GetCenter();
                const CPoint b = emitter.Bus(1).GetCenter();
                const long long dx = a.x - b.x;
                const long long dy = a.y - b.y;
                const auto d = (long long)std::sqrt(double(dx * dx + dy * dy));
                const auto divisor = unsigned((d + 1) / row.step + 1);
                sensor.Bus(0).AddSource(&emitter.Bus(1), divisor);
                emitter.Bus(1).AddConnection();
            }
        }
    }

    for (std::size_t i = m_wires.size(); i-- > 0;) {
        const auto [first, second] = m_wires[i]->GetEnds();
        CBus* a = FindBus(first);
        CBus* b = FindBus(second);
        if (!a || !b)
            continue;
        CBus* reader = b->GetKind() == BUS_INPUT ? b : a;
        CBus* source = reader == b ? a : b;
        reader->AddSource(source, 1);
        source->AddConnection();
    }

    m_tickPlan.Build(m_components, m_probeBuses);
    UpdateAllViews(HINT_STARTED);
}

void CVeldtrakDoc::Stop()
{
    m_bRunning = false;
    SoundService().StopAll();
    m_probeBuses.clear();
    ReleaseTickPlan();
    UpdateAllViews(HINT_STOPPED);
    RebaseUndoHistory(); // what the measurement did to switches and counters is no step
}

void CVeldtrakDoc::Reset()
{
    UpdateAllViews(HINT_RESET);
    if (!m_bRunning)
        RebaseUndoHistory();
}

void CVeldtrakDoc::Tick(CDC& dc, CPoint cursor, std::uint32_t state)
{
    const CFont oldFont = dc.SelectObject(CFont::Label(36));
    // One state word for the whole tick, as the components share it.
    std::uint32_t word = state;
    if (m_tickPlan.IsFor(m_components)) {
        m_tickPlan.Run(dc, cursor, &word);
        dc.SelectObject(oldFont);
    } else {
        // Not started (or changed since): the same walk over the list itself.
        for (std::size_t i = m_components.size(); i-- > 0;)
            m_components[i]->Update(dc, cursor, &word);
        dc.SelectObject(oldFont);
        for (std::size_t i = m_components.size(); i-- > 0;)
            m_components[i]->AgeBusValues();
    }
    UpdateAllViews(HINT_TICK);
}

void CVeldtrakDoc::ResetComponents(CDC& dc)
{
    // Components read each other's levels while they reset: all of them in the sockets.
    m_tickPlan.Publish();
    for (std::size_t i = m_components.size(); i-- > 0;)
        m_components[i]->Reset(dc);
    m_tickPlan.Reload();
}

void CVeldtrakDoc::ReleaseTickPlan()
{
    m_tickPlan.Publish();
    m_tickPlan.Clear();
}
