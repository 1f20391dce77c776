#pragma once
// CPrgsDlg: the small topmost dialog that shows "版本更新中..." and a
// progress bar while the new executable is downloaded on a worker thread.
// It ends with IDOK when the whole file arrived, IDCANCEL otherwise.
#include <atomic>
#include <string>

#include "framework/Handles.h"
#include "net/HttpClient.h"
#include "ui/DlgEx.h"
#include "ui/ImgProgress.h"

class CPrgsDlg : public CDlgEx {
public:
    CPrgsDlg();
    ~CPrgsDlg() override;

    // Downloads `address` into the open file `target` (the caller's) under
    // the dialog; IDOK when the whole file arrived.
    INT_PTR DownloadInto(const std::wstring& address, HANDLE target);

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    // The button images drawn for a new display scale.
    void OnScaleChanged() override;
    void OnOK() override {}  // Enter does nothing
    void OnCancel() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    static DWORD WINAPI DownloadWorker(void* self);
    static DWORD WINAPI Watcher(void* self);
    // Waits for the workers while still answering the progress messages the
    // download sends to this thread. A cancelled download's worker returns
    // at once: it only waits for the request, which it then abandons.
    void WaitForWorkers();

    CImgProgress m_progress;    // control 1000
    std::wstring m_strUrl;      // the update address
    HANDLE m_target = nullptr;  // the open file the download goes into, the caller's
    fw::KernelHandle m_worker;
    fw::KernelHandle m_watcher;
    HttpCancel m_cancel;
    std::atomic<bool> m_succeeded{false};
    bool m_finished = false;  // the dialog's result is decided
};
