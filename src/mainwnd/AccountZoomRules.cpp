#include "mainwnd/AccountZoomRules.h"

#include "engine/PageZoomSteps.h"

int AccountOpeningZoom(std::optional<int> remembered) {
    return remembered && IsZoomStep(*remembered) ? *remembered : kActualZoom;
}

std::wstring TabTipText(const std::wstring& caption, int percent) {
    if (percent == kActualZoom) return caption;
    return caption + L" (" + std::to_wstring(percent) + L"%)";
}
