#include "framework/BrowserKeys.h"

namespace {
bool AimedInside(PageEngine* browser, const MSG& msg) {
    const HWND window = browser ? browser->Window() : nullptr;
    return window && (msg.hwnd == window || ::IsChild(window, msg.hwnd));
}
}  // namespace

bool OfferKeyToBrowser(PageEngine* browser, const MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !AimedInside(browser, msg)) return false;
    return browser->TranslateAccelerator(msg);
}

bool IsBrowserZoomWheel(PageEngine* browser, const MSG& msg) {
    return msg.message == WM_MOUSEWHEEL && (GET_KEYSTATE_WPARAM(msg.wParam) & MK_CONTROL) != 0 &&
           AimedInside(browser, msg);
}

bool IsBrowserHistoryButton(PageEngine* browser, const MSG& msg) {
    switch (msg.message) {
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
    case WM_XBUTTONDBLCLK:
        return AimedInside(browser, msg);
    default:
        return false;
    }
}
