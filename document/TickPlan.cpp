#include "TickPlan.h"

#include <algorithm>
#include <cstdlib>

void CTickPlan::Clear()
{
    m_steps.clear();
    m_sources.clear();
    m_levels.clear();
    m_values.clear();
    m_holders.clear();
    m_slots.clear();
    m_nComponents = 0;
    m_bBuilt = false;
}

void CTickPlan::Publish() const
{
    for (std::size_t i = 0; i < m_values.size(); ++i)
        m_holders[i]->m_nValue = m_values[i];
}

void CTickPlan::Reload()
{
    for (std::size_t i = 0; i < m_values.size(); ++i)
        m_values[i] = m_holders[i]->m_nValue;
}

int* CTickPlan::LevelOf(CBus& bus)
{
    const auto found = std::lower_bound(
        m_slots.begin(), m_slots.end(), &bus,
        [](const std::pair<const CBus*, std::uint32_t>& slot, const CBus* b) { return slot.first < b; });
    if (found != m_slots.end() && found->first == &bus)
        return m_values.data() + found->second;
    return &bus.m_nValue;
}

void CTickPlan::Build(const Components& components, const std::vector<CBus*>& watched)
{
    Clear();
    // The sockets that another socket reads, and those read by a component that runs
    // its own Update (or watched between ticks): the latter keep their level in place.
    std::vector<const CBus*> read;
    std::vector<const CBus*> readInPlace(watched.begin(), watched.end());
    std::vector<int> inputsOf(components.size());
    std::vector<unsigned> tableOf(components.size());
    for (std::size_t i = 0; i < components.size(); ++i) {
        const CComponent& c = *components[i];
        int inputs = c.LogicTable(tableOf[i]);
        if (inputs < 1 || inputs > 2 || c.GetBusCount() <= inputs)
            inputs = 0;
        inputsOf[i] = inputs;
        for (int b = 0; b < c.GetBusCount(); ++b)
            for (std::size_t s = 0; s < c.Bus(b).SourceCount(); ++s) {
                read.push_back(c.Bus(b).Source(s));
                if (inputs == 0)
                    readInPlace.push_back(c.Bus(b).Source(s));
            }
    }
    std::sort(read.begin(), read.end());
    std::sort(readInPlace.begin(), readInPlace.end());
    const auto isIn = [](const std::vector<const CBus*>& set, const CBus& bus) {
        return std::binary_search(set.begin(), set.end(), &bus);
    };

    // A slot in the array for every socket of a gate that only the plan touches, in
    // the order of the tick.
    for (std::size_t i = components.size(); i-- > 0;) {
        CComponent& c = *components[i];
        for (int b = 0; b < (inputsOf[i] ? inputsOf[i] + 1 : 0); ++b) {
            CBus& bus = c.Bus(b);
            if (isIn(readInPlace, bus))
                continue;
            m_slots.push_back({&bus, std::uint32_t(m_values.size())});
            m_values.push_back(bus.m_nValue);
            m_holders.push_back(&bus);
        }
    }
    std::sort(m_slots.begin(), m_slots.end());

    m_steps.reserve(components.size());
    for (std::size_t i = components.size(); i-- > 0;) {
        CComponent& c = *components[i];
        Step step{&c, nullptr, 0, 0, 0, {}};
        const int inputs = inputsOf[i];
        const unsigned table = tableOf[i];
        int agedInStep = 0; // sockets 0 .. agedInStep - 1 may be aged in the step
        if (inputs > 0) {
            step.inputs = std::uint8_t(inputs);
            step.table = std::uint8_t(table);
            step.output = LevelOf(c.Bus(inputs));
            agedInStep = inputs + 1;
            for (int k = 0; k < inputs; ++k) {
                CBus& bus = c.Bus(k);
                step.in[k] = {LevelOf(bus), std::uint32_t(m_sources.size()),
                              std::uint32_t(bus.SourceCount())};
                for (std::size_t s = 0; s < bus.SourceCount(); ++s)
                    m_sources.push_back({LevelOf(*bus.Source(s)), bus.Divisor(s)});
                if (!isIn(read, bus))
                    step.ageInputs |= std::uint8_t(1u << k);
            }
        }
        for (int b = 0; b < c.GetBusCount(); ++b) {
            const bool agedInput = b < inputs && (step.ageInputs & (1u << b));
            const bool agedOutput = b == inputs && agedInStep > 0;
            if (b >= agedInStep || !(agedInput || agedOutput))
                m_levels.push_back(LevelOf(c.Bus(b)));
        }
        m_steps.push_back(step);
    }
    std::vector<std::pair<const CBus*, std::uint32_t>>().swap(m_slots); // needed no more
    m_nComponents = components.size();
    m_bBuilt = true;
}

// As CBus::ReadInput: the running maximum of the attenuated sources, starting from the
// socket's own (aged) level and stored in it as it grows.
inline int CTickPlan::Read(const Input& input) const
{
    int& value = *input.value;
    const Source* sources = m_sources.data() + input.first;
    for (std::uint32_t i = input.count; i-- > 0;) {
        const unsigned level = unsigned(std::abs(*sources[i].level));
        const unsigned divisor = sources[i].divisor;
        const int q = int(level < divisor ? 0u : divisor == 1 ? level : level / divisor);
        if (q > value)
            value = q;
    }
    return std::abs(value);
}

namespace {

// The end of a tick: a level becomes the previous tick's (negated), a previous one 0.
inline void Age(int& level)
{
    level = level >= 0 ? -level : 0;
}

} // namespace

void CTickPlan::Run(CDC& dc, CPoint cursor, std::uint32_t* pState)
{
    for (const Step& step : m_steps) {
        switch (step.inputs) {
        case 1: {
            const unsigned a = IsHigh(Read(step.in[0]));
            if (step.ageInputs & 1u)
                Age(*step.in[0].value);
            *step.output = (step.table >> a) & 1u ? -kLevelHigh : 0; // written aged
            break;
        }
        case 2: {
            const unsigned b = IsHigh(Read(step.in[1]));
            const unsigned a = IsHigh(Read(step.in[0]));
            if (step.ageInputs & 1u)
                Age(*step.in[0].value);
            if (step.ageInputs & 2u)
                Age(*step.in[1].value);
            *step.output = (step.table >> (a + 2 * b)) & 1u ? -kLevelHigh : 0;
            break;
        }
        default:
            step.component->Update(dc, cursor, pState);
            break;
        }
    }
    for (int* level : m_levels)
        Age(*level);
}
