#pragma once
// The browser control's own events (DWebBrowserEvents2), taken apart into
// their arguments. The sink lives inside the engine and never deletes itself;
// its reference count tells whether the control still holds it.
#include <windows.h>
#include <oaidl.h>

#include <string>

#include "engine/ie/EventDispatch.h"

namespace ie {

// What the sink reports. `frame` is the browser object the event concerns
// (the top browser or one of its frames), not AddRef'd.
class BrowserEvents {
public:
    virtual void BeforeNavigate(IDispatch* frame, const std::wstring& url, bool* cancel) = 0;
    virtual void NavigateComplete(IDispatch* frame, const std::wstring& url) = 0;
    virtual void DocumentComplete(IDispatch* frame, const std::wstring& url) = 0;
    virtual void NavigateError(IDispatch* frame, const std::wstring& url, long status, bool* cancel) = 0;
    virtual void TitleChange(const std::wstring& title) = 0;
    // The page asks for a window of its own (a link to a new window, a
    // script's window.open); setting *cancel keeps the browser from making one.
    virtual void NewWindow(const std::wstring& url, bool* cancel) = 0;

protected:
    ~BrowserEvents() = default;
};

class BrowserEventSink final : public EventDispatch {
public:
    explicit BrowserEventSink(BrowserEvents& target);

    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override;

private:
    void OnBeforeNavigate2(const DISPPARAMS* params);
    void OnNavigateError(const DISPPARAMS* params);
    void OnNewWindow3(const DISPPARAMS* params);

    BrowserEvents& m_target;
};

}  // namespace ie
