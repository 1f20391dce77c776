#pragma once
// Between the portable rectangles of the layout rules and the platform's RECT.
#include <windows.h>

#include "ui/Geometry.h"

inline Rect ToRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }
inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
