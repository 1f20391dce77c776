#include "ui/DpiScale.h"

namespace {
// n * mul / div to the nearest integer, halves away from zero (div > 0).
int MulDivRound(int n, int mul, int div) {
    const long long p = static_cast<long long>(n) * mul;
    const long long q = p >= 0 ? (p + div / 2) / div : -((-p + div / 2) / div);
    return static_cast<int>(q);
}
}  // namespace

int DpiScale::Px(int v) const { return IsBase() ? v : MulDivRound(v, m_dpi, kBaseDpi); }

int DpiScale::Unscale(int v) const { return IsBase() ? v : MulDivRound(v, kBaseDpi, m_dpi); }

int DpiScale::FontHeight(int points) const { return -MulDivRound(points, m_dpi, 72); }
