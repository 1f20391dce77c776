#include "net/UpdateRules.h"

#include <vector>

#include "base/StoreRules.h"

namespace {
wchar_t Lower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }

bool SameAnyCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}
}  // namespace

std::wstring VersionDigits(const std::wstring& version) {
    std::wstring digits;
    for (wchar_t c : version)
        if (c != L'.') digits.push_back(c);
    return digits;
}

std::wstring LocalVersionKey(const std::wstring& md5Hex, const std::wstring& digits) {
    if (md5Hex.size() != 32 || digits.size() > 32) return std::wstring();
    return md5Hex.substr(0, 32 - digits.size()) + digits;
}

bool IsDifferentBuild(const std::wstring& remoteKey, const std::wstring& localKey) {
    return !SameAnyCase(remoteKey, localKey);
}

std::wstring KeyDigestPrefix(const std::wstring& key) {
    if (key.size() != 32) return std::wstring();
    std::wstring prefix;
    for (size_t i = 0; i < kKeyDigestChars; ++i) {
        const wchar_t c = Lower(key[i]);
        if (!((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f'))) return std::wstring();
        prefix.push_back(c);
    }
    return prefix;
}

bool IsBuildOfKey(const std::wstring& md5Hex, const std::wstring& key) {
    const std::wstring named = KeyDigestPrefix(key);
    const std::wstring actual = KeyDigestPrefix(md5Hex);
    return !named.empty() && named == actual;
}

int CrtRandom::Next() {
    m_seed = m_seed * 214013u + 2531011u;
    return static_cast<int>((m_seed >> 16) & 0x7FFF);
}

uint32_t ComputeRestDays(int r1, int r2, unsigned millisecond) {
    // Unsigned 32-bit throughout: r + 7 - m wraps around when m is larger.
    const uint32_t m = millisecond;
    uint32_t d1 = (static_cast<uint32_t>(r1) + 7u - m) % 7u;
    uint32_t d2 = (static_cast<uint32_t>(r2) + 7u - m) % 7u;
    uint32_t d3 = m % 7u;
    if (d3 == d1) d3 = (d3 + 6u) % 7u;
    if (d2 == d1) d2 = (d2 + 1u) % 7u;
    return d2 | (d1 << 8) | (d3 << 16);
}

bool IsUpdateCheckDueOn(const Date& lastUpdate, uint32_t disableDays, const Date& today, int dayOfWeek) {
    if (lastUpdate.year == today.year && lastUpdate.month == today.month && lastUpdate.day == today.day)
        return false;
    return !IsRestDay(disableDays, dayOfWeek);
}

std::wstring WithoutPendingDeletionOf(const std::wstring& list, const std::wstring& path) {
    std::vector<std::wstring> strings;
    for (size_t at = 0; at < list.size();) {
        const size_t end = list.find(L'\0', at);
        strings.push_back(list.substr(at, end == std::wstring::npos ? std::wstring::npos : end - at));
        if (end == std::wstring::npos) break;
        at = end + 1;
    }
    const std::wstring prefix = L"\\??\\";
    std::wstring kept;
    for (size_t i = 0; i + 1 < strings.size(); i += 2) {
        std::wstring source = strings[i];
        if (source.compare(0, prefix.size(), prefix) == 0) source.erase(0, prefix.size());
        if (strings[i + 1].empty() && SameAnyCase(source, path)) continue;
        kept += strings[i] + L'\0' + strings[i + 1] + L'\0';
    }
    return kept.empty() ? kept : kept + L'\0';
}
