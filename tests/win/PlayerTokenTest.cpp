// The token of the processes that run with the player's rights (the web
// pages, the chores): Administrators for deny only, no privilege but
// bypass-traverse-checking, medium integrity, the player the default owner;
// and the web pages run with it.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/PlayerToken.h"
#include "LauncherDriver.h"
#include "PortalClient.h"

using namespace wintest;

namespace {
std::vector<BYTE> Information(HANDLE token, TOKEN_INFORMATION_CLASS kind) {
    DWORD size = 0;
    ::GetTokenInformation(token, kind, nullptr, 0, &size);
    std::vector<BYTE> block(size);
    if (size == 0 || !::GetTokenInformation(token, kind, block.data(), size, &size)) block.clear();
    return block;
}

std::wstring Text(PSID sid) {
    LPWSTR text = nullptr;
    if (!::ConvertSidToStringSidW(sid, &text)) return std::wstring();
    std::wstring out(text);
    ::LocalFree(text);
    return out;
}

// The attributes the token gives the Administrators group; 0 when absent.
DWORD AdministratorsAttributes(HANDLE token) {
    const std::vector<BYTE> block = Information(token, TokenGroups);
    if (block.empty()) return 0;
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(block.data());
    for (DWORD i = 0; i < groups->GroupCount; ++i)
        if (Text(groups->Groups[i].Sid) == L"S-1-5-32-544") return groups->Groups[i].Attributes;
    return 0;
}

std::vector<std::wstring> PrivilegeNames(HANDLE token) {
    std::vector<std::wstring> names;
    const std::vector<BYTE> block = Information(token, TokenPrivileges);
    if (block.empty()) return names;
    const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(block.data());
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
        LUID luid = privileges->Privileges[i].Luid;
        wchar_t name[64] = {};
        DWORD chars = 64;
        if (::LookupPrivilegeNameW(nullptr, &luid, name, &chars)) names.push_back(name);
    }
    return names;
}

std::wstring IntegrityLevel(HANDLE token) {
    const std::vector<BYTE> block = Information(token, TokenIntegrityLevel);
    return block.empty() ? std::wstring() : Text(reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(block.data())->Label.Sid);
}
}  // namespace

// Wine keeps no integrity levels and changes no token's owner: both are
// printed, not checked (the closing note of the change says what rests on
// the system's documentation).
TEST(PlayerToken, AdministratorsForDenyOnlyAndNoPrivilegeButTraversal) {
    const fw::KernelHandle token = MakePlayerToken();
    ASSERT_TRUE(token);
    EXPECT_NE(AdministratorsAttributes(token.get()) & SE_GROUP_USE_FOR_DENY_ONLY, 0u);
    EXPECT_EQ(PrivilegeNames(token.get()), std::vector<std::wstring>{L"SeChangeNotifyPrivilege"});
    const std::vector<BYTE> owner = Information(token.get(), TokenOwner);
    std::printf("integrity level read back: %ls; default owner: %ls\n", IntegrityLevel(token.get()).c_str(),
                owner.empty() ? L"?" : Text(reinterpret_cast<const TOKEN_OWNER*>(owner.data())->Owner).c_str());
}

TEST(PlayerToken, TheLoginPageRunsWithIt) {
    PortalSession portal;
    LauncherInstance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_NE(app.NextLogin(), nullptr) << "the web page works";
    fw::KernelHandle child(::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, app.children.back()));
    ASSERT_TRUE(child);
    HANDLE raw = nullptr;
    ASSERT_TRUE(::OpenProcessToken(child.get(), TOKEN_QUERY, &raw));
    const fw::KernelHandle token(raw);
    EXPECT_NE(AdministratorsAttributes(token.get()) & SE_GROUP_USE_FOR_DENY_ONLY, 0u);
    EXPECT_EQ(PrivilegeNames(token.get()), std::vector<std::wstring>{L"SeChangeNotifyPrivilege"});
    std::printf("the login's integrity level: %ls\n", IntegrityLevel(token.get()).c_str());
}
