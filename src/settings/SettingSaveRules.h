#pragma once
// What confirming the settings dialog does: refuse hotkeys that collide,
// write the fields that name a whole hotkey, and tell the running instances.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "hotkey/HotkeyModel.h"

// One hotkey field as the dialog holds it when confirmed.
struct HotkeyField {
    std::wstring text;         // what the field shows
    int32_t rememberedVk = 0;  // the last main key taken in it (or the loaded one)
    HotkeyRecord loaded;       // what the settings file held when the dialog opened
};

// Every hotkey's field.
using HotkeyFields = PerHotkey<HotkeyField>;

// A field that shows no key ("" or modifiers ending in a blank) is left out
// and its hotkey stays as stored.
bool IsCompleteHotkeyText(const std::wstring& text);

// The hotkey a field stands for once the dialog is confirmed: the one its
// text names, or the stored one when it is left out.
HotkeyRecord HotkeyAfterSaving(const HotkeyField& field);

// Two fields collide when they would leave the same hotkey in the file; two
// fields without a key ("无") collide as well.
bool HotkeysConflict(const HotkeyFields& fields);

struct HotkeyWrite {
    HotkeyId id;
    std::wstring storedText;  // "<modifiers>,<vk>"
};
// What to write, in the order of kHotkeyIds; fields that are left out write
// nothing.
std::vector<HotkeyWrite> HotkeyWrites(const HotkeyFields& fields);

// The main window of every launcher instance is a dialog with this exact
// title; those are told to reload their hotkeys, the first ones found in
// z-order, up to kMaxInstancesTold.
bool IsLauncherInstanceWindow(const std::wstring& className, const std::wstring& title);
constexpr size_t kMaxInstancesTold = 10;
