#include "accounts/AccountEntries.h"

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

std::wstring AccountEntryText(uint64_t serial, const std::wstring& value) {
    std::wstring text = std::to_wstring(serial);
    if (!value.empty()) text += L',' + value;
    return text;
}

AccountEntry ParseAccountEntryText(const std::wstring& text) {
    const size_t comma = text.find(L',');
    AccountEntry entry;
    entry.serial = SerialOf(text.substr(0, comma));
    if (comma != std::wstring::npos) entry.value = text.substr(comma + 1);
    return entry;
}

std::vector<AccountEntry> ParseAccountEntries(const std::vector<std::wstring>& lines) {
    std::vector<AccountEntry> entries;
    for (const std::wstring& line : lines) {
        const size_t eq = line.find(L'=');
        const std::wstring key = line.substr(0, eq);
        if (key.empty()) continue;  // nothing a key could delete
        AccountEntry entry;
        if (eq != std::wstring::npos && DecodeAccountKey(key)) entry = ParseAccountEntryText(line.substr(eq + 1));
        entry.key = key;
        entries.push_back(std::move(entry));
    }
    return entries;
}

uint64_t NextAccountSerial(const std::vector<AccountEntry>& entries) {
    uint64_t last = 0;
    for (const AccountEntry& e : entries) last = std::max(last, e.serial);
    return last + 1;  // at most kMaxAccountSerial + 1: a serial read back never comes near 2^64
}

namespace {
void OldestFirst(std::vector<AccountEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const AccountEntry& a, const AccountEntry& b) { return a.serial < b.serial; });
}
}  // namespace

std::vector<AccountEntry> RenumberedAccountEntries(std::vector<AccountEntry> entries) {
    if (NextAccountSerial(entries) <= kMaxAccountSerial) return {};
    OldestFirst(entries);
    uint64_t serial = 0;
    for (AccountEntry& entry : entries) entry.serial = ++serial;
    return entries;
}

std::vector<std::wstring> AccountEntriesOverBound(std::vector<AccountEntry> entries, size_t bound) {
    std::vector<std::wstring> keys;
    if (entries.size() <= bound) return keys;
    OldestFirst(entries);
    for (size_t i = 0; i < entries.size() - bound; ++i) keys.push_back(entries[i].key);
    return keys;
}

std::wstring ZoomEntryValue(int percent) { return std::to_wstring(percent); }

std::optional<int> ZoomOfEntryValue(const std::wstring& value) {
    // Two or three digits only: every zoom the launcher offers is written so,
    // and nothing longer can overflow on its way.
    if (value.size() < 2 || value.size() > 3) return std::nullopt;
    int percent = 0;
    for (wchar_t c : value) {
        if (c < L'0' || c > L'9') return std::nullopt;
        percent = percent * 10 + (c - L'0');
    }
    return percent;
}
