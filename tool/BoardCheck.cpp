#include "BoardCheck.h"

#include "OutputMatching.h"

#include "components/Sensor.h"
#include "core/Bus.h"
#include "core/Component.h"
#include "document/Document.h"
#include "platform/DrawContext.h"
#include "platform/Strings.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

constexpr std::array<unsigned, 7> kInputTypes = {
    TYPE_DRUKKNOP,    TYPE_SWITCH,       TYPE_TOGGLE,      TYPE_VARSPANNING,
    TYPE_LICHTSENSOR, TYPE_GELUIDSENSOR, TYPE_WARMTESENSOR};
constexpr std::array<unsigned, 5> kOutputTypes = {TYPE_LAMP, TYPE_LED, TYPE_ZOEMER,
                                                  TYPE_SPANNINGSMETER, TYPE_PULSTELLER};
constexpr int kSourceSteps = 11;     // 0,0 to 5,0 V
constexpr int kTenthsPerStep = 5;    // 0,5 V
constexpr int kLevelPerStep = 50;    // 0,5 V in hundredths
constexpr int kLampLevelsPerStep = 32;
constexpr int kMinTicks = 10;
constexpr int kMaxTicks = 200;

bool IsSensor(unsigned type)
{
    return type == TYPE_LICHTSENSOR || type == TYPE_GELUIDSENSOR || type == TYPE_WARMTESENSOR;
}

// Voltage sources and sensors take a voltage in steps; the others are on or off.
bool TakesVoltage(unsigned type)
{
    return type == TYPE_VARSPANNING || IsSensor(type);
}

int ValueCount(unsigned type)
{
    return TakesVoltage(type) ? kSourceSteps : 2;
}

// The ports of these kinds, kind by kind, each kind from the top down and then from
// left to right (equal places keep the list order).
std::vector<CheckPort> Ports(const CVeldtrakDoc& doc, const unsigned* types, std::size_t typeCount)
{
    std::vector<CheckPort> ports;
    for (std::size_t t = 0; t < typeCount; ++t) {
        std::vector<int> found;
        for (std::size_t i = 0; i < doc.m_components.size(); ++i)
            if (doc.m_components[i]->GetTypeId() == types[t])
                found.push_back(int(i));
        std::stable_sort(found.begin(), found.end(), [&doc](int a, int b) {
            const CRect& ra = doc.m_components[std::size_t(a)]->m_rect;
            const CRect& rb = doc.m_components[std::size_t(b)]->m_rect;
            return ra.top != rb.top ? ra.top > rb.top : ra.left < rb.left;
        });
        const QString name = LoadString(int(types[t])).toLower();
        for (std::size_t n = 0; n < found.size(); ++n)
            ports.push_back({found[n], types[t], name + u' ' + QString::number(n + 1),
                             doc.m_components[std::size_t(found[n])]->GetTopLeft()});
    }
    return ports;
}

QString ValueText(unsigned type, int value)
{
    switch (type) {
    case TYPE_VARSPANNING:
        return QStringLiteral("%1,%2V").arg(value * kTenthsPerStep / 10).arg(value * kTenthsPerStep % 10);
    case TYPE_LAMP:
        return QStringLiteral("helderheid %1").arg(value);
    case TYPE_LED:
    case TYPE_ZOEMER:
        return value ? QStringLiteral("aan") : QStringLiteral("uit");
    case TYPE_SPANNINGSMETER:
        return QStringLiteral("%1,%2 V").arg(value / 100).arg(value % 100, 2, 10, QLatin1Char('0'));
    case TYPE_PULSTELLER:
        return QStringLiteral("telt %1").arg(value);
    default:
        return QString::number(value);
    }
}

// "1 0 2,5V": the pattern's values in the order of the inputs.
QString PatternText(const std::vector<CheckPort>& inputs, const std::vector<int>& pattern)
{
    if (inputs.empty())
        return QStringLiteral("-");
    QStringList values;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        values << (TakesVoltage(inputs[i].type) ? ValueText(TYPE_VARSPANNING, pattern[i])
                                                : QString::number(pattern[i]));
    return values.join(u' ');
}

// A small, fixed generator: the same sample on every run and every machine.
class CPatternSample {
public:
    std::uint64_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return m_state;
    }

private:
    std::uint64_t m_state = 0x5EEDC0DE2026ULL;
};

