// The web pages run with the player's token: Administrators for deny only,
// no privilege but bypass-traverse-checking. (Wine keeps no integrity
// levels and changes no token's owner: those rest on the documentation.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace

TEST(PlayerToken, TheLoginPageRunsWithIt) {
    PortalSession portal;
    LauncherInstance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_NE(app.NextLogin(), nullptr) << "the web page works";
    fw::KernelHandle child(::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, app.children.back()));
    HANDLE raw = nullptr;
    ASSERT_TRUE(child && ::OpenProcessToken(child.get(), TOKEN_QUERY, &raw));
    const fw::KernelHandle token(raw);

    const std::vector<BYTE> groups = Information(token.get(), TokenGroups);
    ASSERT_FALSE(groups.empty());
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(administrators);
    ASSERT_TRUE(::CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size));
    DWORD attributes = 0;
    const auto* g = reinterpret_cast<const TOKEN_GROUPS*>(groups.data());
    for (DWORD i = 0; i < g->GroupCount; ++i)
        if (::EqualSid(g->Groups[i].Sid, administrators)) attributes = g->Groups[i].Attributes;
    EXPECT_NE(attributes & SE_GROUP_USE_FOR_DENY_ONLY, 0u) << "Administrators for deny only";

    const std::vector<BYTE> privileges = Information(token.get(), TokenPrivileges);
    ASSERT_FALSE(privileges.empty());
    const auto* p = reinterpret_cast<const TOKEN_PRIVILEGES*>(privileges.data());
    ASSERT_EQ(p->PrivilegeCount, 1u);
    LUID changeNotify{};
    ASSERT_TRUE(::LookupPrivilegeValueW(nullptr, SE_CHANGE_NOTIFY_NAME, &changeNotify));
    EXPECT_EQ(p->Privileges[0].Luid.LowPart, changeNotify.LowPart);
}
