#pragma once
// Keeps a page at the scale of its window's display, times the zoom the
// player chose for its account (a game page). The two stay apart, the
// display's DPI and the player's percent, and the browser gets their product
// as its zoom. The browser starts each top-level document at a default zoom
// of its own (the system's scale once told that its host is DPI aware),
// which is wrong for a window on a display of another scale, and it refuses
// a zoom while no document is ready. So the zoom is set whole after every
// document and every scale change, checked, and tried once more a moment
// later when it did not take.
#include <windows.h>

#include "engine/PageZoomSteps.h"
#include "framework/PageEngine.h"

class PageZoom {
public:
    // `retryTimer` is a timer id of the window the page lives in that is
    // free for this use.
    explicit PageZoom(UINT_PTR retryTimer) : m_retryTimer(retryTimer) {}

    // The page lives in `window`, on a display of `dpi`.
    void Attach(HWND window, int dpi);
    // The window is now on a display of `dpi`.
    void ShowAt(int dpi, PageEngine* page);
    // The player's zoom, in percent of the display's scale; it stays across
    // documents and display changes.
    void ZoomBy(int percent, PageEngine* page);
    // A document has come (its navigation completed) or completed: the zoom
    // is set on it at once, not only once it completes, so that it never
    // shows at the browser's default first.
    void NewDocument(PageEngine* page) { Apply(page, true); }
    // A WM_TIMER of the window; true when it was the retry's.
    bool OnTimer(UINT_PTR id, PageEngine* page);

    int dpi() const { return m_dpi; }

private:
    void Apply(PageEngine* page, bool mayRetry);

    UINT_PTR m_retryTimer;
    HWND m_hWnd = nullptr;
    int m_dpi = 0;
    int m_percent = kActualZoom;
};
