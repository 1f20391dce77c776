#pragma once
// A web page at a display scale. Pages are laid out in CSS pixels, which are
// 96-DPI pixels, and a browser shows them at its optical zoom, in percent:
// at 100 a CSS pixel is a device pixel, at 150 one and a half, as a display
// of 144 DPI wants. A browser told that its host is DPI aware zooms new
// documents to the system's scale. At 96 DPI nothing changes, so the host
// flags stay as they were.
#include "ui/DpiScale.h"
#include "ui/Geometry.h"

// DOCHOSTUIFLAG_DPI_AWARE.
constexpr unsigned long kHostFlagDpiAware = 0x40000000;
// The zoom of a page at kBaseDpi: a CSS pixel on each device pixel.
constexpr int kBaseZoom = 100;

// The host flags a page gets on a display of `scale`.
unsigned long HostFlagsAtScale(unsigned long flags, const DpiScale& scale);
// The zoom that shows CSS pixels at `scale`.
int PageZoomPercent(const DpiScale& scale);
// The zoom a browser gives a new document in a window at `window`, on a
// system of `system`: the system's once the host says it is DPI aware (as
// HostFlagsAtScale does above the base), otherwise none.
int DocumentDefaultZoom(const DpiScale& window, const DpiScale& system);
// For a page at `zoom` percent: the CSS pixel under device pixel `v`, and
// the CSS length that covers `v` device pixels.
int CssOfDevice(int v, int zoom);
int CssLengthCovering(int v, int zoom);
// Device pixels that hold the whole of CSS rectangle `css` (rounded outwards,
// so a repaint of an element covers every pixel it touches).
Rect DeviceRectOfCss(const Rect& css, int zoom);
