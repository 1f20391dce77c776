#include "mainwnd/AccountZoomRules.h"

#include "engine/PageZoomSteps.h"

std::wstring ZoomEntryValue(int percent) { return std::to_wstring(percent); }

int ZoomOfEntryValue(const std::wstring& value) {
    // Two or three digits only: nothing else is a step, and nothing longer
    // can overflow on its way.
    if (value.size() < 2 || value.size() > 3) return kActualZoom;
    int percent = 0;
    for (wchar_t c : value) {
        if (c < L'0' || c > L'9') return kActualZoom;
        percent = percent * 10 + (c - L'0');
    }
    return IsZoomStep(percent) ? percent : kActualZoom;
}

std::wstring TabTipText(const std::wstring& caption, int percent) {
    if (percent == kActualZoom) return caption;
    return caption + L" (" + std::to_wstring(percent) + L"%)";
}
