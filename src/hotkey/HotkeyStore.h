#pragma once
// The three hotkeys as kept in Statistic.ini beside the executable.
#include <string>

#include "hotkey/HotkeyModel.h"

// The hotkey's stored text (its default when missing), parsed.
HotkeyRecord LoadHotkey(HotkeyId id);
// Writes a stored text; only the settings dialog writes.
bool SaveHotkeyText(HotkeyId id, const std::wstring& text);
