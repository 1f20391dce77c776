#include "mainwnd/ZoomedAccounts.h"

#include "engine/PageZoomSteps.h"
#include "mainwnd/AccountZoomRules.h"
#include "mainwnd/RememberedAccounts.h"

namespace {
RememberedAccounts Zoomed() { return RememberedAccounts(L"ZuvaZoom", kMaxZoomedAccounts); }
}  // namespace

int RememberedAccountZoom(const std::wstring& caption) {
    const auto value = Zoomed().Find(caption);
    return value ? ZoomOfEntryValue(*value) : kActualZoom;
}

void RememberAccountZoom(const std::wstring& caption, int percent) {
    if (percent == kActualZoom)
        Zoomed().Forget(caption);
    else
        Zoomed().Remember(caption, ZoomEntryValue(percent));
}
