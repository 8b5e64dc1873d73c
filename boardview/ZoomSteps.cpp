#include "ZoomSteps.h"

#include <algorithm>
#include <cmath>

int ClampZoomStep(int step)
{
    return std::clamp(step, 0, int(kZoomSteps.size()) - 1);
}

int ZoomedDpi(int screenDpi, int step, double devicePixelRatio)
{
    const CZoomStep& z = kZoomSteps[std::size_t(ClampZoomStep(step))];
    const double ratio = std::isfinite(devicePixelRatio) && devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const double dpi = double(std::max(1, screenDpi)) * z.numerator * ratio / z.denominator;
    return int(std::clamp(std::lround(dpi), 1L, 100000L));
}
