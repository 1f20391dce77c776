#include "engine/ie/MyBrowserControlSite.h"

#include "engine/ie/IeGuids.h"

namespace {
std::wstring Text(LPCOLESTR s) { return s ? std::wstring(s) : std::wstring(); }
}  // namespace

STDMETHODIMP CMyBrowserControlSite::QueryInterface(REFIID riid, void** object) {
    if (object && riid == ie::kIidDocHostShowUI) {
        *object = static_cast<IDocHostShowUI*>(this);
        AddRef();
        return S_OK;
    }
    return CBrowserControlSite::QueryInterface(riid, object);
}

STDMETHODIMP_(ULONG) CMyBrowserControlSite::AddRef() { return CBrowserControlSite::AddRef(); }
STDMETHODIMP_(ULONG) CMyBrowserControlSite::Release() { return CBrowserControlSite::Release(); }

STDMETHODIMP CMyBrowserControlSite::ShowMessage(HWND owner, LPOLESTR text, LPOLESTR caption, DWORD type,
                                                LPOLESTR, DWORD, LRESULT* result) {
    // The browser may pass no result slot; the host always gets one.
    LRESULT answer = result ? *result : 0;
    HRESULT hr = m_host.ShowMessage(owner, Text(text), Text(caption), type, &answer);
    if (result) *result = answer;
    return hr;
}

STDMETHODIMP CMyBrowserControlSite::ShowHelp(HWND owner, LPOLESTR helpFile, UINT command, DWORD data, POINT,
                                             IDispatch*) {
    return m_host.ShowHelp(owner, Text(helpFile), command, data);
}
