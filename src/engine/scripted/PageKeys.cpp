#include "engine/scripted/PageKeys.h"

#include "hotkey/KeyMessages.h"

namespace scripted {

namespace {

using keymsg::kChar;
using keymsg::kKeyDown;
constexpr uintptr_t kVkBack = 0x08, kVkTab = 0x09, kVkEnd = 0x23, kVkHome = 0x24, kVkLeft = 0x25,
                    kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28, kVkDelete = 0x2E, kVkF5 = 0x74;

// Ctrl without Alt: Ctrl+Alt is AltGr on many layouts, which types.
bool CtrlOnly(const PageKey& key) { return key.ctrl && !key.alt; }

bool IsTypedCharacter(const PageKey& key) {
    return key.message == kChar && key.wParam >= 0x20 && key.wParam != 0x7F && !CtrlOnly(key);
}

bool IsFieldKeyDown(const PageKey& key) {
    if (key.message != kKeyDown || key.alt) return false;
    switch (key.wParam) {
    case kVkBack:
    case kVkDelete:
    case kVkLeft:
    case kVkRight:
    case kVkUp:
    case kVkDown:
    case kVkHome:
    case kVkEnd:
        return true;
    default:
        return key.ctrl && key.wParam == 'A';
    }
}

}  // namespace

PageKeyAction DecidePageKey(const PageKey& key, bool fieldFocused, bool anyFocusable) {
    if (key.message == kKeyDown && key.wParam == kVkF5 && !key.alt) return PageKeyAction::Refresh;
    if (key.message == kKeyDown && key.wParam == kVkTab && !key.ctrl && !key.alt && anyFocusable)
        return key.shift ? PageKeyAction::FocusPrevious : PageKeyAction::FocusNext;
    if (!fieldFocused) return PageKeyAction::None;
    if (key.message == kKeyDown && CtrlOnly(key)) {
        if (key.wParam == 'C') return PageKeyAction::Copy;
        if (key.wParam == 'X') return PageKeyAction::Cut;
        if (key.wParam == 'V') return PageKeyAction::Paste;
    }
    if (IsTypedCharacter(key) || IsFieldKeyDown(key)) return PageKeyAction::Edit;
    return PageKeyAction::None;
}

void EditField(FieldText& field, const PageKey& key) {
    if (key.message == kChar) {
        const wchar_t typed = static_cast<wchar_t>(key.wParam);
        TypeIntoField(field, std::wstring_view(&typed, 1));
        return;
    }
    switch (key.wParam) {
    case kVkBack:
        EraseBackward(field);
        break;
    case kVkDelete:
        EraseForward(field);
        break;
    case kVkLeft:
        MoveCaret(field, CaretMove::Left, key.shift);
        break;
    case kVkRight:
        MoveCaret(field, CaretMove::Right, key.shift);
        break;
    // A one-line field has no line above or below: Up and Down go to its ends.
    case kVkUp:
    case kVkHome:
        MoveCaret(field, CaretMove::Home, key.shift);
        break;
    case kVkDown:
    case kVkEnd:
        MoveCaret(field, CaretMove::End, key.shift);
        break;
    case 'A':
        SelectAll(field);
        break;
    default:
        break;
    }
}

bool IsFocusable(const ElementDef& element) {
    return !element.disabled && (element.IsField() || !element.href.empty());
}

size_t NextFocus(const PageScript& page, size_t current, bool backwards) {
    const size_t count = page.elements.size();
    if (count < 2) return PageScript::kNone;
    // The body (0) is no stop; "none" starts before the first or after the last.
    size_t at = current < count && current > 0 ? current : (backwards ? count : 0);
    for (size_t step = 1; step < count; ++step) {
        at = backwards ? (at <= 1 ? count - 1 : at - 1) : (at + 1 >= count ? 1 : at + 1);
        if (IsFocusable(page.elements[at])) return at;
    }
    return PageScript::kNone;
}

}  // namespace scripted
