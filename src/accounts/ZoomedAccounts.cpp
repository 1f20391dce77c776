#include "accounts/ZoomedAccounts.h"

#include "accounts/AccountEntries.h"
#include "accounts/RememberedAccounts.h"

namespace {
RememberedAccounts Zoomed() { return RememberedAccounts(L"ZuvaZoom", kMaxZoomedAccounts); }
}  // namespace

std::optional<int> RememberedAccountZoom(const std::wstring& caption) {
    const auto value = Zoomed().Find(caption);
    return value ? ZoomOfEntryValue(*value) : std::nullopt;
}

void RememberAccountZoom(const std::wstring& caption, int percent) {
    Zoomed().Remember(caption, ZoomEntryValue(percent));
}

void ForgetAccountZoom(const std::wstring& caption) { Zoomed().Forget(caption); }
