#pragma once
// CWnd: the object side of a window. A window handle is tied to its object
// through a window property, so the framework keeps no table of its own.
#include <windows.h>
#include <string>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }

    // The object attached to a window, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Routes an existing window's messages through this object's WindowProc.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(UINT id, CWnd* parent);

    // Creates a window of a registered class (controls such as tooltips).
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                  const RECT& rc, HWND parent, UINT_PTR idOrMenu);
    // Creates a window of the framework's own class, tied to this object from
    // its very first message (so WindowProc sees WM_CREATE).
    bool CreateFrameworkWindow(DWORD exStyle, const wchar_t* text, DWORD style, const RECT& rc, HWND parent,
                               UINT_PTR idOrMenu);
    bool DestroyWindow();

    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    // Gives a window in the chain from a message's target up to its top-level
    // window the chance to handle the message before it is dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Called when a control is tied to its object, before its first message.
    virtual void PreSubclassWindow() {}
    // WM_TIMER, after the default handling.
    virtual void OnTimer(UINT_PTR) {}
    // A parent hands WM_DRAWITEM and WM_CTLCOLOR* back to the control they
    // concern; true means the control answered in *result.
    virtual bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

    // Walks PreTranslateMessage from msg->hwnd up its parents, stopping after
    // `stop` (or at the top-level window).
    static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);

    // Thin conveniences over the window functions.
    BOOL ShowWindow(int cmd) const { return ::ShowWindow(m_hWnd, cmd); }
    BOOL IsWindowVisible() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return m_hWnd && ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL enable) const { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE) const {
        return ::MoveWindow(m_hWnd, x, y, cx, cy, repaint);
    }
    BOOL MoveWindow(const RECT& rc, BOOL repaint = TRUE) const {
        return MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, repaint);
    }
    BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) const {
        return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
    }
    RECT GetClientRect() const { RECT rc{}; ::GetClientRect(m_hWnd, &rc); return rc; }
    RECT GetWindowRect() const { RECT rc{}; ::GetWindowRect(m_hWnd, &rc); return rc; }
    void Invalidate(BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT& rc, BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, &rc, erase); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    UINT_PTR SetTimer(UINT_PTR id, UINT ms) const { return ::SetTimer(m_hWnd, id, ms, nullptr); }
    BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }
    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageW(m_hWnd, msg, wp, lp); }
    BOOL PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::PostMessageW(m_hWnd, msg, wp, lp); }
    void SetWindowText(const std::wstring& text) const { ::SetWindowTextW(m_hWnd, text.c_str()); }
    std::wstring GetWindowText() const;
    void ModifyStyle(DWORD remove, DWORD add) const;
    void ModifyStyleEx(DWORD remove, DWORD add) const;
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }

protected:
    // Windows this object created are destroyed with it; subclassed ones are
    // only handed back to their own procedure.
    bool m_ownsWindow = false;

    // Default processing: the window's original procedure, or DefWindowProc.
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);

private:
    static LRESULT CALLBACK StdWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK FirstMessageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    bool Attach(HWND hwnd);
    void DetachFromHandle();

    WNDPROC m_oldProc = nullptr;
};
