#include "engine/ie/IePageEngine.h"

#include <mshtml.h>

#include <cassert>

#include "engine/PageDpi.h"
#include "base/PlayerBrowser.h"
#include "engine/ie/ComValues.h"
#include "engine/ie/HostKeyRules.h"
#include "engine/ie/IeGuids.h"

namespace ie {

namespace {
// Frames in frames, as deep as a page may nest them before Backspace is
// simply let through.
constexpr int kMostFramesDeep = 8;
}  // namespace

IePageEngine::IePageEngine(PageHost& host, HWND parent, const RECT& area)
    : m_host(host),
      m_window(parent, area, *this),
      m_site(host, m_window.get()),
      m_browserSink(*this),
      m_documentSink(host) {
    m_site.SetTextFocusProbe([this] { return FocusInTextEntry(); });
    if (!Open(area)) Close();
}

IePageEngine::~IePageEngine() {
    Close();
    // The site and sinks die with us: the control must have let go of all.
    // The tests count them after every teardown; a release build says so.
    if (HeldReferences() != 0) ::OutputDebugStringW(L"Zuva: the browser control kept references past its close\n");
    assert(HeldReferences() == 0);
}

bool IePageEngine::Open(const RECT& area) {
    if (!m_window.get()) return false;
    if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  reinterpret_cast<void**>(m_object.put()))) ||
        !m_object)
        return false;
    if (FAILED(m_object->SetClientSite(m_site.ClientSite()))) return false;
    RECT client{0, 0, area.right - area.left, area.bottom - area.top};
    if (FAILED(m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_site.ClientSite(), 0, m_window.get(), &client)))
        return false;
    m_object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(m_inPlace.put()));
    if (m_inPlace) m_inPlace->SetObjectRects(&client, &client);
    fw::ComPtr<IWebBrowser2> browser;
    if (FAILED(m_object->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(browser.put()))) || !browser)
        return false;
    if (!m_browserEvents.Connect(browser.get(), DIID_DWebBrowserEvents2, &m_browserSink)) return false;
    m_browser = browser;
    return true;
}

void IePageEngine::Close() {
    // No more events to the host while the control goes down.
    m_documentEvents.Disconnect();
    m_browserEvents.Disconnect();
    m_browser.reset();
    m_site.ReleaseActiveObject();
    if (m_inPlace) {
        m_inPlace->InPlaceDeactivate();
        m_inPlace.reset();
    }
    if (m_object) {
        m_object->Close(OLECLOSE_NOSAVE);
        m_object->SetClientSite(nullptr);
        m_object.reset();
    }
    m_window.Destroy();
}

ULONG IePageEngine::HeldReferences() const noexcept {
    return m_site.HeldReferences() + m_browserSink.HeldReferences() + m_documentSink.HeldReferences();
}

HWND IePageEngine::ControlWindow() const {
    fw::ComPtr<IOleWindow> window;
    HWND hwnd = nullptr;
    if (m_inPlace && SUCCEEDED(m_inPlace->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(window.put()))))
        window->GetWindow(&hwnd);
    return hwnd;
}

bool IePageEngine::Navigate(const std::wstring& url) {
    if (!m_browser) return false;
    Bstr target(url);
    VARIANT empty;
    ::VariantInit(&empty);
    return SUCCEEDED(m_browser->Navigate(target.get(), &empty, &empty, &empty, &empty));
}

void IePageEngine::Refresh() {
    if (m_browser) m_browser->Refresh();
}

bool IePageEngine::ZoomTo(int percent) {
    if (!m_browser) return false;
    VARIANT wanted;
    ::VariantInit(&wanted);
    wanted.vt = VT_I4;
    wanted.lVal = percent;
    // This page's alone: without the flag the control keeps the percentage
    // for every later document and browser, another tab's login included.
    VARIANT flags;
    ::VariantInit(&flags);
    flags.vt = VT_I4;
    flags.lVal = OLECMDIDF_OPTICAL_ZOOM_NOPERSIST;
    // The control refuses the command while it has no document; and the
    // zoom is read back, since a refusal is not always an error code.
    if (FAILED(m_browser->ExecWB(OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &wanted, &flags))) return false;
    return CurrentZoomPercent() == percent;
}

