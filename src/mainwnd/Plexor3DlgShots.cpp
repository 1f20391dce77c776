// CPlexor3Dlg, its screenshots: each page draws and saves a picture of
// itself when asked, and the tray icon's balloon tells how it went.
#include "mainwnd/Plexor3Dlg.h"

#include "base/CopyDataText.h"
#include "base/FileKindRules.h"
#include "base/PlayerBrowser.h"
#include "base/WindowMessages.h"
#include "mainwnd/MainWindowHost.h"

namespace {
const wchar_t kShotSavedTitle[] = L"截图已保存";
const wchar_t kShotFailedTitle[] = L"截图保存失败";
const wchar_t kShotFailedText[] = L"未能存入“图片\\Ferrowind”文件夹";
}  // namespace

void CPlexor3Dlg::ShootPage(int index) {
    if (index < 0 || index >= m_pages.count()) return;
    const HWND page = m_pages.Window(index);
    // The page answers at once and saves afterwards; one that does not
    // answer soon has failed the player.
    DWORD_PTR taken = 0;
    if (!SendCopyDataText(page, m_hWnd, COPYDATA_TAKE_PAGE_SHOT, m_pages.book().caption(index), 2000, &taken) || taken != 1)
        OnPageShotSaved(page, std::wstring());
}

void CPlexor3Dlg::OnPageShotSaved(HWND frame, const std::wstring& path) {
    const int index = m_pages.IndexOf(frame);
    if (index < 0) return;  // no page of ours
    m_shotBalloonOpensFolder = !path.empty();
    if (path.empty()) {
        // Which account's picture, and where it could not go.
        const std::wstring& caption = m_pages.book().caption(index);
        m_tray.ShowBalloon(kShotFailedTitle, (caption.empty() ? caption : caption + L"：") + kShotFailedText, true);
        return;
    }
    // Only the name: the folder is always the same one.
    m_tray.ShowBalloon(kShotSavedTitle, path.substr(path.find_last_of(L'\\') + 1), false);
}

void CPlexor3Dlg::OpenShotFolder() {
    if (!m_shotBalloonOpensFolder) return;
    // The folder is found here, not taken from the page's message: this
    // process runs elevated, and only a real folder is opened.
    const std::wstring folder = m_host ? m_host->ShotFolder() : std::wstring();
    if (folder.empty() || !IsRealFolder(::GetFileAttributesW(folder.c_str()))) return;
    OpenFolderAsPlayer(folder);
}
