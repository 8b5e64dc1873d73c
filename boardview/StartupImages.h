#pragma once
// The pictures shown while the program starts: two versions of the maker's logo, the
// product splash and the start menu, and the pressed look of the menu's four buttons.
// All are drawn here in code, at fixed pixel sizes.

#include "platform/Geometry.h"

#include <QImage>

#include <array>

constexpr int kStartImageCount = 4;
constexpr int kStartMenuImage = 4;
constexpr int kStartMenuButtonCount = 4;

// Start-up image 1 to 4 (null for any other number); built once, on first use.
const QImage& StartupImage(int number);
// The pressed look of start menu button 1 to 4 (null for any other number).
const QImage& PressedButtonImage(int button);

// Pixel rectangles relative to the start menu's top-left corner, right and bottom
// edges outside: where each button reacts to the mouse, and where its pressed image
// goes (right edge and top fixed, size that of the pressed image).
constexpr std::array<CRect, kStartMenuButtonCount> kStartMenuHotAreas = {{
    {317, 155, 432, 180},
    {307, 184, 432, 209},
    {204, 214, 432, 239},
    {216, 243, 432, 268},
}};
constexpr std::array<CRect, kStartMenuButtonCount> kStartMenuPressedAreas = {{
    {437 - 31, 149, 437, 149 + 30},
    {437 - 32, 180, 437, 180 + 28},
    {437 - 32, 212, 437, 212 + 24},
    {438 - 32, 241, 438, 241 + 29},
}};
