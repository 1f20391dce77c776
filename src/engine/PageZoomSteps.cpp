#include "engine/PageZoomSteps.h"

#include <algorithm>
#include <iterator>

#include "ui/DpiScale.h"

int SteppedZoom(int percent, ZoomStep step) {
    switch (step) {
    case ZoomStep::In:
        for (int s : kZoomSteps)
            if (s > percent) return s;
        return std::max(percent, std::end(kZoomSteps)[-1]);
    case ZoomStep::Out:
        for (auto s = std::rbegin(kZoomSteps); s != std::rend(kZoomSteps); ++s)
            if (*s < percent) return *s;
        return std::min(percent, kZoomSteps[0]);
    case ZoomStep::ActualSize:
        break;
    }
    return kActualZoom;
}

bool IsZoomStep(int percent) {
    return std::find(std::begin(kZoomSteps), std::end(kZoomSteps), percent) != std::end(kZoomSteps);
}

int ZoomedPagePercent(int displayDpi, int percent) {
    const int held = std::clamp(percent, kZoomSteps[0], std::end(kZoomSteps)[-1]);
    // Rounded once: the display's share and the player's are one product.
    return (displayDpi * held + kBaseDpi / 2) / kBaseDpi;
}
