#pragma once
// A window of the test posing as a game page (or the hall) of a main window
// in another process: it records what the main window hands its pages.
#include <windows.h>

#include <vector>

namespace wintest {

class PageSpy {
public:
    PageSpy();
    ~PageSpy();
    PageSpy(const PageSpy&) = delete;
    PageSpy& operator=(const PageSpy&) = delete;

    HWND wnd() const { return m_wnd; }
    // Registers the spy with `main` as a page (or as the hall).
    void AttachTo(HWND main, bool hall = false) const;

    std::vector<WPARAM> muteValues;  // each WM_SET_MUTE's flag, in order
    int hotkeyReloads = 0;           // WM_RELOAD_HOTKEYS received
    std::vector<int> ownerDpis;      // each WM_OWNER_DPI_CHANGED's DPI, in order
    std::vector<MSG> keys;           // key-downs that reached the spy
    std::vector<int> zoomPercents;   // each WM_SET_PAGE_ZOOM's percent, in order

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND m_wnd = nullptr;
};

}  // namespace wintest
