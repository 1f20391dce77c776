#include "ui/PageArea.h"

Rect PageAreaOf(const Rect& client, const DpiScale& scale) {
    return Rect{client.left + scale.Length(kPageAreaInsetLeft), client.top + scale.Length(kPageAreaInsetTop),
                client.right - scale.Length(kPageAreaInsetRight), client.bottom - scale.Length(kPageAreaInsetBottom)};
}
