#include "login/DHtmDlgEx.h"

#include <windowsx.h>

#include "engine/PageDpi.h"
#include "engine/PageRules.h"
#include "ui/WindowDpi.h"

CDHtmDlgEx::CDHtmDlgEx(UINT templateId, UINT htmlResourceId, CWnd* parent)
    : CDHtmlDialog(templateId, htmlResourceId, parent) {}

CDHtmDlgEx::~CDHtmDlgEx() { m_pPressedElement.reset(); }

BOOL CDHtmDlgEx::OnInitDialog() {
    CDHtmlDialog::OnInitDialog();
    // Script errors never raise a dialog.
    if (m_browser) m_browser->SetSilent(true);
    m_zoom.Attach(m_hWnd, ScaleOfWindow(m_hWnd).dpi());
    return TRUE;
}

HRESULT CDHtmDlgEx::GetHostInfo(DWORD* flags) {
    const HRESULT hr = CDHtmlDialog::GetHostInfo(flags);
    *flags |= kHostFlagDialog;
    return hr;
}

void CDHtmDlgEx::OnNavigateComplete(const std::wstring& url) {
    CDHtmlDialog::OnNavigateComplete(url);
    // Scroll bars only where the content overflows, whatever the host flags say.
    if (m_browser) m_browser->SetBodyScroll(L"auto");
    m_zoom.NewDocument(m_browser.get());
}

void CDHtmDlgEx::OnDocumentComplete(const std::wstring& url) {
    CDHtmlDialog::OnDocumentComplete(url);
    m_zoom.NewDocument(m_browser.get());
}

void CDHtmDlgEx::OnBeforeNavigate2(const std::wstring& url, bool, bool* cancel) {
    *cancel = CancelBeforeNavigate(url, *cancel);
}

void CDHtmDlgEx::OnNavigateError(const std::wstring&, long, bool* cancel) {
    *cancel = true;  // no error page replaces the page
}

HRESULT CDHtmDlgEx::ShowMessage(HWND, const std::wstring&, const std::wstring&, DWORD, LRESULT*) {
    return S_FALSE;
}

HRESULT CDHtmDlgEx::ShowHelp(HWND, const std::wstring&, UINT, DWORD) { return S_FALSE; }

const DHtmlEventRow* CDHtmDlgEx::GetPageEventTable() const {
    using Self = CDHtmDlgEx;
    static const DHtmlEventRow kTable[] = {
        {true, PageEvent::MouseOut, L"button", PageHandler(&Self::OnButtonMouseOut)},
        {true, PageEvent::MouseOver, L"button", PageHandler(&Self::OnButtonMouseOver)},
        {true, PageEvent::MouseDown, L"button", PageHandler(&Self::OnButtonMouseDown)},
        {true, PageEvent::MouseUp, L"button", PageHandler(&Self::OnButtonMouseUp)},
        {false, PageEvent::MouseDown, L"body", PageHandler(&Self::OnPageMouseDown)},
        {false, PageEvent::MouseUp, L"body", PageHandler(&Self::OnPageMouseUp)},
        {false, PageEvent::MouseMove, L"body", PageHandler(&Self::OnPageMouseMove)},
        {false, PageEvent::ContextMenu, L"body", PageHandler(&Self::OnPageContextMenu)},
        {false, PageEvent::MouseDown, L"td", PageHandler(&Self::OnPageMouseDown)},
        {false, PageEvent::MouseUp, L"td", PageHandler(&Self::OnPageMouseUp)},
        {false, PageEvent::MouseMove, L"td", PageHandler(&Self::OnPageMouseMove)},
        {false, PageEvent::ContextMenu, L"td", PageHandler(&Self::OnPageContextMenu)},
        {false, PageEvent::MouseDown, L"div", PageHandler(&Self::OnPageMouseDown)},
        {false, PageEvent::MouseUp, L"div", PageHandler(&Self::OnPageMouseUp)},
        {false, PageEvent::MouseMove, L"div", PageHandler(&Self::OnPageMouseMove)},
        {false, PageEvent::ContextMenu, L"div", PageHandler(&Self::OnPageContextMenu)},
        {false, PageEvent::MouseOver, nullptr, nullptr},
    };
    return kTable;
}

