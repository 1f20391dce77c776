#include "engine/PageZoom.h"

namespace {
// Long enough for a document that was not ready to become so.
constexpr UINT kRetryMs = 250;
}  // namespace

void PageZoom::Attach(HWND window, int dpi) {
    m_hWnd = window;
    m_dpi = dpi;
}

void PageZoom::ShowAt(int dpi, PageEngine* page) {
    m_dpi = dpi;
    Apply(page, true);
}

void PageZoom::ZoomBy(int percent, PageEngine* page) {
    m_percent = percent;
    Apply(page, true);
}

bool PageZoom::OnTimer(UINT_PTR id, PageEngine* page) {
    if (id != m_retryTimer) return false;
    ::KillTimer(m_hWnd, m_retryTimer);
    Apply(page, false);
    return true;
}

void PageZoom::Apply(PageEngine* page, bool mayRetry) {
    if (!page || m_dpi <= 0) return;
    if (page->ZoomTo(ZoomedPagePercent(m_dpi, m_percent))) {
        ::KillTimer(m_hWnd, m_retryTimer);  // an earlier miss is made good
    } else if (mayRetry && m_hWnd) {
        ::SetTimer(m_hWnd, m_retryTimer, kRetryMs, nullptr);
    }
}
