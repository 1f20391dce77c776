#pragma once
// A web page at a display scale. Pages are laid out in CSS pixels, which are
// 96-DPI pixels; a browser told that its host is DPI aware zooms them to the
// display. At 96 DPI nothing changes, so the host flags stay as they were.
#include "ui/DpiScale.h"
#include "ui/Geometry.h"

// DOCHOSTUIFLAG_DPI_AWARE.
constexpr unsigned long kHostFlagDpiAware = 0x40000000;

// The host flags a page gets on a display of `scale`.
unsigned long HostFlagsAtScale(unsigned long flags, const DpiScale& scale);
// The optical zoom, in percent, that shows CSS pixels at `scale`, and back.
int PageZoomPercent(const DpiScale& scale);
int DpiOfZoomPercent(int percent);
// The zoom a browser gives a new document in a window at `window`, on a
// system of `system`: the system's once the host says it is DPI aware (as
// HostFlagsAtScale does above the base), otherwise none.
DpiScale DocumentDefaultScale(const DpiScale& window, const DpiScale& system);
// The CSS pixel under device pixel `v`, and the CSS length that covers
// `v` device pixels.
int CssOfDevice(int v, const DpiScale& scale);
int CssLengthCovering(int v, const DpiScale& scale);
// Device pixels that hold the whole of CSS rectangle `css` (rounded outwards,
// so a repaint of an element covers every pixel it touches).
Rect DeviceRectOfCss(const Rect& css, const DpiScale& scale);
