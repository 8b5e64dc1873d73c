#pragma once
// The toolbar's button pictures, 16 x 15 pixels, drawn here in code.

#include <QIcon>
#include <QPixmap>

// The picture of a toolbar command (null for a command without a button).
QPixmap ToolbarPixmap(int commandId);
// The same with a greyed form for the disabled state.
QIcon ToolbarIcon(int commandId);
