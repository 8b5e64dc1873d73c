#pragma once
// Device pixels per widget pixel on the widget's screen: 2 on a sharp ("retina")
// screen. Views keep their surfaces at this resolution.

#include <QWidget>

#include <algorithm>
#include <cmath>

inline double DevicePixelScale(const QWidget& widget)
{
    const double ratio = widget.devicePixelRatioF();
    return std::isfinite(ratio) && ratio >= 1.0 ? std::min(ratio, 8.0) : 1.0;
}
