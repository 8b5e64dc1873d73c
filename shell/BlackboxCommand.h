#pragma once
// "Identificeer &blackboxes": every hidden gate and memory cell shows what it is again.

class CComponent;
class CVeldtrakDoc;

// The gates and the memory cell can be black boxes; their flag is m_nParam1.
bool CanBeBlackbox(const CComponent& component);

// Enabled when nothing is busy or running, some component is a black box and the
// board grants identifying them (the teacher's unlock does not count here).
bool CanIdentifyBlackboxes(const CVeldtrakDoc& doc);

// Clears every black-box flag; when one was set the board is modified and redrawn.
void IdentifyBlackboxes(CVeldtrakDoc& doc);
