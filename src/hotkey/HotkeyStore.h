#pragma once
// The hotkeys as kept in Statistic.ini beside the executable.
#include <string>

#include "hotkey/HotkeyModel.h"

// The hotkey's stored text (its default when missing), parsed.
HotkeyRecord LoadHotkey(HotkeyId id);
// Every hotkey, loaded.
HotkeySet LoadHotkeys();
// Writes a stored text; only the settings dialog writes.
bool SaveHotkeyText(HotkeyId id, const std::wstring& text);
