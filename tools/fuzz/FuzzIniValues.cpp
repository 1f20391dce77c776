// Fuzz target: values read back from Statistic.ini, which anybody can edit:
// hotkeys, counters and the lines of muted and zoomed accounts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "accounts/AccountEntries.h"
#include "base/LenientNumber.h"
#include "base/StoreRules.h"
#include "base/Utf8Text.h"
#include "hotkey/HotkeyModel.h"
#include "mainwnd/AccountZoomRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Values hold at most 31 characters, as the launcher's buffers read them.
    const std::wstring value = text::DecodeUtf8(std::string(reinterpret_cast<const char*>(data), size)).substr(0, 31);

    const HotkeyRecord record = ParseHotkeyText(value);
    // A record survives being written and read again.
    const HotkeyRecord again = ParseHotkeyText(HotkeyToText(record));
    if (again.vk != record.vk || again.modifiers != record.modifiers) std::abort();
    const std::wstring shown = FormatHotkey(record);
    (void)HotkeyFromDisplayText(shown, record.vk);
    (void)HotkeyFromDisplayText(value, record.vk);
    (void)GetKeyName(record.vk);

    (void)ParseLenientInt(value);
    (void)NextCounterValue(value);

    // A key that decodes is exactly the key its caption is stored under.
    const std::wstring line = text::DecodeUtf8(std::string(reinterpret_cast<const char*>(data), size));
    const std::wstring key = line.substr(0, line.find(L'='));
    if (const auto caption = DecodeAccountKey(key))
        if (EncodeAccountKey(*caption) != key) std::abort();
    const auto entries = ParseAccountEntries({line, line});
    if (AccountEntriesOverBound(entries, 1).size() != entries.size() - (entries.empty() ? 0 : 1)) std::abort();
    // A zoom read back is one the launcher offers, and is written as it reads.
    const int zoom = AccountOpeningZoom(ZoomOfEntryValue(ParseAccountEntryText(value).value));
    if (AccountOpeningZoom(ZoomOfEntryValue(ZoomEntryValue(zoom))) != zoom) std::abort();
    return 0;
}
