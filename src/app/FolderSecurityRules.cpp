#include "app/FolderSecurityRules.h"

#include <algorithm>
#include <tuple>

namespace {
struct Name {
    const wchar_t* alias;
    const wchar_t* sid;
};
// The well-known accounts a folder's descriptor may name by alias.
const Name kAccounts[] = {
    {L"SY", L"S-1-5-18"},     {L"BA", L"S-1-5-32-544"}, {L"BU", L"S-1-5-32-545"}, {L"BG", L"S-1-5-32-546"},
    {L"PU", L"S-1-5-32-547"}, {L"WD", L"S-1-1-0"},      {L"AU", L"S-1-5-11"},     {L"IU", L"S-1-5-4"},
    {L"CO", L"S-1-3-0"},      {L"CG", L"S-1-3-1"},      {L"OW", L"S-1-3-4"},      {L"LS", L"S-1-5-19"},
    {L"NS", L"S-1-5-20"},
};

struct Right {
    const wchar_t* name;
    uint32_t mask;
};
// File, generic and standard rights, and the directory-object names the
// system also writes masks with.
const Right kRights[] = {
    {L"FA", 0x1F01FF},    {L"FR", 0x120089},    {L"FW", 0x120116},    {L"FX", 0x1200A0},    {L"GA", 0x10000000},
    {L"GR", 0x80000000},  {L"GW", 0x40000000},  {L"GX", 0x20000000},  {L"RC", 0x20000},     {L"SD", 0x10000},
    {L"WD", 0x40000},     {L"WO", 0x80000},     {L"CC", 0x1},         {L"DC", 0x2},         {L"LC", 0x4},
    {L"SW", 0x8},         {L"RP", 0x10},        {L"WP", 0x20},        {L"DT", 0x40},        {L"LO", 0x80},
    {L"CR", 0x100},
};

// Inheritance flags in the order they are kept in.
const wchar_t* const kAceFlags[] = {L"OI", L"CI", L"NP", L"IO", L"ID"};

bool IsUpper(wchar_t c) { return c >= L'A' && c <= L'Z'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// A SID at `at`: an alias, or "S-" and digits and dashes. Advances `at`.
std::optional<std::wstring> ReadSid(const std::wstring& text, size_t& at) {
    if (text.compare(at, 2, L"S-") == 0) {
        size_t end = at + 2;
        while (end < text.size() && (IsDigit(text[end]) || text[end] == L'-')) ++end;
        const std::wstring sid = text.substr(at, end - at);
        if (sid.size() < 5 || sid.back() == L'-' || sid.find(L"--") != std::wstring::npos) return std::nullopt;
        at = end;
        return sid;
    }
    if (at + 2 > text.size()) return std::nullopt;
    const std::wstring alias = text.substr(at, 2);
    for (const Name& name : kAccounts)
        if (alias == name.alias) {
            at += 2;
            return std::wstring(name.sid);
        }
    return std::nullopt;
}

std::optional<uint32_t> ReadRights(const std::wstring& field) {
    if (field.compare(0, 2, L"0x") == 0 || field.compare(0, 2, L"0X") == 0) {
        if (field.size() < 3 || field.size() > 10) return std::nullopt;
        uint32_t mask = 0;
        for (size_t i = 2; i < field.size(); ++i) {
            const wchar_t c = field[i];
            const int digit = IsDigit(c) ? c - L'0' : (c >= L'a' && c <= L'f') ? c - L'a' + 10
                                                    : (c >= L'A' && c <= L'F') ? c - L'A' + 10 : -1;
            if (digit < 0) return std::nullopt;
            mask = mask << 4 | static_cast<uint32_t>(digit);
        }
        return mask;
    }
    if (field.empty() || field.size() % 2 != 0) return std::nullopt;
    uint32_t mask = 0;
    for (size_t i = 0; i < field.size(); i += 2) {
        const auto right = std::find_if(std::begin(kRights), std::end(kRights),
                                        [&](const Right& r) { return field.compare(i, 2, r.name) == 0; });
        if (right == std::end(kRights)) return std::nullopt;
        mask |= right->mask;
    }
    return mask;
}

std::optional<std::wstring> ReadAceFlags(const std::wstring& field) {
    if (field.size() % 2 != 0) return std::nullopt;
    bool seen[std::size(kAceFlags)] = {};
    for (size_t i = 0; i < field.size(); i += 2) {
        const auto flag = std::find_if(std::begin(kAceFlags), std::end(kAceFlags),
                                       [&](const wchar_t* f) { return field.compare(i, 2, f) == 0; });
        if (flag == std::end(kAceFlags)) return std::nullopt;
        seen[flag - std::begin(kAceFlags)] = true;
    }
    std::wstring flags;
    for (size_t i = 0; i < std::size(kAceFlags); ++i)
        if (seen[i]) flags += kAceFlags[i];
    return flags;
}

// "(type;flags;rights;;;sid)" at `at`, which is on the "(". Advances `at`.
std::optional<AccessEntry> ReadEntry(const std::wstring& text, size_t& at) {
    const size_t close = text.find(L')', at);
    if (close == std::wstring::npos) return std::nullopt;
    std::vector<std::wstring> fields;
    for (size_t from = at + 1;;) {
        const size_t semi = text.find(L';', from);
        if (semi == std::wstring::npos || semi > close) {
            fields.push_back(text.substr(from, close - from));
            break;
        }
        fields.push_back(text.substr(from, semi - from));
        from = semi + 1;
    }
    // Object entries and conditions are nothing a folder of ours carries.
    if (fields.size() != 6 || (fields[0] != L"A" && fields[0] != L"D") || !fields[3].empty() || !fields[4].empty())
        return std::nullopt;
    AccessEntry entry;
    entry.type = fields[0][0];
    const std::optional<std::wstring> flags = ReadAceFlags(fields[1]);
    const std::optional<uint32_t> rights = ReadRights(fields[2]);
    size_t sidAt = 0;
    const std::optional<std::wstring> sid = ReadSid(fields[5], sidAt);
    if (!flags || !rights || !sid || sidAt != fields[5].size()) return std::nullopt;
    entry.flags = *flags;
    entry.rights = *rights;
    entry.sid = *sid;
    at = close + 1;
    return entry;
}

auto Fields(const AccessEntry& e) { return std::tie(e.type, e.flags, e.rights, e.sid); }
bool Before(const AccessEntry& a, const AccessEntry& b) { return Fields(a) < Fields(b); }
}  // namespace

std::optional<SecurityDescription> ParseSddl(const std::wstring& text) {
    SecurityDescription description;
    for (size_t at = 0; at < text.size();) {
        if (text.size() - at < 2 || text[at + 1] != L':') return std::nullopt;
        const wchar_t part = text[at];
        at += 2;
        if (part == L'O' || part == L'G') {
            const std::optional<std::wstring> sid = ReadSid(text, at);
            if (!sid) return std::nullopt;
            if (part == L'O') description.owner = *sid;
        } else if (part == L'D' && !description.daclGiven) {
            description.daclGiven = true;
            // "P" protected; "AI" and "AR" say how it was inherited, not what it grants.
            while (at < text.size() && text[at] != L'(' && !(at + 1 < text.size() && text[at + 1] == L':')) {
                if (text[at] == L'P') {
                    description.daclProtected = true;
                    ++at;
                } else if (text.compare(at, 2, L"AI") == 0 || text.compare(at, 2, L"AR") == 0) {
                    at += 2;
                } else {
                    return std::nullopt;
                }
            }
            while (at < text.size() && text[at] == L'(') {
                const std::optional<AccessEntry> entry = ReadEntry(text, at);
                if (!entry) return std::nullopt;
                description.dacl.push_back(*entry);
            }
        } else {
            return std::nullopt;  // a SACL, or anything else
        }
        if (at < text.size() && !IsUpper(text[at])) return std::nullopt;
    }
    return description;
}

bool IsDataFolderSecurity(const SecurityDescription& actual) {
    const std::optional<SecurityDescription> wanted = ParseSddl(kDataFolderSddl);
    if (!wanted || actual.owner != wanted->owner || !actual.daclGiven || !actual.daclProtected) return false;
    std::vector<AccessEntry> have = actual.dacl, want = wanted->dacl;
    std::sort(have.begin(), have.end(), Before);
    std::sort(want.begin(), want.end(), Before);
    return have.size() == want.size() &&
           std::equal(have.begin(), have.end(), want.begin(), [](const AccessEntry& a, const AccessEntry& b) {
               return Fields(a) == Fields(b);
           });
}

bool IsSafeAboveDataFolder(const SecurityDescription& actual) {
    const std::wstring system = L"S-1-5-18", administrators = L"S-1-5-32-544";
    // TrustedInstaller owns some folders the system made.
    const std::wstring installer = L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
    const auto trusted = [&](const std::wstring& sid) {
        return sid == system || sid == administrators || sid == installer;
    };
    if (!trusted(actual.owner) || !actual.daclGiven) return false;
    // Delete child, delete, write DAC, write owner, and the generic rights that hold them.
    const uint32_t takeOver = 0x40 | 0x10000 | 0x40000 | 0x80000 | 0x10000000 | 0x40000000;
    for (const AccessEntry& entry : actual.dacl) {
        // An entry only for what is created inside grants nothing on the folder itself.
        const bool onItself = entry.flags.find(L"IO") == std::wstring::npos;
        if (entry.type == L'A' && onItself && (entry.rights & takeOver) && !trusted(entry.sid)) return false;
    }
    return true;
}
