#include "engine/scripted/WebMessage.h"

#include "engine/ScriptedCommands.h"

namespace scripted {

void ShowWebMessage(PageHost& host, HWND engineWindow, const std::wstring& text) {
    constexpr UINT kType = MB_OK | MB_ICONWARNING;
    LRESULT result = 0;
    if (host.ShowMessage(engineWindow, text, kWebMessageCaption, kType, &result) == S_OK) return;

    HWND owner = engineWindow && ::IsWindow(engineWindow) ? ::GetAncestor(engineWindow, GA_ROOT) : nullptr;
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    const int answer = ::MessageBoxW(owner, text.c_str(), kWebMessageCaption, kType);
    // The launcher destroys web message boxes of pages that are closing so
    // that nothing hangs on them. A box destroyed that way answers 0 and
    // never gives its owner back its input: give it back here.
    if (answer == 0 && ownerWasEnabled && ::IsWindow(owner) && !::IsWindowEnabled(owner))
        ::EnableWindow(owner, TRUE);
}

}  // namespace scripted
