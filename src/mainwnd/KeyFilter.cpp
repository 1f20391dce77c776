#include "mainwnd/KeyFilter.h"

#include "mainwnd/WindowMessages.h"

using namespace keyfilter;

namespace {

bool IsSysCommand(const KeyFilterInput& in, unsigned command) {
    // The low four bits of a system command are the system's own.
    return in.message == kSysCommand && (in.wParam & 0xFFF0) == command;
}

KeyFilterAction CloseRequest(const KeyFilterInput& in) {
    if (in.lParam == kSystemMarker) {
        // A child's login was abandoned.
        if (in.pageCount == 0) return KeyFilterAction::Exit;
        if (in.hasPendingChild) return KeyFilterAction::ReleasePendingChild;
        return KeyFilterAction::PassOn;  // reaches the window as an ordinary close
    }
    if (in.lParam == 0 && in.pageCount == 0) return KeyFilterAction::TerminatePendingAndExit;
    return KeyFilterAction::PassOn;  // with pages it ends in the exit question
}

}  // namespace

KeyFilterAction FilterMainWindowMessage(const KeyFilterInput& in) {
    const bool keyDown = in.message == kKeyDown || in.message == kSysKeyDown;
    if (keyDown && in.lParam != kSystemMarker &&
        MatchesHotkey(in.switchKey, static_cast<int32_t>(in.wParam), in.modifierState))
        return KeyFilterAction::SwitchPage;

    if (in.message == kKeyDown && (in.wParam == kVkEscape || in.wParam == kVkSpace))
        return KeyFilterAction::Swallow;

    if (IsSysCommand(in, kScClose)) return CloseRequest(in);

    // Ctrl+D typed on the D key itself (scan code 0x20, no flag bits), or F5
    // while a page exists: the page process owns favourites and refreshing.
    const bool ctrlD = in.message == kChar && in.wParam == kCtrlD &&
                       ((static_cast<uintptr_t>(in.lParam) >> 16) & 0xFFFF) == 0x0020;
    const bool f5 = in.message == kKeyDown && in.wParam == kVkF5 && in.pageCount > 0;
    if (ctrlD || f5) {
        if (in.pageCount > 0 && in.currentPageVisible) return KeyFilterAction::ForwardToCurrentPage;
        if (in.hallVisible) return KeyFilterAction::ForwardToHall;
        return KeyFilterAction::Swallow;
    }

    if (IsSysCommand(in, kScRestore) && in.pageCount == 0) return KeyFilterAction::RestoreThenPassOn;
    return KeyFilterAction::PassOn;
}
