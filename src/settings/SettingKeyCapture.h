#pragma once
// What a key pressed in the settings dialog does: the hotkey fields
// show the key the player presses instead of typing it.
#include <cstdint>
#include <optional>
#include <string>

#include "hotkey/HotkeyModel.h"

enum class KeyMessage { KeyDown, SysKeyDown, Other };

struct KeyCapture {
    // The message goes no further: neither the field nor the dialog manager
    // sees it. False leaves it to the dialog's default handling.
    bool swallowed = false;
    std::optional<std::wstring> text;           // the focused field's new text
    std::optional<int32_t> rememberedVk;        // the focused field's new main key
};

// `modifiers` is the kMod* set held when the key went down; `focused` is the
// hotkey field with the keyboard focus, if any.
KeyCapture CaptureKey(KeyMessage message, int32_t vk, int32_t modifiers, std::optional<HotkeyId> focused);
