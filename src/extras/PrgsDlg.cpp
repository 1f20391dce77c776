#include "extras/PrgsDlg.h"

#include "resource.h"
#include "ui/SkinImage.h"

namespace {
// From the watcher thread: wParam 1 when the download is whole.
constexpr UINT WM_DOWNLOAD_OVER = WM_APP + 1;
}  // namespace

CPrgsDlg::CPrgsDlg() : CDlgEx(IDD_UPDATE_PROGRESS) {}

CPrgsDlg::~CPrgsDlg() {
    // Never leave a worker running into a dialog that is gone.
    m_cancel.Cancel();
    WaitForWorkers();
}

void CPrgsDlg::DoDataExchange() { DDX_Control(IDC_UPDATE_PROGRESS, m_progress); }

BOOL CPrgsDlg::OnInitDialog() {
    CDlgEx::OnInitDialog();
    SetStandardFrameMetrics();
    SetTitle(L"版本更新中...");
    SetSkin(SmallDialogSkin());
    // Centred on the desktop and above everything.
    RECT desk{}, wr = GetWindowRect();
    ::GetWindowRect(::GetDesktopWindow(), &desk);
    const int cx = wr.right - wr.left, cy = wr.bottom - wr.top;
    SetWindowPos(nullptr, desk.left + (desk.right - desk.left - cx) / 2, desk.top + (desk.bottom - desk.top - cy) / 2,
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    OnScaleChanged();

    m_finished = false;
    m_succeeded = false;
    m_worker.reset(::CreateThread(nullptr, 0, &CPrgsDlg::DownloadWorker, this, 0, nullptr));
    m_watcher.reset(::CreateThread(nullptr, 0, &CPrgsDlg::Watcher, this, 0, nullptr));
    if (!m_worker || !m_watcher) {
        m_cancel.Cancel();
        WaitForWorkers();
        PostMessage(WM_DOWNLOAD_OVER, FALSE);
    }
    return TRUE;
}

void CPrgsDlg::OnScaleChanged() {
    m_progress.SetImages(LoadSkinBitmap(IDB_PROGRESS_BACK, scale().dpi()),
                         LoadSkinBitmap(IDB_PROGRESS_FILL, scale().dpi()));
    m_progress.Invalidate(TRUE);
}

DWORD WINAPI CPrgsDlg::DownloadWorker(void* self) {
    auto* dlg = static_cast<CPrgsDlg*>(self);
    if (!IsPortalAddress(dlg->m_strUrl)) return 0;  // never fetch an executable from elsewhere
    const bool complete = HttpDownloadInto(dlg->m_strUrl, dlg->m_target, dlg->m_progress.m_hWnd, &dlg->m_cancel,
                                           BuildDownloadLimit(), kMaxBuildBytes);
    dlg->m_succeeded = complete;
    return 0;
}

DWORD WINAPI CPrgsDlg::Watcher(void* self) {
    auto* dlg = static_cast<CPrgsDlg*>(self);
    ::WaitForSingleObject(dlg->m_worker.get(), INFINITE);
    // The dialog's own thread ends it, so that a cancel and this cannot both do.
    ::PostMessageW(dlg->m_hWnd, WM_DOWNLOAD_OVER, dlg->m_succeeded ? TRUE : FALSE, 0);
    return 0;
}

void CPrgsDlg::WaitForWorkers() {
    // The watcher first: it waits on the worker's handle, which therefore
    // stays open until the watcher is gone.
    for (fw::KernelHandle* thread : {&m_watcher, &m_worker}) {
        if (!*thread) continue;
        HANDLE h = thread->get();
        while (::MsgWaitForMultipleObjects(1, &h, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
            MSG msg;
            ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        thread->reset();
    }
}

void CPrgsDlg::OnCancel() {
    if (m_finished) return;
    m_finished = true;
    // The request, even one still being sent, is abandoned at once: its
    // thread writes nothing more and closes its handles when WinINet lets go.
    m_cancel.Cancel();
    WaitForWorkers();
    EndDialog(IDCANCEL);
}

LRESULT CPrgsDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DOWNLOAD_OVER) {
        if (!m_finished) {
            m_finished = true;
            WaitForWorkers();
            EndDialog(wp ? IDOK : IDCANCEL);
        }
        return 0;
    }
    return CDlgEx::WindowProc(msg, wp, lp);
}

INT_PTR CPrgsDlg::DownloadInto(const std::wstring& address, HANDLE target) {
    m_strUrl = address;
    m_target = target;
    return DoModal();
}
