#pragma once
// The game pages of a main window as windows: which one is current, showing
// one in the page area, switching and closing them, dropping dead ones, and
// the game hall, which is shown there too but is no page. The captions and
// their pairing with frames are the PageBook's.
#include <windows.h>

#include <string>

#include "mainwnd/PageBook.h"
#include "ui/DpiScale.h"

class GamePages {
public:
    explicit GamePages(HWND owner = nullptr) : m_owner(owner) {}
    void SetOwner(HWND owner) { m_owner = owner; }
    // Every call that may show a page takes the owner's display scale, by
    // which the page area is placed; only the owner keeps it.

    const PageBook& book() const { return m_arrPages; }
    int count() const { return m_arrPages.count(); }
    HWND Window(int i) const { return reinterpret_cast<HWND>(m_arrPages.frame(i)); }
    // The index of page `frame`, or -1.
    int IndexOf(HWND frame) const { return m_arrPages.IndexOf(reinterpret_cast<PageBook::Frame>(frame)); }
    int CurrentIndex() const { return m_nCurPage; }
    // The current page, or null without pages.
    HWND Current() const;
    HWND hall() const { return m_hHallWnd; }
    bool HallShown() const { return m_hHallWnd && ::IsWindowVisible(m_hHallWnd); }

    // A login page's caption, from process `child` (0: unknown); false when
    // another login holds it.
    bool Register(const std::wstring& caption, uint32_t child) { return m_arrPages.Register(caption, child); }
    // A page's frame attached: every page is hidden, the hall too, and the
    // new page becomes the last tab and the current one (shown once loaded).
    // False, with nothing changed, when its process registered no caption
    // (PageBook::Attach; `anyWaiting` as there). `process` is the frame's, as
    // its attach was checked: the frame, meanwhile put into its owner by its
    // own process, may not name it at every moment.
    bool Attach(HWND frame, uint32_t process, bool anyWaiting);
    void SetHall(HWND frame) { m_hHallWnd = frame; }

    // Shows `page` in the page area, asks it to take the keyboard, and hides
    // every other page (and the hall); null hides all. Nothing waits for a
    // page's process (mainwnd/PageWindowCalls).
    void Show(HWND page, const DpiScale& scale) const;
    // Asks whatever shows (the hall or the current page) to take the keyboard.
    void GiveKeysToShown() const;
    // Puts whatever shows (the hall or the current page) in the page area.
    void MoveShownToPageArea(const DpiScale& scale) const;
    // The next page in turn becomes current (unless the hall shows) and
    // shows; false when the current page did not change.
    bool SwitchToNext(const DpiScale& scale);
    // Page `index` becomes current and shows (or shows again, from the
    // hall); false when the current page did not change.
    bool Select(int index, const DpiScale& scale);
    // Removes page `index` and shows the page that takes its place; the
    // caller closes the returned frame.
    HWND Remove(int index, const DpiScale& scale);
    // Drops pages whose window is gone and waiting captions of ended logins;
    // returns how many pages there were when any went, else 0.
    int RemoveDead(const DpiScale& scale);

    // Posts a message to every page, and to the hall when `hallToo`.
    void PostToPages(UINT msg, WPARAM wp, bool hallToo) const;
    // Tells every page (not the hall) whether to be silent: when the window
    // is muted or its own account is.
    void PostMuteToPages(int windowMute) const;
    // Page `index`'s own account mute.
    bool AccountMuted(int index) const { return m_arrPages.muted(index); }
    void SetAccountMuted(int index, bool muted) { m_arrPages.SetMuted(index, muted); }
    // Page `index`'s account zoom, in percent of the display's scale; the
    // page is told each one set.
    int AccountZoom(int index) const { return m_arrPages.zoom(index); }
    void SetAccountZoom(int index, int percent);
    // Every page leaves the window and is asked to close.
    void CloseAll() const;

private:
    void MoveToPageArea(HWND wnd, const DpiScale& scale) const;
    // Hides every page, and the hall.
    void HideAll() const;

    HWND m_owner;
    PageBook m_arrPages;
    int m_nCurPage = 0;
    HWND m_hHallWnd = nullptr;
};
