#pragma once
// The launcher's three hotkeys as the settings file stores them and the
// settings dialog shows them.
#include <cstdint>
#include <string>

#include "hotkey/HotkeyRecord.h"

enum class HotkeyId { Boss, Switch, Sound };

// The settings-file key holding the hotkey, and the text used when it is absent.
const wchar_t* HotkeyIniKey(HotkeyId id);
const wchar_t* HotkeyDefaultText(HotkeyId id);

// Stored form "<modifiers>,<vk>". Each side is read leniently (no digits: 0),
// only the first 31 characters after the first comma count as the key part,
// and without a comma the key is 0. Values are not range-checked.
HotkeyRecord ParseHotkeyText(const std::wstring& text);
std::wstring HotkeyToText(const HotkeyRecord& record);

// Short display name of a virtual-key code; empty for codes the dialog never
// names (including negative ones).
std::wstring GetKeyName(int32_t vk);

// Dialog text: "无" when vk is 0, else "Ctrl  +  ", "Shift  +  ", "Alt  +  "
// for the modifiers held, in that order, then the key name. A negative vk is
// just a key without a name, so the not-yet-loaded record (-1,-1), whose
// modifier bits are all set, shows "Ctrl  +  Shift  +  Alt  +  "; it is
// never meant to reach the screen.
std::wstring FormatHotkey(const HotkeyRecord& record);

// Whether a key pressed in a hotkey field becomes its main key. Only the
// window-switch field takes Tab, the key of its default Ctrl+Tab.
bool IsAssignableKey(int32_t vk, bool switchField);

// The record a hotkey field stands for when the dialog is confirmed: the
// modifiers are read back from the words in its text, the key is the last
// one pressed there unless the field says there is none.
HotkeyRecord HotkeyFromDisplayText(const std::wstring& display, int32_t rememberedVk);
