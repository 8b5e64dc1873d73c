#pragma once
// The zoom factors the board view offers, as exact fractions: at the usual 96 dpi every
// step maps a board unit to a whole number of dots per inch (33 % is 1/3, 67 % is 2/3).

#include <array>

struct CZoomStep {
    int numerator;
    int denominator;
    int percent; // as shown to the user
};

inline constexpr std::array<CZoomStep, 11> kZoomSteps = {{
    {1, 4, 25},
    {1, 3, 33},
    {1, 2, 50},
    {2, 3, 67},
    {3, 4, 75},
    {1, 1, 100},
    {5, 4, 125},
    {3, 2, 150},
    {2, 1, 200},
    {3, 1, 300},
    {4, 1, 400},
}};

inline constexpr int kTrueSizeZoomStep = 5;
static_assert(kZoomSteps[kTrueSizeZoomStep].percent == 100);

// A step index brought into the table's range.
int ClampZoomStep(int step);
// The drawing resolution of a view at this step on a screen of this resolution and
// device pixel ratio (at least 1).
int ZoomedDpi(int screenDpi, int step, double devicePixelRatio);
