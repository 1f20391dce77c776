#include "engine/ie/BrowserControlSite.h"

#include <cstddef>

#include "engine/PageDpi.h"
#include "engine/ie/HostKeyRules.h"
#include "ui/WindowDpi.h"

CBrowserControlSite::CBrowserControlSite(PageHost& host, HWND window) : m_host(host), m_window(window) {}

// ---- IUnknown

STDMETHODIMP CBrowserControlSite::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    // One identity: IUnknown is always the client site's.
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        *object = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
        *object = static_cast<IOleInPlaceFrame*>(this);
    else if (riid == IID_IDocHostUIHandler)
        *object = static_cast<IDocHostUIHandler*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CBrowserControlSite::AddRef() { return m_refs.Add(); }
STDMETHODIMP_(ULONG) CBrowserControlSite::Release() { return m_refs.Drop(); }

// ---- IOleClientSite: an object that is never saved or linked.

STDMETHODIMP CBrowserControlSite::SaveObject() { return E_NOTIMPL; }

STDMETHODIMP CBrowserControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CBrowserControlSite::GetContainer(IOleContainer** container) {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CBrowserControlSite::ShowObject() { return S_OK; }
STDMETHODIMP CBrowserControlSite::OnShowWindow(BOOL) { return S_OK; }
STDMETHODIMP CBrowserControlSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// ---- IOleWindow

STDMETHODIMP CBrowserControlSite::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = m_window;
    return m_window ? S_OK : E_FAIL;
}

STDMETHODIMP CBrowserControlSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

// ---- IOleInPlaceSite: the control may always go in place, over the whole
// page window; the engine moves it when the window's size changes.

STDMETHODIMP CBrowserControlSite::CanInPlaceActivate() { return S_OK; }
STDMETHODIMP CBrowserControlSite::OnInPlaceActivate() { return S_OK; }
STDMETHODIMP CBrowserControlSite::OnUIActivate() { return S_OK; }

STDMETHODIMP CBrowserControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                                   LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo) {
    if (!frame || !document || !position || !clip || !frameInfo) return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    // No document window of its own: the frame serves for both.
    *document = nullptr;
    ::GetClientRect(m_window, position);
    *clip = *position;
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = m_window;
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP CBrowserControlSite::Scroll(SIZE) { return E_NOTIMPL; }
STDMETHODIMP CBrowserControlSite::OnUIDeactivate(BOOL) { return S_OK; }
STDMETHODIMP CBrowserControlSite::OnInPlaceDeactivate() { return S_OK; }
STDMETHODIMP CBrowserControlSite::DiscardUndoState() { return E_NOTIMPL; }
STDMETHODIMP CBrowserControlSite::DeactivateAndUndo() { return E_NOTIMPL; }
STDMETHODIMP CBrowserControlSite::OnPosRectChange(LPCRECT) { return S_OK; }

// ---- IOleInPlaceUIWindow / IOleInPlaceFrame: no toolbars, menus or status
// bar to share with the control.

STDMETHODIMP CBrowserControlSite::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP CBrowserControlSite::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }

STDMETHODIMP CBrowserControlSite::SetBorderSpace(LPCBORDERWIDTHS widths) {
    return widths ? INPLACE_E_NOTOOLSPACE : S_OK;
}

// The object the control names here is the one that gets the keys first
// (ActiveObject); null when the control stops being the active one.
STDMETHODIMP CBrowserControlSite::SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) {
    if (active) active->AddRef();
    m_active.attach(active);
    return S_OK;
}
STDMETHODIMP CBrowserControlSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return E_NOTIMPL; }
STDMETHODIMP CBrowserControlSite::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
STDMETHODIMP CBrowserControlSite::RemoveMenus(HMENU) { return E_NOTIMPL; }
STDMETHODIMP CBrowserControlSite::SetStatusText(LPCOLESTR) { return S_OK; }
STDMETHODIMP CBrowserControlSite::EnableModeless(BOOL) { return S_OK; }
STDMETHODIMP CBrowserControlSite::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

// ---- IDocHostUIHandler: the host decides the context menu and the flags;
// everything else is the browser's default.

STDMETHODIMP CBrowserControlSite::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
    return m_host.ShowContextMenu();
}

STDMETHODIMP CBrowserControlSite::GetHostInfo(DOCHOSTUIINFO* info) {
    if (!info) return E_POINTER;
    // Older browsers pass a shorter structure; write only what it has room for.
    const ULONG size = info->cbSize;
    if (size < offsetof(DOCHOSTUIINFO, dwFlags) + sizeof(info->dwFlags)) return E_INVALIDARG;
    info->dwFlags = HostFlagsAtScale(m_host.GetHostFlags(0), ScaleOfWindow(m_window));
    if (size >= offsetof(DOCHOSTUIINFO, dwDoubleClick) + sizeof(info->dwDoubleClick))
        info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    if (size >= offsetof(DOCHOSTUIINFO, pchHostCss) + sizeof(info->pchHostCss)) info->pchHostCss = nullptr;
    if (size >= offsetof(DOCHOSTUIINFO, pchHostNS) + sizeof(info->pchHostNS)) info->pchHostNS = nullptr;
    return S_OK;
}

// S_OK: the host shows its own UI, which is none - the control merges no
// menus or toolbars into the page window.
STDMETHODIMP CBrowserControlSite::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                         IOleInPlaceUIWindow*) {
    return S_OK;
}

STDMETHODIMP CBrowserControlSite::HideUI() { return S_OK; }
STDMETHODIMP CBrowserControlSite::UpdateUI() { return S_OK; }
STDMETHODIMP CBrowserControlSite::OnDocWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP CBrowserControlSite::OnFrameWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP CBrowserControlSite::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
// S_OK claims the key: the control then leaves its own command undone.
STDMETHODIMP CBrowserControlSite::TranslateAccelerator(LPMSG msg, const GUID*, DWORD) {
    if (!msg) return S_FALSE;
    auto held = [](int vk) { return ::GetKeyState(vk) < 0; };
    const ie::HostKey key{msg->message, msg->wParam, held(VK_CONTROL), held(VK_MENU), held(VK_SHIFT)};
    // Only Backspace depends on where the page's focus is.
    const bool inTextEntry = key.vk == VK_BACK && m_textFocus && m_textFocus();
    return ie::IsWithheldBrowserKey(key, inTextEntry) ? S_OK : S_FALSE;
}

STDMETHODIMP CBrowserControlSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
    if (key) *key = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CBrowserControlSite::GetDropTarget(IDropTarget*, IDropTarget** target) {
    if (target) *target = nullptr;
    return E_NOTIMPL;
}

// Pages get no window.external object from us.
STDMETHODIMP CBrowserControlSite::GetExternal(IDispatch** external) {
    if (external) *external = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CBrowserControlSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* out) {
    if (out) *out = nullptr;
    return S_FALSE;
}

STDMETHODIMP CBrowserControlSite::FilterDataObject(IDataObject*, IDataObject** out) {
    if (out) *out = nullptr;
    return S_FALSE;
}