// One board being driven: presses its push buttons, sets its switches, toggles and
// sources, and runs the measurement's own ticks.
class CBoardDriver {
public:
    CBoardDriver(CVeldtrakDoc& doc, const std::vector<CheckPort>& inputs,
                 const std::vector<CheckPort>& outputs)
        : m_doc(doc), m_inputs(inputs), m_outputs(outputs), m_pressed(inputs.size(), false)
    {
        m_press = PressPoint();
        for (const auto& c : m_doc.m_components)
            if (c->GetTypeId() == TYPE_COMPARATOR || c->GetTypeId() == TYPE_PULSGENERATOR)
                m_settings.push_back({c.get(), c->m_nParam1});
        m_doc.LayOutSockets();
        m_doc.m_bBusy = false;
        m_doc.Start();
    }
    ~CBoardDriver()
    {
        Apply(std::vector<int>(m_inputs.size(), 0)); // the buttons back on their places
        m_doc.Stop();
        m_doc.UnlinkAll();
    }
    CBoardDriver(const CBoardDriver&) = delete;
    CBoardDriver& operator=(const CBoardDriver&) = delete;

    // The measurement's Reset, then every level to 0: a component's Reset reads the
    // inputs of sources that are reset after it, and would carry the last pattern's
    // levels into the next one. The Reset also puts the comparators' references and the
    // pulse generators' frequencies at 0; as set on their sliders they are part of the
    // circuit, so they are set back. A pulse generator starts its period afresh, so that
    // a countdown stored in one of the files does not shift its pulses.
    void Reset()
    {
        m_doc.ResetComponents(m_dc);
        m_doc.ClearLevels();
        for (const auto& [component, setting] : m_settings) {
            component->m_nParam1 = setting;
            if (component->GetTypeId() == TYPE_PULSGENERATOR) component->m_nCorner = 0;
        }
    }

    void Apply(const std::vector<int>& pattern)
    {
        for (std::size_t i = 0; i < m_inputs.size(); ++i) {
            CComponent& c = *m_doc.m_components[std::size_t(m_inputs[i].component)];
            const int value = pattern[i];
            switch (m_inputs[i].type) {
            case TYPE_DRUKKNOP:
                // A button is held by the mouse: every pressed button lies under it.
                if ((value != 0) != m_pressed[i] && c.GetBusCount() > 0) {
                    const CPoint centre = c.Bus(0).GetCenter();
                    const int sign = value != 0 ? 1 : -1;
                    if (value != 0)
                        m_homes[i] = centre;
                    const CPoint home = m_homes[i];
                    c.Bus(0).Offset(sign * (m_press.x - home.x), sign * (m_press.y - home.y));
                    m_pressed[i] = value != 0;
                }
                break;
            case TYPE_SWITCH:
            case TYPE_TOGGLE:
                c.m_nParam2 = value; // the contact state, as a press would leave it
                break;
            case TYPE_VARSPANNING:
                c.m_nParam1 = value * kTenthsPerStep; // the setting, as the slider would
                break;
            case TYPE_LICHTSENSOR:
            case TYPE_GELUIDSENSOR:
            case TYPE_WARMTESENSOR:
                // One mouse cannot hold a source at two sensors at once, nor reach every
                // step at whole board units: each sensor gets its own, at the strength.
                if (auto* sensor = dynamic_cast<CSensor*>(&c))
                    sensor->HoldSource(value * kLevelPerStep);
                break;
            default:
                break;
            }
        }
    }

    void Run(int ticks)
    {
        for (int t = 0; t < ticks; ++t)
            m_doc.Tick(m_dc, m_press, STATE_LEFT_BUTTON);
    }

    std::vector<int> ReadOutputs() const
    {
        std::vector<int> values;
        values.reserve(m_outputs.size());
        for (const CheckPort& port : m_outputs) {
            const CComponent& c = *m_doc.m_components[std::size_t(port.component)];
            // The light or sound given off (a negative level is this tick's, aged).
            const int given = c.GetBusCount() > 1 ? std::abs(c.Bus(1).m_nValue) : 0;
            switch (port.type) {
            case TYPE_LAMP:
                values.push_back(std::min(given, kLevelHigh) / kLampLevelsPerStep);
                break;
            case TYPE_LED:
            case TYPE_ZOEMER:
                values.push_back(IsHigh(given) ? 1 : 0);
                break;
            default: // the voltmeter's value shown and the counter's count
                values.push_back(c.m_nParam1);
                break;
            }
        }
        return values;
    }

private:
    // A point beyond every socket and component, where the mouse holds the pressed
    // buttons without touching anything else on the board.
    CPoint PressPoint() const
    {
        long long right = 0, top = 0;
        for (const auto& c : m_doc.m_components) {
            right = std::max<long long>(right, std::max(c->m_rect.left, c->m_rect.right));
            top = std::max<long long>(top, std::max(c->m_rect.top, c->m_rect.bottom));
            for (int b = 0; b < c->GetBusCount(); ++b) {
                const CRect& r = c->Bus(b).GetRect();
                right = std::max<long long>(right, std::max(r.left, r.right));
                top = std::max<long long>(top, std::max(r.top, r.bottom));
            }
        }
        const auto beyond = [](long long v) { return int(std::min<long long>(v + 1000, INT_MAX / 2)); };
        return CPoint(beyond(right), beyond(top));
    }

