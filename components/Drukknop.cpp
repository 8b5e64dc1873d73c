#include "Drukknop.h"

void CDrukknop::Draw(CDC& dc)
{
    DrawSingleContact(dc, 3);
}
