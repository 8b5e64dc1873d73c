#include "Toggle.h"

void CToggle::Draw(CDC& dc)
{
    DrawSingleContact(dc, 4);
}
