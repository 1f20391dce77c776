#pragma once
// Where a page or the hall sits in its main window's client area: inside the
// frame and below the title band. The main window places its pages there and
// each page process puts its own window there, so both take it from here.
// The insets are 96-DPI pixels that the main window's scale places.
#include "ui/DpiScale.h"
#include "ui/Geometry.h"

constexpr int kPageAreaInsetLeft = 4;
constexpr int kPageAreaInsetTop = 30;
constexpr int kPageAreaInsetRight = 4;
constexpr int kPageAreaInsetBottom = 4;

// The page area of a main window whose client area is `client`.
Rect PageAreaOf(const Rect& client, const DpiScale& scale);
