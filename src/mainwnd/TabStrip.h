#pragma once
// The tab strip of a main window: one tab per game page in the title area,
// drawn into the window's background, with a close box on the tab under the
// mouse, a mark on the tab of an account muted on its own, and a tooltip
// that shows its whole caption and its account's zoom. The geometry and the
// hover rules are in TabStripRules.h; this is their window side.
#include <windows.h>

#include "framework/Handles.h"
#include "framework/Wnd.h"
#include "mainwnd/PageBook.h"
#include "mainwnd/TabStripRules.h"

class TabStrip {
public:
    // Every call that places tabs takes the owner's display scale, which
    // only the owner keeps.

    // Loads the tab images at `scale` and makes the tooltip, for tabs in `owner`.
    void Create(HWND owner, const DpiScale& scale);
    // The owner moved to a display of another scale: the images of that scale.
    void LoadImages(const DpiScale& scale);

    // The tabs of `pages`, `current` one raised, in the owner's font.
    void Draw(HDC dc, HFONT font, const PageBook& pages, int current, const DpiScale& scale) const;

    // The mouse is at `client` (the owner's hit test): the hover state, the
    // tooltip and the repaint follow. `onCaption`: the owner's own hit test
    // answered caption, where no leave is tracked.
    void TrackMouse(POINT client, const PageBook& pages, bool onCaption, const DpiScale& scale);
    // The mouse left the owner (or its non-client area).
    void ClearHover(bool clearTracking, const DpiScale& scale);
    // No tab is hot any longer (a page closed, or a question came).
    void ResetHover() { m_hover = TabHover{}; }
    // The close box of `tab` is held down.
    void PressCloseBox(int tab, const DpiScale& scale);

    void InvalidateTab(int index, const DpiScale& scale) const;
    void InvalidateCloseBox(int index, const DpiScale& scale) const { Invalidate(TabCloseBoxRect(index, scale)); }
    // The whole strip as it stood with `count` tabs.
    void InvalidateStrip(int count, const DpiScale& scale) const;
    // Lets the tooltip see the owner's mouse messages.
    void RelayEvent(MSG* msg);
    // What the tooltip tells of `tab` changed: a shown tooltip says it anew.
    void RefreshTip(const PageBook& pages, int tab);

private:
    void Invalidate(const Rect& area) const;
    // The tooltip now speaks of `tab`.
    void UpdateTipText(const PageBook& pages, int tab);

    HWND m_owner = nullptr;
    fw::ImageListHandle m_ilTab;    // tab backgrounds: normal, hot, current
    fw::ImageListHandle m_ilClose;  // close boxes: shown, hot, pressed
    fw::ImageListHandle m_muteMarks;   // a muted account's mark, on each kind of tab
    TabHover m_hover;               // the hot tab and its close box's state
    CWnd m_tip;
    bool m_bTipActive = false;
    bool m_bTracking = false;
};
