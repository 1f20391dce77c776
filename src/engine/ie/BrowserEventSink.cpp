#include "engine/ie/BrowserEventSink.h"

#include <exdisp.h>
#include <exdispid.h>

#include "engine/ie/ComValues.h"

namespace ie {

namespace {
IDispatch* FrameArgument(const DISPPARAMS* params) {
    const VARIANT* v = Argument(params, 0);
    return v ? VariantDispatch(*v) : nullptr;
}

std::wstring TextArgument(const DISPPARAMS* params, UINT index) {
    const VARIANT* v = Argument(params, index);
    return v ? VariantText(*v) : std::wstring();
}

// A Cancel argument, read before the handler runs and written back after.
class CancelArgument {
public:
    CancelArgument(const DISPPARAMS* params, UINT index) {
        const VARIANT* v = Argument(params, index);
        m_slot = v ? VariantBoolSlot(*v) : nullptr;
        m_value = m_slot && *m_slot != VARIANT_FALSE;
    }
    ~CancelArgument() {
        if (m_slot) *m_slot = m_value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    CancelArgument(const CancelArgument&) = delete;
    CancelArgument& operator=(const CancelArgument&) = delete;
    bool* get() { return &m_value; }

private:
    VARIANT_BOOL* m_slot = nullptr;
    bool m_value = false;
};
}  // namespace

BrowserEventSink::BrowserEventSink(BrowserEvents& target)
    : EventDispatch(DIID_DWebBrowserEvents2), m_target(target) {}

// Arguments by position: (pDisp, URL, ...) for the navigation events, whose
// URL comes as VARIANT* (VT_BYREF|VT_VARIANT) and Cancel as VARIANT_BOOL*.
STDMETHODIMP BrowserEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                      UINT*) {
    switch (id) {
    case DISPID_BEFORENAVIGATE2:  // pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel
        if (params && params->cArgs >= 7) OnBeforeNavigate2(params);
        break;
    case DISPID_NAVIGATECOMPLETE2:  // pDisp, URL
        if (params && params->cArgs >= 2) m_target.NavigateComplete(FrameArgument(params), TextArgument(params, 1));
        break;
    case DISPID_DOCUMENTCOMPLETE:  // pDisp, URL
        if (params && params->cArgs >= 2) m_target.DocumentComplete(FrameArgument(params), TextArgument(params, 1));
        break;
    case DISPID_NAVIGATEERROR:  // pDisp, URL, Frame, StatusCode, Cancel
        if (params && params->cArgs >= 5) OnNavigateError(params);
        break;
    case DISPID_TITLECHANGE:  // Text
        if (params && params->cArgs >= 1) m_target.TitleChange(TextArgument(params, 0));
        break;
    case DISPID_NEWWINDOW3:  // ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl
        if (params && params->cArgs >= 5) OnNewWindow3(params);
        break;
    default:  // the rest keeps the browser's own behaviour
        break;
    }
    return S_OK;
}

void BrowserEventSink::OnBeforeNavigate2(const DISPPARAMS* params) {
    CancelArgument cancel(params, 6);
    m_target.BeforeNavigate(FrameArgument(params), TextArgument(params, 1), cancel.get());
}

void BrowserEventSink::OnNavigateError(const DISPPARAMS* params) {
    const VARIANT* status = Argument(params, 3);
    CancelArgument cancel(params, 4);
    m_target.NavigateError(FrameArgument(params), TextArgument(params, 1), status ? VariantLong(*status, 0) : 0,
                           cancel.get());
}

void BrowserEventSink::OnNewWindow3(const DISPPARAMS* params) {
    CancelArgument cancel(params, 1);
    m_target.NewWindow(TextArgument(params, 4), cancel.get());
}

}  // namespace ie
