#pragma once
// Every size the skin and the layouts give is in pixels at 96 DPI; a window
// on a display of another DPI scales them by its own DPI / 96.
//
// Positions and edges are scaled, never lengths on their own: a piece that
// ends where the next begins at 96 DPI still does at any DPI, so scaled
// layouts have no one-pixel gaps or overlaps. A length is the distance
// between its two scaled edges (`Length` for one that starts at 0).
#include "ui/Geometry.h"

constexpr int kBaseDpi = 96;

class DpiScale {
public:
    DpiScale() = default;
    // Below 96 DPI the launcher keeps its 96-DPI sizes.
    explicit DpiScale(int dpi) : m_dpi(dpi > kBaseDpi ? dpi : kBaseDpi) {}
    int dpi() const { return m_dpi; }
    bool IsBase() const { return m_dpi == kBaseDpi; }

    // A coordinate, to the nearest pixel (halves away from zero).
    int Px(int v) const;
    // A length that starts at coordinate 0.
    int Length(int v) const { return Px(v); }
    Rect Of(const Rect& r) const { return Rect{Px(r.left), Px(r.top), Px(r.right), Px(r.bottom)}; }
    Size Of(const Size& s) const { return Size{Px(s.cx), Px(s.cy)}; }
    // A length measured at this DPI (a window's size, a text's extent) back
    // in 96-DPI pixels, rounded the same way.
    int Unscale(int v) const;
    // A font's height in pixels for `points` (negative: a character height,
    // as the platform takes it).
    int FontHeight(int points) const;

private:
    int m_dpi = kBaseDpi;
};
