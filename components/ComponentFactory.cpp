#include "ComponentFactory.h"

#include "ADOmzetter.h"
#include "Comparator.h"
#include "Drukknop.h"
#include "ENpoort.h"
#include "Geheugen.h"
#include "GeluidSensor.h"
#include "Inverter.h"
#include "Lamp.h"
#include "Led.h"
#include "LichtSensor.h"
#include "NENpoort.h"
#include "NOFpoort.h"
#include "OFpoort.h"
#include "PulsGenerator.h"
#include "PulsTeller.h"
#include "Relais.h"
#include "Sonde.h"
#include "SpanningsMeter.h"
#include "Switch.h"
#include "Toggle.h"
#include "Transistor.h"
#include "VariabeleSpanning.h"
#include "WarmteSensor.h"
#include "XOFpoort.h"
#include "Zoemer.h"
#include "core/ClassRegistry.h"

#include <array>

namespace {

struct ComponentClass {
    unsigned typeId;
    const char* className;
    std::unique_ptr<CComponent> (*create)();
};

template <class T>
std::unique_ptr<CComponent> Make()
{
    return std::make_unique<T>();
}

// In creation order: type identifiers ascending, the probe last.
constexpr std::array<ComponentClass, kCreationIndexCount> kClasses = {{
    {TYPE_ADOMZETTER, "CADOmzetter", &Make<CADOmzetter>},
    {TYPE_COMPARATOR, "CComparator", &Make<CComparator>},
    {TYPE_DRUKKNOP, "CDrukknop", &Make<CDrukknop>},
    {TYPE_ENPOORT, "CENpoort", &Make<CENpoort>},
    {TYPE_GEHEUGEN, "CGeheugen", &Make<CGeheugen>},
    {TYPE_GELUIDSENSOR, "CGeluidSensor", &Make<CGeluidSensor>},
    {TYPE_INVERTER, "CInverter", &Make<CInverter>},
    {TYPE_LAMP, "CLamp", &Make<CLamp>},
    {TYPE_LED, "CLed", &Make<CLed>},
    {TYPE_LICHTSENSOR, "CLichtSensor", &Make<CLichtSensor>},
    {TYPE_NENPOORT, "CNENpoort", &Make<CNENpoort>},
    {TYPE_NOFPOORT, "CNOFpoort", &Make<CNOFpoort>},
    {TYPE_OFPOORT, "COFpoort", &Make<COFpoort>},
    {TYPE_PULSGENERATOR, "CPulsGenerator", &Make<CPulsGenerator>},
    {TYPE_PULSTELLER, "CPulsTeller", &Make<CPulsTeller>},
    {TYPE_RELAIS, "CRelais", &Make<CRelais>},
    {TYPE_SPANNINGSMETER, "CSpanningsMeter", &Make<CSpanningsMeter>},
    {TYPE_SWITCH, "CSwitch", &Make<CSwitch>},
    {TYPE_WARMTESENSOR, "CWarmteSensor", &Make<CWarmteSensor>},
    {TYPE_TOGGLE, "CToggle", &Make<CToggle>},
    {TYPE_TRANSISTOR, "CTransistor", &Make<CTransistor>},
    {TYPE_VARSPANNING, "CVariabeleSpanning", &Make<CVariabeleSpanning>},
    {TYPE_XOFPOORT, "CXOFpoort", &Make<CXOFpoort>},
    {TYPE_ZOEMER, "CZoemer", &Make<CZoemer>},
    {TYPE_SONDE, "CSonde", &Make<CSonde>},
}};

} // namespace

std::unique_ptr<CComponent> CreateComponentByIndex(int index)
{
    if (index < 0 || index >= kCreationIndexCount)
        return nullptr;
    return kClasses[std::size_t(index)].create();
}

int CreationIndexOfType(unsigned typeId)
{
    for (std::size_t i = 0; i < kClasses.size(); ++i)
        if (kClasses[i].typeId == typeId)
            return int(i);
    return -1;
}

void RegisterComponentClasses()
{
    for (const ComponentClass& c : kClasses)
        RegisterClass(c.className, [create = c.create] { return create(); });
}