void CDHtmDlgEx::ApplyButtonFrame(PageElement& element, int frame) {
    if (frame == kSpriteNone) return;
    const RECT offset = element.OffsetRect();
    element.SetBackgroundPositionX(SpriteBackgroundX(frame, offset.right - offset.left));
}

HRESULT CDHtmDlgEx::OnButtonMouseOut(PageElement& element) {
    ApplyButtonFrame(element, SpriteMouseOut(HoldsCapture()).frame);
    return S_FALSE;
}

HRESULT CDHtmDlgEx::OnButtonMouseOver(PageElement& element) {
    ApplyButtonFrame(element, SpriteMouseOver(HoldsCapture(), element.IsDisabled()).frame);
    return S_FALSE;
}

HRESULT CDHtmDlgEx::OnButtonMouseDown(PageElement& element) {
    const SpriteStep step = SpriteMouseDown(element.IsDisabled());
    if (!step.hold) return S_FALSE;
    m_pPressedElement = element.Keep();  // a new press replaces a held one
    ::SetCapture(m_hWnd);
    ApplyButtonFrame(element, step.frame);
    return S_FALSE;
}

HRESULT CDHtmDlgEx::OnButtonMouseUp(PageElement& element) {
    // Reached only when no press was captured (a disabled element).
    const SpriteStep step = SpriteUncapturedMouseUp(HoldsCapture(), element.IsDisabled());
    ApplyButtonFrame(element, step.frame);
    if (step.click) element.Click();
    return S_FALSE;
}

void CDHtmDlgEx::EndCapturedPress(LPARAM lp) {
    ::ReleaseCapture();
    if (std::shared_ptr<PageElement> held = std::move(m_pPressedElement)) {
        const RECT box = held->OffsetRect();
        // The release point, in the dialog's device pixels, back in the CSS
        // pixels of the element's page offsets, through the zoom in force.
        const int zoom = m_browser ? m_browser->ZoomPercent() : kBaseZoom;
        const bool inside = PointInBox(CssOfDevice(GET_X_LPARAM(lp), zoom), CssOfDevice(GET_Y_LPARAM(lp), zoom),
                                       box.left, box.top, box.right, box.bottom);
        const SpriteStep step = SpriteCapturedRelease(inside);
        ApplyButtonFrame(*held, step.frame);
        if (step.click) held->Click();
    }
}

void CDHtmDlgEx::SendCaptionMessage(UINT msg) {
    POINT pt{};
    ::GetCursorPos(&pt);
    SendMessage(msg, HTCAPTION, static_cast<LPARAM>(PackScreenPoint(pt.x, pt.y)));
}

HRESULT CDHtmDlgEx::OnPageMouseDown(PageElement&) {
    SendCaptionMessage(WM_NCLBUTTONDOWN);
    return S_FALSE;
}

HRESULT CDHtmDlgEx::OnPageMouseUp(PageElement&) {
    SendCaptionMessage(WM_NCLBUTTONUP);
    return S_FALSE;
}

HRESULT CDHtmDlgEx::OnPageMouseMove(PageElement&) {
    SendCaptionMessage(WM_NCMOUSEMOVE);
    return S_FALSE;
}

HRESULT CDHtmDlgEx::OnPageContextMenu(PageElement&) { return S_FALSE; }

LRESULT CDHtmDlgEx::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if ((msg == WM_LBUTTONUP || msg == WM_RBUTTONUP) && HoldsCapture()) {
        EndCapturedPress(lp);
        return 0;
    }
    if (msg == WM_TIMER && m_zoom.OnTimer(wp, m_browser.get())) return 0;
    return CDHtmlDialog::WindowProc(msg, wp, lp);
}
