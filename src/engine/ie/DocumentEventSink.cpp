#include "engine/ie/DocumentEventSink.h"

#include <mshtml.h>

#include "engine/ie/ComValues.h"
#include "engine/ie/IeGuids.h"
#include "engine/ie/IePageElement.h"
#include "framework/Handles.h"

namespace ie {

namespace {
bool IsPageEvent(DISPID id) {
    switch (static_cast<PageEvent>(id)) {
    case PageEvent::MouseOver:
    case PageEvent::MouseOut:
    case PageEvent::MouseDown:
    case PageEvent::MouseMove:
    case PageEvent::MouseUp:
    case PageEvent::ContextMenu:
        return true;
    }
    return false;
}

// The event's source element, from its only argument, the event object.
fw::ComPtr<IHTMLElement> SourceElement(const DISPPARAMS* params) {
    fw::ComPtr<IHTMLElement> element;
    const VARIANT* arg = Argument(params, 0);
    if (!arg) return element;
    const VARIANT& value = Deref(*arg);
    IUnknown* object = value.vt == VT_DISPATCH ? value.pdispVal : value.vt == VT_UNKNOWN ? value.punkVal : nullptr;
    if (!object) return element;
    fw::ComPtr<IHTMLEventObj> event;
    if (FAILED(object->QueryInterface(IID_IHTMLEventObj, reinterpret_cast<void**>(event.put()))) || !event)
        return element;
    event->get_srcElement(element.put());
    return element;
}
}  // namespace

DocumentEventSink::DocumentEventSink(PageHost& host)
    : EventDispatch(kDiidHtmlDocumentEvents2), m_host(host) {}

STDMETHODIMP DocumentEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                       EXCEPINFO*, UINT*) {
    if (!IsPageEvent(id)) return S_OK;
    fw::ComPtr<IHTMLElement> element = SourceElement(params);
    if (!element) return S_OK;
    IePageElement source(std::move(element));
    const HRESULT answer = m_host.OnPageEvent(static_cast<PageEvent>(id), source);
    // The event's return value: false cancels the page's default action.
    if (result) {
        ::VariantClear(result);
        result->vt = VT_BOOL;
        result->boolVal = answer == S_OK ? VARIANT_TRUE : VARIANT_FALSE;
    }
    return S_OK;
}

}  // namespace ie