    CVeldtrakDoc& m_doc;
    const std::vector<CheckPort>& m_inputs;
    const std::vector<CheckPort>& m_outputs;
    std::vector<bool> m_pressed;
    std::vector<CPoint> m_homes = std::vector<CPoint>(m_inputs.size());
    std::vector<std::pair<CComponent*, int>> m_settings; // slider settings as opened
    CPoint m_press;
    CMemoryDC m_dc{64, 64};
};

// Every pattern after its own Reset, then all of them in order: the outputs at the end
// of each.
std::vector<std::vector<int>> Observe(CVeldtrakDoc& doc, const std::vector<CheckPort>& inputs,
                                      const std::vector<CheckPort>& outputs, const CheckPlan& plan)
{
    std::vector<std::vector<int>> seen;
    seen.reserve(plan.patterns.size() * 3);
    CBoardDriver driver(doc, inputs, outputs);
    for (const std::vector<int>& pattern : plan.patterns) {
        driver.Reset();
        driver.Apply(pattern);
        driver.Run(plan.ticksPerPattern);
        seen.push_back(driver.ReadOutputs());
    }
    // In order, each pattern followed by the rest state (every input 0), as a pupil
    // presses and lets go: a circuit that should remember must keep what was set.
    const std::vector<int> rest(inputs.size(), 0);
    driver.Reset();
    for (const std::vector<int>& pattern : plan.patterns)
        for (const std::vector<int>* step : {&pattern, &rest}) {
            driver.Apply(*step);
            driver.Run(plan.ticksPerPattern);
            seen.push_back(driver.ReadOutputs());
        }
    return seen;
}

// "2 × drukschakelaar, 1 × lamp"
QString KindCounts(const std::vector<CheckPort>& ports)
{
    QStringList parts;
    for (std::size_t i = 0; i < ports.size();) {
        std::size_t j = i;
        while (j < ports.size() && ports[j].type == ports[i].type)
            ++j;
        parts << QStringLiteral("%1 × %2").arg(j - i).arg(LoadString(int(ports[i].type)).toLower());
        i = j;
    }
    return parts.isEmpty() ? QStringLiteral("geen") : parts.join(QStringLiteral(", "));
}

bool SameKinds(const std::vector<CheckPort>& a, const std::vector<CheckPort>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const CheckPort& x, const CheckPort& y) { return x.type == y.type; });
}

} // namespace

std::vector<CheckPort> CheckInputs(const CVeldtrakDoc& doc)
{
    return Ports(doc, kInputTypes.data(), kInputTypes.size());
}

std::vector<CheckPort> CheckOutputs(const CVeldtrakDoc& doc)
{
    return Ports(doc, kOutputTypes.data(), kOutputTypes.size());
}

CheckPlan MakeCheckPlan(const std::vector<CheckPort>& inputs, int largestComponentCount)
{
    CheckPlan plan;
    plan.ticksPerPattern = std::clamp(largestComponentCount + 1, kMinTicks, kMaxTicks);
    long long combinations = 1;
    for (const CheckPort& input : inputs) {
        combinations *= ValueCount(input.type);
        if (combinations > kMaxCheckPatterns)
            break;
    }
    plan.everyCombination = combinations <= kMaxCheckPatterns;
    if (plan.everyCombination) {
        // Counting, the first input as the highest digit.
        for (long long k = 0; k < combinations; ++k) {
            std::vector<int> pattern(inputs.size());
            long long rest = k;
            for (std::size_t i = inputs.size(); i-- > 0;) {
                const int count = ValueCount(inputs[i].type);
                pattern[i] = int(rest % count);
                rest /= count;
            }
            plan.patterns.push_back(std::move(pattern));
        }
        return plan;
    }
    CPatternSample sample;
    for (int k = 0; k < kMaxCheckPatterns; ++k) {
        std::vector<int> pattern(inputs.size());
        for (std::size_t i = 0; i < inputs.size(); ++i)
            pattern[i] = int(sample.Next() % std::uint64_t(ValueCount(inputs[i].type)));
        plan.patterns.push_back(std::move(pattern));
    }
    return plan;
}

