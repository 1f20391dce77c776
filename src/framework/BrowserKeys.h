#pragma once
// The browser's turn at a key: after the host's own keys, before the dialog
// manager or the frame. A page's fields only work when the browser sees
// Tab, Delete and the clipboard keys before anything else can act on them.
#include <windows.h>

#include "framework/PageEngine.h"

// Offers a key message aimed at the browser's window or one inside it to the
// browser; true when the browser took it. Other messages, and keys aimed
// elsewhere (a dialog's own controls), are left alone.
bool OfferKeyToBrowser(PageEngine* browser, const MSG& msg);

// A Ctrl + wheel turn aimed at the browser's window or one inside it, which
// the browser would take as its own zoom: a page is zoomed to its display,
// and a game page further only by the launcher.
bool IsBrowserZoomWheel(PageEngine* browser, const MSG& msg);

// A press or release of the mouse's back or forward button aimed at the
// browser's window or one inside it, which the browser takes as a step in
// its history: a game page would leave its game, the login its page.
bool IsBrowserHistoryButton(PageEngine* browser, const MSG& msg);
