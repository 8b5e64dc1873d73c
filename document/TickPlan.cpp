#include "TickPlan.h"

#include <algorithm>
#include <cstdlib>

void CTickPlan::Clear()
{
    m_steps.clear();
    m_sources.clear();
    m_levels.clear();
    m_nComponents = 0;
    m_bBuilt = false;
}

void CTickPlan::Build(const Components& components)
{
    Clear();
    // The sockets that another socket reads.
    std::vector<const CBus*> read;
    for (const auto& c : components)
        for (int b = 0; b < c->GetBusCount(); ++b)
            for (std::size_t s = 0; s < c->Bus(b).SourceCount(); ++s)
                read.push_back(c->Bus(b).Source(s));
    std::sort(read.begin(), read.end());
    const auto isRead = [&read](const CBus& bus) {
        return std::binary_search(read.begin(), read.end(), &bus);
    };

    m_steps.reserve(components.size());
    for (std::size_t i = components.size(); i-- > 0;) {
        CComponent& c = *components[i];
        Step step{&c, nullptr, 0, 0, 0, {}};
        unsigned table = 0;
        const int inputs = c.LogicTable(table);
        int agedInStep = 0; // sockets 0 .. agedInStep - 1 may be aged in the step
        if (inputs >= 1 && inputs <= 2 && c.GetBusCount() > inputs) {
            step.inputs = std::uint8_t(inputs);
            step.table = std::uint8_t(table);
            step.output = &c.Bus(inputs).m_nValue;
            agedInStep = inputs + 1;
            for (int k = 0; k < inputs; ++k) {
                CBus& bus = c.Bus(k);
                step.in[k] = {&bus.m_nValue, std::uint32_t(m_sources.size()),
                              std::uint32_t(bus.SourceCount())};
                for (std::size_t s = 0; s < bus.SourceCount(); ++s)
                    m_sources.push_back({&bus.Source(s)->m_nValue, bus.Divisor(s)});
                if (!isRead(bus))
                    step.ageInputs |= std::uint8_t(1u << k);
            }
        }
        for (int b = 0; b < c.GetBusCount(); ++b) {
            const bool agedInput = b < inputs && (step.ageInputs & (1u << b));
            const bool agedOutput = b == inputs && agedInStep > 0;
            if (b >= agedInStep || !(agedInput || agedOutput))
                m_levels.push_back(&c.Bus(b).m_nValue);
        }
        m_steps.push_back(step);
    }
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
