#pragma once
// The launcher's hotkeys as the settings file stores them and the settings
// dialog shows them.
//
// A further hotkey takes: its id below (kHotkeyIds lists them in the order
// the dialog shows them and the hook tries them); its settings key and default
// (HotkeyIniKey, HotkeyDefaultText); whether it acts wherever the focus is
// (ActsWhereverTheFocusIs); its field in the settings dialog (the control
// table in settings/HotkeyFieldControls.h and the dialog template); and its
// action in the main window (CPlexor3Dlg::OnHotkey).
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "hotkey/HotkeyRecord.h"

enum class HotkeyId { Boss, Switch, Sound, Shot };
constexpr size_t kHotkeyCount = 4;
constexpr std::array<HotkeyId, kHotkeyCount> kHotkeyIds = {HotkeyId::Boss, HotkeyId::Switch, HotkeyId::Sound,
                                                           HotkeyId::Shot};

// One value for each hotkey, indexed by its id (or by its place in kHotkeyIds).
template <class T>
struct PerHotkey : std::array<T, kHotkeyCount> {
    using std::array<T, kHotkeyCount>::operator[];
    T& operator[](HotkeyId id) { return (*this)[static_cast<size_t>(id)]; }
    const T& operator[](HotkeyId id) const { return (*this)[static_cast<size_t>(id)]; }
};

// The hotkeys of a window, as loaded from the settings file.
using HotkeySet = PerHotkey<HotkeyRecord>;

// The settings-file key holding the hotkey, and the text used when it is absent.
const wchar_t* HotkeyIniKey(HotkeyId id);
const wchar_t* HotkeyDefaultText(HotkeyId id);

// Whether the keyboard hook acts on the hotkey whichever program has the focus
// (the boss, sound and screenshot keys); the switch key acts only in the
// launcher's windows.
bool ActsWhereverTheFocusIs(HotkeyId id);
// Whether key `vk`, pressed without modifiers, is one of those hotkeys: the
// hook acts on it, so a window's own meaning of the key (F5 refreshes, F11
// fills the screen) stands back.
bool PlainKeyBelongsToHook(const HotkeySet& keys, int32_t vk);

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

// Whether a key pressed in hotkey `field` becomes its main key. Only the
// window-switch field takes Tab, the key of its default Ctrl+Tab, and only
// the screenshot field F12, its default.
bool IsAssignableKey(int32_t vk, HotkeyId field);

// The record a hotkey field stands for when the dialog is confirmed: the
// modifiers are read back from the words in its text, the key is the last
// one pressed there unless the field says there is none.
HotkeyRecord HotkeyFromDisplayText(const std::wstring& display, int32_t rememberedVk);
