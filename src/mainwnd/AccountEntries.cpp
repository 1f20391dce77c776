#include "mainwnd/AccountMuteRules.h"

#include <algorithm>

namespace {
const wchar_t kHex[] = L"0123456789ABCDEF";

bool KeptAsIs(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9'); }

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;  // lower-case hex is never written
}

// A serial the launcher wrote: digits only, not zero, within 64 bits.
uint64_t SerialOf(const std::wstring& value) {
    if (value.empty() || value.size() > 19) return 0;
    uint64_t n = 0;
    for (wchar_t c : value) {
        if (c < L'0' || c > L'9') return 0;
        n = n * 10 + static_cast<uint64_t>(c - L'0');
    }
    return n;
}
}  // namespace

int PageMuteValue(int windowMute, bool accountMuted) { return windowMute != 0 || accountMuted ? 1 : 0; }

std::wstring EncodeAccountKey(const std::wstring& caption) {
    if (caption.empty() || caption.size() > kMaxRememberedCaption) return std::wstring();
    std::wstring key;
    for (wchar_t c : caption) {
        const auto code = static_cast<uint32_t>(c);
        if (code > 0xFFFF) return std::wstring();
        if (KeptAsIs(c)) {
            key += c;
            continue;
        }
        key += L'%';
        for (int shift = 12; shift >= 0; shift -= 4) key += kHex[(code >> shift) & 0xF];
    }
    return key;
}

std::optional<std::wstring> DecodeAccountKey(const std::wstring& key) {
    std::wstring caption;
    for (size_t i = 0; i < key.size();) {
        if (KeptAsIs(key[i])) {
            caption += key[i++];
            continue;
        }
        if (key[i] != L'%' || key.size() - i < 5) return std::nullopt;
        uint32_t code = 0;
        for (size_t d = 1; d <= 4; ++d) {
            const int v = HexValue(key[i + d]);
            if (v < 0) return std::nullopt;
            code = code * 16 + static_cast<uint32_t>(v);
        }
        // Only what the encoder writes: kept characters are never encoded.
        if (KeptAsIs(static_cast<wchar_t>(code))) return std::nullopt;
        caption += static_cast<wchar_t>(code);
        i += 5;
    }
    if (caption.empty() || caption.size() > kMaxRememberedCaption) return std::nullopt;
    return caption;
}

std::vector<MutedAccountEntry> ParseMutedAccounts(const std::vector<std::wstring>& lines) {
    std::vector<MutedAccountEntry> entries;
    for (const std::wstring& line : lines) {
        const size_t eq = line.find(L'=');
        MutedAccountEntry entry;
        entry.key = line.substr(0, eq);
        if (entry.key.empty()) continue;  // nothing a key could delete
        if (eq != std::wstring::npos && DecodeAccountKey(entry.key)) entry.serial = SerialOf(line.substr(eq + 1));
        entries.push_back(std::move(entry));
    }
    return entries;
}

uint64_t NextMutedSerial(const std::vector<MutedAccountEntry>& entries) {
    uint64_t last = 0;
    for (const MutedAccountEntry& e : entries) last = std::max(last, e.serial);
    return last + 1;  // at most kMaxMutedSerial + 1: a serial read back never comes near 2^64
}

namespace {
void OldestFirst(std::vector<MutedAccountEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const MutedAccountEntry& a, const MutedAccountEntry& b) { return a.serial < b.serial; });
}
}  // namespace

std::vector<MutedAccountEntry> RenumberedMutedAccounts(std::vector<MutedAccountEntry> entries) {
    if (NextMutedSerial(entries) <= kMaxMutedSerial) return {};
    OldestFirst(entries);
    uint64_t serial = 0;
    for (MutedAccountEntry& entry : entries) entry.serial = ++serial;
    return entries;
}

std::vector<std::wstring> MutedAccountsOverBound(std::vector<MutedAccountEntry> entries, size_t bound) {
    std::vector<std::wstring> keys;
    if (entries.size() <= bound) return keys;
    OldestFirst(entries);
    for (size_t i = 0; i < entries.size() - bound; ++i) keys.push_back(entries[i].key);
    return keys;
}