int IePageEngine::CurrentZoomPercent() const {
    if (!m_browser) return 0;
    VARIANT zoom;
    ::VariantInit(&zoom);
    if (FAILED(m_browser->ExecWB(OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, nullptr, &zoom)) ||
        zoom.vt != VT_I4)
        return 0;
    return zoom.lVal;
}

int IePageEngine::ZoomPercent() const {
    // Without an answer the page is taken to be unzoomed.
    const int percent = CurrentZoomPercent();
    return percent > 0 ? percent : kBaseZoom;
}

// The control asks the document host (the site's TranslateAccelerator) before
// acting on a key itself; S_OK from either means the key is done with.
bool IePageEngine::TranslateAccelerator(const MSG& msg) {
    IOleInPlaceActiveObject* active = ActiveObject();
    if (!active) return false;
    MSG copy = msg;
    return active->TranslateAccelerator(&copy) == S_OK;
}

IOleInPlaceActiveObject* IePageEngine::ActiveObject() {
    // The control names its active object only once it is UI-active.
    if (!m_site.ActiveObject() && m_object) {
        fw::ComPtr<IOleInPlaceActiveObject> own;
        if (SUCCEEDED(m_object->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(own.put()))))
            m_site.SetActiveObject(own.get(), nullptr);
    }
    return m_site.ActiveObject();
}

// In-place active, the control shows the page but takes no keys: typing
// reaches a page only once the control is UI-active and its own window,
// the document's, has the focus.
void IePageEngine::TakeFocus() {
    if (!m_object) return;
    RECT client{};
    ::GetClientRect(m_window.get(), &client);
    m_object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, m_site.ClientSite(), 0, m_window.get(), &client);
    ActiveObject();
    HWND document = ControlWindow();
    for (HWND inner; document && (inner = ::GetWindow(document, GW_CHILD));) document = inner;
    const HWND focus = ::GetFocus();
    if (document && focus != document && !::IsChild(document, focus)) ::SetFocus(document);
}

fw::ComPtr<IHTMLDocument2> IePageEngine::CurrentDocument() const {
    fw::ComPtr<IHTMLDocument2> html;
    fw::ComPtr<IDispatch> document;
    if (m_browser && SUCCEEDED(m_browser->get_Document(document.put())) && document)
        document->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(html.put()));
    return html;
}

bool IePageEngine::FocusInTextEntry() const {
    fw::ComPtr<IHTMLDocument2> html = CurrentDocument();
    fw::ComPtr<IHTMLElement> focused;
    // The top document's active element is the frame that holds the focus;
    // that frame's document has the element itself, and so on down.
    for (int depth = 0;; ++depth) {
        focused.reset();
        if (!html || FAILED(html->get_activeElement(focused.put())) || !focused) return false;
        fw::ComPtr<IHTMLFrameBase2> frame;
        if (FAILED(focused->QueryInterface(kIidHtmlFrameBase2, reinterpret_cast<void**>(frame.put()))) || !frame)
            break;
        if (depth == kMostFramesDeep) return true;
        fw::ComPtr<IHTMLWindow2> window;
        html.reset();
        // Another site's frame denies its document: its field may be there.
        if (FAILED(frame->get_contentWindow(window.put())) || !window || FAILED(window->get_document(html.put())) ||
            !html)
            return true;
    }
    Bstr tag;
    focused->get_tagName(tag.put());
    Bstr type;
    fw::ComPtr<IHTMLInputElement> input;
    if (SUCCEEDED(focused->QueryInterface(IID_IHTMLInputElement, reinterpret_cast<void**>(input.put()))) && input)
        input->get_type(type.put());
    VARIANT_BOOL editable = VARIANT_FALSE;
    fw::ComPtr<IHTMLElement3> element3;
    if (SUCCEEDED(focused->QueryInterface(kIidHtmlElement3, reinterpret_cast<void**>(element3.put()))) && element3)
        element3->get_isContentEditable(&editable);
    return IsTextEntry(tag.str(), type.str(), editable != VARIANT_FALSE);
}

