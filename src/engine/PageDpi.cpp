#include "engine/PageDpi.h"

unsigned long HostFlagsAtScale(unsigned long flags, const DpiScale& scale) {
    return scale.IsBase() ? flags : flags | kHostFlagDpiAware;
}

int PageZoomPercent(const DpiScale& scale) { return (scale.dpi() * kBaseZoom + kBaseDpi / 2) / kBaseDpi; }

int DocumentDefaultZoom(const DpiScale& window, const DpiScale& system) {
    return window.IsBase() ? kBaseZoom : PageZoomPercent(system);
}

namespace {
// floor(v * mul / div), div > 0.
int FloorScaledBy(int v, int mul, int div) {
    const long long p = static_cast<long long>(v) * mul;
    return static_cast<int>(p >= 0 ? p / div : -((-p + div - 1) / div));
}
// A zoom of 0 or less, which no browser shows, counts as none (no division by it).
int Held(int zoom) { return zoom > 0 ? zoom : kBaseZoom; }
int FloorScaled(int v, int zoom) { return FloorScaledBy(v, zoom, kBaseZoom); }
int CeilScaled(int v, int zoom) { return -FloorScaled(-v, zoom); }
}  // namespace

int CssOfDevice(int v, int zoom) { return FloorScaledBy(v, kBaseZoom, Held(zoom)); }

int CssLengthCovering(int v, int zoom) { return -FloorScaledBy(-v, kBaseZoom, Held(zoom)); }

Rect DeviceRectOfCss(const Rect& css, int zoom) {
    zoom = Held(zoom);
    if (zoom == kBaseZoom) return css;
    return Rect{FloorScaled(css.left, zoom), FloorScaled(css.top, zoom), CeilScaled(css.right, zoom),
                CeilScaled(css.bottom, zoom)};
}
