#include "framework/BrowserKeys.h"

bool OfferKeyToBrowser(PageEngine* browser, const MSG& msg) {
    if (!browser || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    const HWND window = browser->Window();
    if (!window || (msg.hwnd != window && !::IsChild(window, msg.hwnd))) return false;
    return browser->TranslateAccelerator(msg);
}
