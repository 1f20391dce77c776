#include "framework/DHtmlDialog.h"

#include <vector>

#include "framework/BrowserKeys.h"
#include "framework/PageEventTable.h"

CDHtmlDialog::CDHtmlDialog(UINT templateId, UINT htmlResourceId, CWnd* parent)
    : CDialog(templateId, parent), m_htmlResourceId(htmlResourceId) {}

CDHtmlDialog::~CDHtmlDialog() {
    // The browser goes before the window it lives in.
    m_browser.reset();
}

std::unique_ptr<PageEngine> CDHtmlDialog::CreateControlSite(HWND parent, const RECT& area) {
    return CreatePageEngine(m_site, parent, area);
}

BOOL CDHtmlDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_browser = CreateControlSite(m_hWnd, GetClientRect());
    return TRUE;
}

BOOL CDHtmlDialog::PreTranslateMessage(MSG* msg) {
    // The dialog manager would take Tab, Enter and the arrows from a page's
    // fields; a derived dialog's own keys have had their turn before this.
    if (OfferKeyToBrowser(m_browser.get(), *msg)) return TRUE;
    if (IsBrowserZoomWheel(m_browser.get(), *msg) || IsBrowserHistoryButton(m_browser.get(), *msg))
        return TRUE;  // swallowed
    return CDialog::PreTranslateMessage(msg);
}

bool CDHtmlDialog::Navigate(const std::wstring& url) { return m_browser && m_browser->Navigate(url); }

LRESULT CDHtmlDialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SIZE && m_browser) {
        ::MoveWindow(m_browser->Window(), 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
    } else if (msg == WM_DESTROY) {
        m_browser.reset();
    } else if (msg == WM_ACTIVATE && LOWORD(wp) != WA_INACTIVE && m_browser) {
        // The dialog manager puts the focus back where it was; the page's
        // fields are what the player types in, so the page takes it.
        const LRESULT result = CDialog::WindowProc(msg, wp, lp);
        m_browser->TakeFocus();
        return result;
    }
    return CDialog::WindowProc(msg, wp, lp);
}

const DHtmlEventRow* CDHtmlDialog::GetPageEventTable() const {
    static const DHtmlEventRow kNone[] = {{false, PageEvent::MouseOver, nullptr, nullptr}};
    return kNone;
}

void CDHtmlDialog::OnBeforeNavigate2(const std::wstring&, bool, bool*) {}
void CDHtmlDialog::OnNavigateComplete(const std::wstring& url) { m_currentUrl = url; }
void CDHtmlDialog::OnDocumentComplete(const std::wstring&) {}
void CDHtmlDialog::OnNavigateError(const std::wstring&, long, bool*) {}
void CDHtmlDialog::OnTitleChange(const std::wstring&) {}

HRESULT CDHtmlDialog::GetHostInfo(DWORD* flags) {
    *flags = m_hostFlags;
    return S_OK;
}

HRESULT CDHtmlDialog::ShowMessage(HWND, const std::wstring&, const std::wstring&, DWORD, LRESULT*) {
    return S_FALSE;
}

HRESULT CDHtmlDialog::ShowHelp(HWND, const std::wstring&, UINT, DWORD) { return S_FALSE; }

DWORD CDHtmlDialog::BrowserSite::GetHostFlags(DWORD) {
    DWORD flags = 0;
    m_dialog.GetHostInfo(&flags);
    return flags;
}

void CDHtmlDialog::BrowserSite::OnNavigateComplete(const std::wstring& url, bool) {
    // Frames complete too; the dialog hears about every completion (the page
    // engine has connected the new top-level document's events already).
    m_dialog.OnNavigateComplete(url);
}

void CDHtmlDialog::BrowserSite::OnDocumentComplete(const std::wstring& url, bool topLevel) {
    if (topLevel) m_dialog.OnDocumentComplete(url);
}

HRESULT CDHtmlDialog::DispatchPageEvent(PageEvent event, PageElement& source) {
    const DHtmlEventRow* table = GetPageEventTable();
    std::vector<PageEventRow> specs;
    for (const DHtmlEventRow* row = table; row->name; ++row)
        specs.push_back(PageEventRow{row->byClass, static_cast<long>(row->event), row->name});
    const int match = FindPageEventRow(specs.data(), specs.size(), static_cast<long>(event), source.ClassName(),
                                       source.TagName());
    if (match < 0) return S_OK;  // no row: the page's default action runs
    return (this->*(table[match].handler))(source);
}
