#include "base/PlayerToken.h"

#include <windows.h>
#include <sddl.h>

#include <vector>

namespace {
// A SID from its text, freed with LocalFree.
fw::LocalMemory SidOf(const wchar_t* text) {
    PSID sid = nullptr;
    return fw::LocalMemory(::ConvertStringSidToSidW(text, &sid) ? sid : nullptr);
}

// A token information block of this kind, as the system fills it.
std::vector<BYTE> TokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS kind) {
    DWORD size = 0;
    ::GetTokenInformation(token, kind, nullptr, 0, &size);
    std::vector<BYTE> block(size);
    if (size == 0 || !::GetTokenInformation(token, kind, block.data(), size, &size)) block.clear();
    return block;
}

// Objects the page makes get the player as their owner (Administrators,
// the elevated token's default, is deny-only now), and a default DACL that
// lets the player, the system and the main window's administrators in.
// Where the system will not change a token's owner (Wine), it stays as the
// restricted copy has it; the DACL must take.
bool MakeThePlayerTheDefaultOwner(HANDLE token) {
    const std::vector<BYTE> user = TokenInformation(token, TokenUser);
    if (user.empty()) return false;
    const PSID userSid = reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid;
    TOKEN_OWNER owner{userSid};
    ::SetTokenInformation(token, TokenOwner, &owner, sizeof(owner));
    LPWSTR userText = nullptr;
    if (!::ConvertSidToStringSidW(userSid, &userText)) return false;
    const fw::LocalMemory ownedText(userText);
    const std::wstring sddl = std::wstring(L"D:(A;;GA;;;") + userText + L")(A;;GA;;;SY)(A;;GA;;;BA)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return false;
    const fw::LocalMemory ownedDescriptor(descriptor);
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    if (!::GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) || !present) return false;
    TOKEN_DEFAULT_DACL defaultDacl{dacl};
    return ::SetTokenInformation(token, TokenDefaultDacl, &defaultDacl, sizeof(defaultDacl)) != FALSE;
}

bool LowerToMediumIntegrity(HANDLE token) {
    const fw::LocalMemory medium = SidOf(L"S-1-16-8192");
    if (!medium) return false;
    TOKEN_MANDATORY_LABEL label{};
    label.Label.Sid = medium.get();
    label.Label.Attributes = SE_GROUP_INTEGRITY;
    return ::SetTokenInformation(token, TokenIntegrityLevel, &label,
                                 sizeof(label) + ::GetLengthSid(medium.get())) != FALSE;
}
}  // namespace

fw::KernelHandle MakePlayerToken() {
    HANDLE own = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(),
                            TOKEN_DUPLICATE | TOKEN_QUERY | TOKEN_ASSIGN_PRIMARY | TOKEN_ADJUST_DEFAULT, &own))
        return fw::KernelHandle();
    const fw::KernelHandle ownToken(own);
    const fw::LocalMemory administrators = SidOf(L"S-1-5-32-544");
    if (!administrators) return fw::KernelHandle();
    SID_AND_ATTRIBUTES denyOnly{administrators.get(), 0};
    // Every privilege goes but bypass-traverse-checking, named one by one:
    // DISABLE_MAX_PRIVILEGE says the same, but not every system honours it.
    const std::vector<BYTE> held = TokenInformation(ownToken.get(), TokenPrivileges);
    if (held.empty()) return fw::KernelHandle();
    const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(held.data());
    LUID changeNotify{};
    if (!::LookupPrivilegeValueW(nullptr, SE_CHANGE_NOTIFY_NAME, &changeNotify)) return fw::KernelHandle();
    std::vector<LUID_AND_ATTRIBUTES> dropped;
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
        const LUID luid = privileges->Privileges[i].Luid;
        if (luid.LowPart != changeNotify.LowPart || luid.HighPart != changeNotify.HighPart)
            dropped.push_back(LUID_AND_ATTRIBUTES{luid, 0});
    }
    HANDLE restricted = nullptr;
    if (!::CreateRestrictedToken(ownToken.get(), 0, 1, &denyOnly, static_cast<DWORD>(dropped.size()),
                                 dropped.empty() ? nullptr : dropped.data(), 0, nullptr, &restricted))
        return fw::KernelHandle();
    fw::KernelHandle token(restricted);
    if (!MakeThePlayerTheDefaultOwner(token.get()) || !LowerToMediumIntegrity(token.get())) return fw::KernelHandle();
    return token;
}

StartedProcess StartAsPlayer(const std::wstring& commandLine, unsigned long creationFlags, int showCommand) {
    const fw::KernelHandle token = MakePlayerToken();
    return StartProcessAs(token.get(), commandLine, creationFlags, showCommand);
}
