#include "hotkey/HotkeyStore.h"

#include "base/SettingsStore.h"

HotkeyRecord LoadHotkey(HotkeyId id) {
    return ParseHotkeyText(ReadZuvaValue(IniLocation::ExeFolder, HotkeyIniKey(id), HotkeyDefaultText(id), 32));
}

bool SaveHotkeyText(HotkeyId id, const std::wstring& text) {
    return WriteZuvaValue(IniLocation::ExeFolder, HotkeyIniKey(id), text);
}
