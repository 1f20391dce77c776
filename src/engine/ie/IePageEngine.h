#pragma once
// The page engine of Zuva.exe: the platform's WebBrowser control in our own
// small OLE container, placed in a child window of the host's window.
//
// Needs a single-threaded apartment with OLE initialised (OleInitialize) on
// the calling thread, for the engine's whole life; that is the caller's
// business. Host callbacks run on that thread, from inside the control: a
// host must not destroy the engine from one of them (post a message instead).
#include <windows.h>
#include <exdisp.h>
#include <mshtml.h>
#include <oleidl.h>

#include <memory>

#include "engine/ie/BrowserEventSink.h"
#include "engine/ie/DocumentEventSink.h"
#include "engine/ie/MyBrowserControlSite.h"
#include "engine/ie/PageWindow.h"
#include "engine/ie/SinkConnection.h"
#include "framework/Handles.h"
#include "framework/PageEngine.h"

namespace ie {

class IePageEngine final : public PageEngine, private PageWindowListener, private BrowserEvents {
public:
    IePageEngine(PageHost& host, HWND parent, const RECT& area);
    ~IePageEngine() override;
    IePageEngine(const IePageEngine&) = delete;
    IePageEngine& operator=(const IePageEngine&) = delete;

    // Whether the control was created and placed in the page window.
    bool ok() const noexcept { return static_cast<bool>(m_browser); }
    // Takes the control down and destroys the page window; the engine does
    // nothing afterwards. Called by the destructor; safe to call twice.
    void Close();
    // References the control holds on the site and the event sinks; zero
    // once closed, or something of ours would outlive the engine.
    ULONG HeldReferences() const noexcept;
    // The control's own window inside the page window (null before it is
    // in place).
    HWND ControlWindow() const;

    HWND Window() const override { return m_window.get(); }
    bool Navigate(const std::wstring& url) override;
    void Refresh() override;
    void SetSilent(bool silent) override;
    bool TranslateAccelerator(const MSG& msg) override;
    void TakeFocus() override;
    bool SetBodyScroll(const std::wstring& value) override;
    std::wstring CurrentUrl() const override;
    bool ZoomTo(int percent) override;
    int ZoomPercent() const override;
    // The document draws itself (IViewObject::Draw), at the size the page
    // window shows it.
    bool DrawPage(HDC dc) override;

private:
    // The control's optical zoom in percent; 0 when it does not say.
    int CurrentZoomPercent() const;
    bool Open(const RECT& area);
    void ConnectDocument();
    bool IsTopLevel(IDispatch* frame) const;
    // The control's in-place active object, as it named it or, before it
    // named one, as it answers for itself; null without a control.
    IOleInPlaceActiveObject* ActiveObject();
    // Whether Backspace is the page's own: the focus is in an element that
    // takes typed text, followed into frames, or in a frame of another site,
    // which cannot be read.
    bool FocusInTextEntry() const;
    // The current top-level HTML document; null while there is none.
    fw::ComPtr<IHTMLDocument2> CurrentDocument() const;

    void OnPageWindowSize(int cx, int cy) override;

    void BeforeNavigate(IDispatch* frame, const std::wstring& url, bool* cancel) override;
    void NavigateComplete(IDispatch* frame, const std::wstring& url) override;
    void DocumentComplete(IDispatch* frame, const std::wstring& url) override;
    void NavigateError(IDispatch* frame, const std::wstring& url, long status, bool* cancel) override;
    void TitleChange(const std::wstring& title) override;
    void NewWindow(const std::wstring& url, bool* cancel) override;

    PageHost& m_host;
    // Declared in the order they are needed; Close() ends them in reverse.
    PageWindow m_window;
    CMyBrowserControlSite m_site;
    BrowserEventSink m_browserSink;
    DocumentEventSink m_documentSink;
    fw::ComPtr<IOleObject> m_object;
    fw::ComPtr<IOleInPlaceObject> m_inPlace;
    fw::ComPtr<IWebBrowser2> m_browser;
    SinkConnection m_browserEvents;
    SinkConnection m_documentEvents;
};

}  // namespace ie