void IePageEngine::SetSilent(bool silent) {
    if (m_browser) m_browser->put_Silent(silent ? VARIANT_TRUE : VARIANT_FALSE);
}

bool IePageEngine::SetBodyScroll(const std::wstring& value) {
    const fw::ComPtr<IHTMLDocument2> html = CurrentDocument();
    if (!html) return false;
    fw::ComPtr<IHTMLElement> body;
    if (FAILED(html->get_body(body.put())) || !body) return false;
    fw::ComPtr<IHTMLBodyElement> bodyElement;
    if (FAILED(body->QueryInterface(IID_IHTMLBodyElement, reinterpret_cast<void**>(bodyElement.put()))) ||
        !bodyElement)
        return false;
    Bstr scroll(value);
    return SUCCEEDED(bodyElement->put_scroll(scroll.get()));
}

std::wstring IePageEngine::CurrentUrl() const {
    Bstr url;
    if (!m_browser || FAILED(m_browser->get_LocationURL(url.put()))) return std::wstring();
    return url.str();
}

bool IePageEngine::DrawPage(HDC dc) {
    const fw::ComPtr<IHTMLDocument2> html = CurrentDocument();
    fw::ComPtr<IViewObject> view;
    if (!html || FAILED(html->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(view.put()))) || !view)
        return false;
    // The document renders itself into the DC, as it does for printing: its
    // own layout, not what the screen shows, so a covered or hidden page
    // draws all the same, and so do its windowless plug-ins.
    RECT client{};
    ::GetClientRect(m_window.get(), &client);
    const RECTL bounds{0, 0, client.right, client.bottom};
    return SUCCEEDED(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0));
}

void IePageEngine::OnPageWindowSize(int cx, int cy) {
    if (!m_inPlace) return;
    RECT rc{0, 0, cx, cy};
    m_inPlace->SetObjectRects(&rc, &rc);
}

bool IePageEngine::IsTopLevel(IDispatch* frame) const { return SameObject(frame, m_browser.get()); }

// Each new top-level document gets the page-event sink; the previous
// document's connection ends first.
void IePageEngine::ConnectDocument() {
    m_documentEvents.Disconnect();
    fw::ComPtr<IDispatch> document;
    if (FAILED(m_browser->get_Document(document.put())) || !document) return;
    m_documentEvents.Connect(document.get(), kDiidHtmlDocumentEvents2, &m_documentSink);
}

void IePageEngine::BeforeNavigate(IDispatch* frame, const std::wstring& url, bool* cancel) {
    m_host.OnBeforeNavigate(url, IsTopLevel(frame), cancel);
}

void IePageEngine::NavigateComplete(IDispatch* frame, const std::wstring& url) {
    const bool topLevel = IsTopLevel(frame);
    if (topLevel) ConnectDocument();
    m_host.OnNavigateComplete(url, topLevel);
}

void IePageEngine::DocumentComplete(IDispatch* frame, const std::wstring& url) {
    m_host.OnDocumentComplete(url, IsTopLevel(frame));
}

void IePageEngine::NavigateError(IDispatch*, const std::wstring& url, long status, bool* cancel) {
    m_host.OnNavigateError(url, status, cancel);
}

void IePageEngine::TitleChange(const std::wstring& title) { m_host.OnTitleChange(title); }

void IePageEngine::NewWindow(const std::wstring& url, bool* cancel) {
    // Not a window of the browser control in this process: the page's next
    // window is the player's own browser, as the player, never this
    // process's rights or an address other than a web page's.
    *cancel = true;
    OpenInPlayersBrowser(url);
}

}  // namespace ie

std::unique_ptr<PageEngine> CreateIePageEngine(PageHost& host, HWND parent, const RECT& area) {
    auto engine = std::make_unique<ie::IePageEngine>(host, parent, area);
    if (!engine->ok()) return nullptr;
    return engine;
}
