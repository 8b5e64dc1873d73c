#include "Lamp.h"

#include "dialogs/LampColoursDlg.h"

#include <algorithm>

CLamp::CLamp() : CColourLight(TYPE_LAMP, kHeight, DefaultColours()) {}

CColourTable CLamp::DefaultColours()
{
    CColourTable table;
    for (int i = 0; i < int(table.size()); ++i)
        table[std::size_t(i)] = RGB(255, 255, 255 - 15 * i);
    return table;
}

int CLamp::ColourIndex(int level) const
{
    // One step per 0.32 V; levels stop at 5.00 V, the clamp only guards the table.
    return std::min(level / 32, 15);
}

int CLamp::EditProperties(int permissionMask)
{
    return EditColours<CLampColoursDlg>(permissionMask);
}
