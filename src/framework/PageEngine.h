#pragma once
// The page-engine seam: what the launcher's web windows ask of an embedded
// browser, what the browser asks back, and the events it raises. Two engines
// stand behind it: the platform's WebBrowser control (Zuva.exe) and the
// scripted engine, which reads our test portal's page scripts
// (ZuvaScripted.exe and the tests). Everything above the seam is the same
// code for both.
#include <windows.h>

#include <memory>
#include <string>

// Page events, by the DOM event ids the platform gives them.
enum class PageEvent : long {
    MouseOver = static_cast<long>(0x80010008),
    MouseOut = static_cast<long>(0x80010009),
    MouseDown = -605,
    MouseMove = -606,
    MouseUp = -607,
    ContextMenu = 1023,
};

// Host flags (the platform's DOCHOSTUIFLAG values we use).
constexpr DWORD kHostFlagDialog = 0x1;
constexpr DWORD kHostFlagNo3DBorder = 0x4;
constexpr DWORD kHostFlagScrollNo = 0x8;

// One element of the current page, as a page event's source.
class PageElement {
public:
    virtual ~PageElement() = default;
    virtual std::wstring TagName() const = 0;
    virtual std::wstring ClassName() const = 0;  // the class attribute, as written
    // The attribute "disabled" read as a boolean true.
    virtual bool IsDisabled() const = 0;
    virtual RECT OffsetRect() const = 0;  // offsetLeft, offsetTop, + offsetWidth, + offsetHeight
    // Sets style background-position-x to a pixel number; false when the
    // element has no style object.
    virtual bool SetBackgroundPositionX(long pixels) = 0;
    // Runs the page's own click handling for the element.
    virtual void Click() = 0;
    // Whether both stand for the same element of the page.
    virtual bool SameElement(const PageElement& other) const = 0;
    // A handle to this same element that the host may keep beyond the event
    // it came with (a pressed page button, until it is released).
    virtual std::shared_ptr<PageElement> Keep() = 0;
};

// The side of the seam that hosts the browser: it answers the browser's
// questions and receives its events. Defaults are the browser's own behaviour.
class PageHost {
public:
    virtual ~PageHost() = default;

    // Host flags: given what the browser proposes, what the host wants.
    virtual DWORD GetHostFlags(DWORD proposed) { return proposed; }
    // S_OK: the host handled it (no menu shown); S_FALSE: the browser's menu.
    virtual HRESULT ShowContextMenu() { return S_FALSE; }
    // A web message box (script alert or confirmation, unload question).
    // S_FALSE lets the browser show its own box; S_OK means the host did.
    virtual HRESULT ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, DWORD type,
                                LRESULT* result) {
        (void)owner, (void)text, (void)caption, (void)type, (void)result;
        return S_FALSE;
    }
    virtual HRESULT ShowHelp(HWND owner, const std::wstring& helpFile, UINT command, DWORD data) {
        (void)owner, (void)helpFile, (void)command, (void)data;
        return S_FALSE;
    }

    // Before a navigation starts, of the top-level document or of a frame
    // (topLevel tells which); setting *cancel keeps it from starting.
    virtual void OnBeforeNavigate(const std::wstring& url, bool topLevel, bool* cancel) {
        (void)url, (void)topLevel, (void)cancel;
    }
    // A navigation completed (frames included; topLevel tells which).
    virtual void OnNavigateComplete(const std::wstring& url, bool topLevel) { (void)url, (void)topLevel; }
    virtual void OnDocumentComplete(const std::wstring& url, bool topLevel) { (void)url, (void)topLevel; }
    // A navigation failed; setting *cancel keeps the browser's error page away.
    virtual void OnNavigateError(const std::wstring& url, long status, bool* cancel) {
        (void)url, (void)status, (void)cancel;
    }
    virtual void OnTitleChange(const std::wstring& title) { (void)title; }
    // A page event of the current top-level document, with its source
    // element. S_OK lets the page's default action run; anything else cancels it.
    virtual HRESULT OnPageEvent(PageEvent event, PageElement& source) {
        (void)event, (void)source;
        return S_OK;
    }
};

// An embedded browser in a child window of its host's window.
class PageEngine {
public:
    virtual ~PageEngine() = default;
    virtual HWND Window() const = 0;
    virtual bool Navigate(const std::wstring& url) = 0;
    virtual void Refresh() = 0;
    virtual void SetSilent(bool silent) = 0;
    // Offers a key message aimed inside the browser's windows to the page
    // before any dialog manager or frame sees it: true when the page took it
    // (Tab between its fields, typing and editing in a field).
    virtual bool TranslateAccelerator(const MSG& msg) = 0;
    // Gives the page the keyboard: the browser becomes its window's active
    // object and its document's window takes the focus. Until then, or a
    // press on the page, no key reaches the page.
    virtual void TakeFocus() = 0;
    // Sets the current top-level document's body scroll attribute; false while
    // there is no document or body yet.
    virtual bool SetBodyScroll(const std::wstring& value) = 0;
    virtual std::wstring CurrentUrl() const = 0;
    // Shows the current document at the browser's optical zoom `percent`: a
    // CSS pixel covers percent / 100 device pixels (150 on a display of 144
    // DPI, times the zoom a player chose, so it may lie below 100). CSS pixels
    // stay the page's unit, the picture grows or shrinks. True when the
    // document now shows at that zoom; false when there is none ready to take
    // it. Each new top-level document starts at the browser's default zoom.
    virtual bool ZoomTo(int percent) = 0;
    // The zoom the current document is shown at, in percent.
    virtual int ZoomPercent() const = 0;
    // Draws the page as Window() shows it, its client area from (0, 0) of
    // `dc`, whether the window is covered or hidden; false when there is no
    // page to draw.
    virtual bool DrawPage(HDC dc) = 0;
};

// The engine of this executable, chosen when it is linked.
std::unique_ptr<PageEngine> CreatePageEngine(PageHost& host, HWND parent, const RECT& area);

// Both engines, for code that must have one in particular (tests).
std::unique_ptr<PageEngine> CreateIePageEngine(PageHost& host, HWND parent, const RECT& area);
std::unique_ptr<PageEngine> CreateScriptedPageEngine(PageHost& host, HWND parent, const RECT& area);
