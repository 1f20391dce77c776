#include "accounts/MutedAccounts.h"

#include "accounts/RememberedAccounts.h"

namespace {
RememberedAccounts Muted() { return RememberedAccounts(L"ZuvaMuted", kMaxMutedAccounts); }
}  // namespace

bool IsAccountRememberedMuted(const std::wstring& caption) { return Muted().Find(caption).has_value(); }

void RememberMutedAccount(const std::wstring& caption) { Muted().Remember(caption, L""); }

void ForgetMutedAccount(const std::wstring& caption) { Muted().Forget(caption); }
