#include "ComponentFactory.h"

#include "ENpoort.h"
#include "Inverter.h"
#include "NENpoort.h"
#include "NOFpoort.h"
#include "OFpoort.h"
#include "Sonde.h"
#include "XOFpoort.h"
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

// In creation order: type identifiers ascending, the probe last. Classes that are not
// built yet have no constructor.
constexpr std::array<ComponentClass, kCreationIndexCount> kClasses = {{
    {TYPE_ADOMZETTER, "CADOmzetter", nullptr},
    {TYPE_COMPARATOR, "CComparator", nullptr},
    {TYPE_DRUKKNOP, "CDrukknop", nullptr},
    {TYPE_ENPOORT, "CENpoort", &Make<CENpoort>},
    {TYPE_GEHEUGEN, "CGeheugen", nullptr},
    {TYPE_GELUIDSENSOR, "CGeluidSensor", nullptr},
    {TYPE_INVERTER, "CInverter", &Make<CInverter>},
    {TYPE_LAMP, "CLamp", nullptr},
    {TYPE_LED, "CLed", nullptr},
    {TYPE_LICHTSENSOR, "CLichtSensor", nullptr},
    {TYPE_NENPOORT, "CNENpoort", &Make<CNENpoort>},
    {TYPE_NOFPOORT, "CNOFpoort", &Make<CNOFpoort>},
    {TYPE_OFPOORT, "COFpoort", &Make<COFpoort>},
    {TYPE_PULSGENERATOR, "CPulsGenerator", nullptr},
    {TYPE_PULSTELLER, "CPulsTeller", nullptr},
    {TYPE_RELAIS, "CRelais", nullptr},
    {TYPE_SPANNINGSMETER, "CSpanningsMeter", nullptr},
    {TYPE_SWITCH, "CSwitch", nullptr},
    {TYPE_WARMTESENSOR, "CWarmteSensor", nullptr},
    {TYPE_TOGGLE, "CToggle", nullptr},
    {TYPE_TRANSISTOR, "CTransistor", nullptr},
    {TYPE_VARSPANNING, "CVariabeleSpanning", nullptr},
    {TYPE_XOFPOORT, "CXOFpoort", &Make<CXOFpoort>},
    {TYPE_ZOEMER, "CZoemer", nullptr},
    {TYPE_SONDE, "CSonde", &Make<CSonde>},
}};

} // namespace

std::unique_ptr<CComponent> CreateComponentByIndex(int index)
{
    if (index < 0 || index >= kCreationIndexCount || !kClasses[std::size_t(index)].create)
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
        if (c.create)
            RegisterClass(c.className, [create = c.create] { return create(); });
}
