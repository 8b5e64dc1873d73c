#pragma once
// The drawing shared by the two-input gates and the memory cell: caption, two input
// sockets, an output socket and a grey box with the gate's symbol.

#include <QString>

class CComponent;
class CDC;

// symbol: the gate's symbol text, "*" standing for a greater-or-equal sign; an empty
// symbol draws none (a black box).
void DrawGateBody(CDC& dc, CComponent& component, const QString& caption, const QString& symbol);

// A caption centred on the component, its top one text height above the bottom edge.
void DrawBottomCaption(CDC& dc, const CComponent& component, const QString& caption);

// The raised grey box of gates and inverter: black outline, light-grey fill and, on
// screen, white top and left edges.
void DrawRaisedBox(CDC& dc, int left, int top, int right, int bottom);

// A lead from one point to another whose end pixel is set too (lines stop short of it).
void DrawLead(CDC& dc, int x0, int y0, int x1, int y1, bool blackEnd);
