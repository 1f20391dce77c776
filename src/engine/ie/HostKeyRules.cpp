#include "engine/ie/HostKeyRules.h"

#include "engine/PageRules.h"
#include "hotkey/KeyMessages.h"

namespace ie {

namespace {

using keymsg::kKeyDown;
using keymsg::kSysKeyDown;
constexpr uintptr_t kVkBack = 0x08;
constexpr uintptr_t kVkLeft = 0x25;
constexpr uintptr_t kVkRight = 0x27;
constexpr uintptr_t kVkBrowserBack = 0xA6;
constexpr uintptr_t kVkBrowserForward = 0xA7;

// Ctrl with one of the letters of the window-opening commands: new window,
// open, open location, print, find. With Alt it is AltGr on many layouts,
// which types characters, so it is left alone.
bool IsWindowCommand(const HostKey& key) {
    if (!key.ctrl || key.alt) return false;
    switch (key.vk) {
    case 'N':
    case 'O':
    case 'L':
    case 'P':
    case 'F':
        return true;
    default:
        return false;
    }
}

// Ctrl with plus, minus or 0, on the main keys or the number pad.
bool IsZoomCommand(const HostKey& key) {
    if (!key.ctrl || key.alt) return false;
    switch (key.vk) {
    case 0xBB:  // VK_OEM_PLUS
    case 0x6B:  // VK_ADD
    case 0xBD:  // VK_OEM_MINUS
    case 0x6D:  // VK_SUBTRACT
    case '0':
    case 0x60:  // VK_NUMPAD0
        return true;
    default:
        return false;
    }
}

// Back and forward through the page's history: Alt+Left, Alt+Right and the
// keyboard's own browser keys. The login page has no history worth going
// back to, and the game page's would leave the game: both are off always.
// Backspace goes back only outside a field; inside one it deletes.
bool IsHistoryCommand(const HostKey& key, bool inTextEntry) {
    if (key.vk == kVkBrowserBack || key.vk == kVkBrowserForward) return true;
    if (key.alt && !key.ctrl && (key.vk == kVkLeft || key.vk == kVkRight)) return true;
    return key.vk == kVkBack && !key.ctrl && !key.alt && !inTextEntry;
}

}  // namespace

bool IsWithheldBrowserKey(const HostKey& key, bool inTextEntry) {
    if (key.message != kKeyDown && key.message != kSysKeyDown) return false;
    return IsWindowCommand(key) || IsZoomCommand(key) || IsHistoryCommand(key, inTextEntry);
}

bool IsTextEntry(std::wstring_view tag, std::wstring_view type, bool contentEditable) {
    if (contentEditable || SameHtmlName(tag, L"textarea")) return true;
    if (!SameHtmlName(tag, L"input")) return false;
    // The input types that are not typed into; every other one (and an
    // unknown one, which a browser shows as text) is.
    for (std::wstring_view other : {L"button", L"checkbox", L"color", L"file", L"hidden", L"image", L"radio",
                                     L"range", L"reset", L"submit"}) {
        if (SameHtmlName(type, other)) return false;
    }
    return true;
}

}  // namespace ie
