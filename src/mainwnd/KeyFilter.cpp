#include "mainwnd/KeyFilter.h"

#include "base/WindowMessages.h"

using namespace keyfilter;

namespace {

KeyFilterAction CloseRequest(const KeyFilterInput& in) {
    if (in.lParam == kSystemMarker) {
        // A child's login was abandoned. Only the first login of an
        // instance takes the instance with it.
        if (in.pageCount == 0 && !in.hadPage) return KeyFilterAction::Exit;
        if (in.hasPendingChild) return KeyFilterAction::ReleasePendingChild;
        return KeyFilterAction::PassOn;  // reaches the window as an ordinary close
    }
    if (in.lParam == 0 && in.pageCount == 0) return KeyFilterAction::TerminatePendingAndExit;
    return KeyFilterAction::PassOn;  // with pages it ends in the exit question
}

}  // namespace

KeyFilterAction FilterMainWindowMessage(const KeyFilterInput& in) {
    // Held down, the key turns the pages once, not on each of its repeats.
    if (IsHotkeyPress(in.message, in.wParam, in.lParam, in.modifierState, in.switchKey))
        return IsKeyRepeat(in.lParam) ? KeyFilterAction::Swallow : KeyFilterAction::SwitchPage;

    if (in.message == kKeyDown && in.wParam == kVkF11) {
        // Not while the player may be choosing F11 as a hotkey, and not when
        // the hook has it; a page's F11 comes here unmarked, as typed.
        const bool hooks = in.f11BelongsToHook && in.lParam != kSystemMarker;
        if (hooks || in.settingsOpen || in.pageCount == 0) return KeyFilterAction::Swallow;
        return KeyFilterAction::ToggleFullScreen;
    }

    if (in.message == kKeyDown && (in.wParam == kVkEscape || in.wParam == kVkSpace))
        return KeyFilterAction::Swallow;

    if (IsSysCommand(in.message, in.wParam, kScClose)) return CloseRequest(in);

    // Ctrl+D, or F5 while a page exists: the page process owns favourites
    // and refreshing.
    const bool ctrlD = IsCtrlDOnTheDKey(in.message, in.wParam, in.lParam);
    const bool f5 = in.message == kKeyDown && in.wParam == kVkF5 && in.pageCount > 0;
    if (ctrlD || f5) {
        if (in.pageCount > 0 && in.currentPageVisible) return KeyFilterAction::ForwardToCurrentPage;
        if (in.hallVisible) return KeyFilterAction::ForwardToHall;
        return KeyFilterAction::Swallow;
    }

    if (IsSysCommand(in.message, in.wParam, kScRestore) && in.pageCount == 0) return KeyFilterAction::RestoreThenPassOn;
    return KeyFilterAction::PassOn;
}
