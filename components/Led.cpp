#include "Led.h"

#include "dialogs/LedColourDlg.h"

CLed::CLed() : CColourLight(TYPE_LED, kHeight, DefaultColours()) {}

CColourTable CLed::DefaultColours()
{
    CColourTable table;
    for (int i = 0; i < int(table.size()); ++i)
        table[std::size_t(i)] = i < 8 ? RGB(255, 255, 255) : RGB(255, 0, 0);
    return table;
}

int CLed::EditProperties(int permissionMask)
{
    return EditColours<CLedColourDlg>(permissionMask);
}
