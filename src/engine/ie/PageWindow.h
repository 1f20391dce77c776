#pragma once
// The child window the browser control lives in: it covers the page area of
// its parent, and tells its listener when it changes size so the control can
// follow.
#include <windows.h>

namespace ie {

class PageWindowListener {
public:
    virtual void OnPageWindowSize(int cx, int cy) = 0;

protected:
    ~PageWindowListener() = default;
};

class PageWindow {
public:
    static constexpr const wchar_t* kClassName = L"ZuvaIePage";

    PageWindow(HWND parent, const RECT& area, PageWindowListener& listener);
    ~PageWindow();
    PageWindow(const PageWindow&) = delete;
    PageWindow& operator=(const PageWindow&) = delete;

    HWND get() const noexcept { return m_hwnd; }
    void Destroy();

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    PageWindowListener& m_listener;
    HWND m_hwnd = nullptr;
};

}  // namespace ie
