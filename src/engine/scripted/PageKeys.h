#pragma once
// What a key does on a scripted page, as a browser's page does it: Tab and
// Shift+Tab move the focus through the page's focusable elements in script
// order, a focused field takes the keys a one-line field takes, and F5
// reloads the page wherever the focus is. Keys
// that mean nothing to the page are left to the host (false answers).
#include <cstddef>
#include <cstdint>

#include "engine/scripted/FieldText.h"
#include "engine/scripted/PageScript.h"

namespace scripted {

// A key message, with the modifiers held when it came.
struct PageKey {
    unsigned message = 0;  // WM_KEYDOWN, WM_CHAR, ...
    uintptr_t wParam = 0;  // the virtual key, or the character
    bool ctrl = false, alt = false, shift = false;
};

enum class PageKeyAction {
    None,  // not the page's: the host's dialog manager or frame may have it
    Refresh,
    FocusNext,
    FocusPrevious,
    Edit,  // a field's own key (typing, erasing, caret, select all): EditField
    Copy,
    Cut,
    Paste,
};

// `fieldFocused`: a field has the focus; `anyFocusable`: the page has an
// element Tab can reach (without one, Tab stays the host's).
PageKeyAction DecidePageKey(const PageKey& key, bool fieldFocused, bool anyFocusable);

// Carries out a key DecidePageKey called Edit on the field.
void EditField(FieldText& field, const PageKey& key);

// Whether Tab stops at the element: an enabled field, or an enabled element
// that leads somewhere (a link or a button). Never the body.
bool IsFocusable(const ElementDef& element);
// The element the focus moves to from `current` (PageScript::kNone: none
// has it yet), wrapping round; kNone when the page has nothing focusable.
size_t NextFocus(const PageScript& page, size_t current, bool backwards);

}  // namespace scripted