QString VerdictText(CheckVerdict verdict)
{
    switch (verdict) {
    case CheckVerdict::Same:
        return QStringLiteral("goed");
    case CheckVerdict::Differs:
        return QStringLiteral("fout");
    case CheckVerdict::OtherInputs:
        return QStringLiteral("andere invoer");
    case CheckVerdict::OtherOutputs:
        return QStringLiteral("andere uitvoer");
    case CheckVerdict::TooLarge:
        return QStringLiteral("te groot");
    case CheckVerdict::Unreadable:
        break;
    }
    return QStringLiteral("onleesbaar");
}

QString PortList(const std::vector<CheckPort>& ports)
{
    QStringList labels;
    for (const CheckPort& port : ports)
        labels << port.label;
    return labels.isEmpty() ? QStringLiteral("geen") : labels.join(QStringLiteral(", "));
}

CheckReport CheckBoard(CVeldtrakDoc& answer, CVeldtrakDoc& reference)
{
    CheckReport report;
    // Before anything walks the boards twice over: how large they may be.
    const int largest = int(std::max(answer.m_components.size(), reference.m_components.size()));
    if (largest > kMaxCheckedComponents) {
        report.verdict = CheckVerdict::TooLarge;
        report.detail = QStringLiteral("meer dan %1 onderdelen").arg(kMaxCheckedComponents);
        return report;
    }
    const std::vector<CheckPort> inputs = CheckInputs(reference);
    const std::vector<CheckPort> outputs = CheckOutputs(reference);
    const std::vector<CheckPort> answerInputs = CheckInputs(answer);
    const std::vector<CheckPort> answerPorts = CheckOutputs(answer);
    for (const CheckPort& port : outputs)
        report.outputs.push_back({port.label, false});

    if (!SameKinds(answerInputs, inputs)) {
        report.verdict = CheckVerdict::OtherInputs;
        report.detail = QStringLiteral("invoer %1, verwacht %2").arg(KindCounts(answerInputs), KindCounts(inputs));
        return report;
    }
    std::vector<CheckPort> answerOutputs; // the partner of each of the teacher's outputs
    if (!MatchOutputs(outputs, answerPorts, answerOutputs)) {
        report.verdict = CheckVerdict::OtherOutputs;
        report.detail = QStringLiteral("uitvoer %1, verwacht %2")
                            .arg(KindCounts(answerPorts), KindCounts(outputs));
        return report;
    }

    const CheckPlan plan = MakeCheckPlan(inputs, largest);
    report.patternCount = int(plan.patterns.size());
    report.everyCombination = plan.everyCombination;
    const auto expected = Observe(reference, inputs, outputs, plan);
    const auto seen = Observe(answer, answerInputs, answerOutputs, plan);

    for (OutputVerdict& output : report.outputs)
        output.same = true;
    for (std::size_t run = 0; run < seen.size(); ++run) {
        QStringList differences;
        for (std::size_t o = 0; o < outputs.size(); ++o) {
            if (seen[run][o] == expected[run][o])
                continue;
            report.outputs[o].same = false;
            differences << QStringLiteral("%1 %2, verwacht %3")
                               .arg(outputs[o].label, ValueText(outputs[o].type, seen[run][o]),
                                    ValueText(outputs[o].type, expected[run][o]));
        }
        if (differences.isEmpty() || report.verdict == CheckVerdict::Differs)
            continue;
        report.verdict = CheckVerdict::Differs;
        const std::size_t n = plan.patterns.size();
        QString when;
        if (run < n) {
            when = QStringLiteral("na reset, invoer ") + PatternText(inputs, plan.patterns[run]);
        } else {
            const std::size_t step = run - n;
            when = QStringLiteral("in volgorde, invoer ") + PatternText(inputs, plan.patterns[step / 2]);
            if (step % 2 == 1)
                when += QStringLiteral(" en daarna ") + PatternText(inputs, std::vector<int>(inputs.size(), 0));
        }
        report.detail = when + QStringLiteral(": ") + differences.join(QStringLiteral("; "));
    }
    return report;
}
