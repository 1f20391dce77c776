#include "engine/PageDpi.h"

unsigned long HostFlagsAtScale(unsigned long flags, const DpiScale& scale) {
    return scale.IsBase() ? flags : flags | kHostFlagDpiAware;
}

int PageZoomPercent(const DpiScale& scale) { return (scale.dpi() * 100 + kBaseDpi / 2) / kBaseDpi; }

int DpiOfZoomPercent(int percent) { return (percent * kBaseDpi + 50) / 100; }

DpiScale DocumentDefaultScale(const DpiScale& window, const DpiScale& system) {
    return window.IsBase() ? DpiScale() : system;
}

namespace {
// floor(v * mul / div), div > 0.
int FloorScaledBy(int v, int mul, int div) {
    const long long p = static_cast<long long>(v) * mul;
    return static_cast<int>(p >= 0 ? p / div : -((-p + div - 1) / div));
}
int FloorScaled(int v, int dpi) { return FloorScaledBy(v, dpi, kBaseDpi); }
int CeilScaled(int v, int dpi) { return -FloorScaled(-v, dpi); }
}  // namespace

int CssOfDevice(int v, const DpiScale& scale) { return FloorScaledBy(v, kBaseDpi, scale.dpi()); }

int CssLengthCovering(int v, const DpiScale& scale) { return -FloorScaledBy(-v, kBaseDpi, scale.dpi()); }

Rect DeviceRectOfCss(const Rect& css, const DpiScale& scale) {
    if (scale.IsBase()) return css;
    return Rect{FloorScaled(css.left, scale.dpi()), FloorScaled(css.top, scale.dpi()),
                CeilScaled(css.right, scale.dpi()), CeilScaled(css.bottom, scale.dpi())};
}
