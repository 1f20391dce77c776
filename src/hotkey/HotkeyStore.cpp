#include "hotkey/HotkeyStore.h"

#include "base/SettingsStore.h"

HotkeyRecord LoadHotkey(HotkeyId id) {
    return ParseHotkeyText(ReadZuvaValue(IniLocation::ExeFolder, HotkeyIniKey(id), HotkeyDefaultText(id), 32));
}

HotkeySet LoadHotkeys() {
    HotkeySet keys;
    for (HotkeyId id : kHotkeyIds) keys[id] = LoadHotkey(id);
    return keys;
}

bool SaveHotkeyText(HotkeyId id, const std::wstring& text) {
    return WriteZuvaValue(IniLocation::ExeFolder, HotkeyIniKey(id), text);
}
