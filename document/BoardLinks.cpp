// The links of the board chain as files: what the protection record names, found.
#include "Document.h"

void CVeldtrakDoc::ResolveLinks()
{
    m_strPrevResolved = ResolveBoardFileName(m_strPrevBoard);
    m_bPrevResolved = !m_strPrevResolved.isEmpty();
    m_strNextResolved = ResolveBoardFileName(m_strNextBoard);
    m_bNextResolved = !m_strNextResolved.isEmpty();
}
