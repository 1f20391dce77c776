#include "mainwnd/GamePages.h"

#include <vector>

#include "base/WindowMessages.h"
#include "framework/Handles.h"
#include "mainwnd/AccountMuteRules.h"
#include "mainwnd/PageWindowCalls.h"
#include "mainwnd/TitleLayout.h"
#include "ui/OwnerPageArea.h"

namespace {
constexpr UINT kTakeKeysMs = 250;

// The page may bring its frame to the front (this window is the player's
// now) and is asked to take the keyboard: briefly waited for, so that what
// the player does next finds the keys where they go; a page that does not
// answer in that time (or hangs) is not waited for.
void GiveKeysTo(HWND frame) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(frame, &process);
    ::AllowSetForegroundWindow(process);
    DWORD_PTR unused = 0;
    ::SendMessageTimeoutW(frame, WM_PAGE_TAKE_KEYS, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kTakeKeysMs, &unused);
}

bool ProcessAlive(uint32_t pid) {
    fw::KernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
    return process && ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}
}  // namespace

HWND GamePages::Current() const {
    if (m_nCurPage < 0 || m_nCurPage >= count()) return nullptr;
    return Window(m_nCurPage);
}

bool GamePages::Attach(HWND frame, uint32_t process, bool anyWaiting) {
    if (!anyWaiting && !m_arrPages.HasWaiting(process)) return false;
    // The pages there so far: the new one may have shown itself already.
    HideAll();
    m_nCurPage = m_arrPages.Attach(reinterpret_cast<PageBook::Frame>(frame), process, anyWaiting);
    return true;
}

void GamePages::HideAll() const {
    for (int i = 0; i < count(); ++i) ShowPageFrame(Window(i), false);
    if (m_hHallWnd && ::IsWindow(m_hHallWnd)) ShowPageFrame(m_hHallWnd, false);
}

void GamePages::Show(HWND page, const DpiScale& scale) const {
    for (int i = 0; i < count(); ++i) {
        HWND each = Window(i);
        if (each != page) {
            ShowPageFrame(each, false);
            continue;
        }
        MoveToPageArea(each, scale);
        ShowPageFrame(each, true);
        GiveKeysTo(each);
        if (HallShown()) ShowPageFrame(m_hHallWnd, false);
    }
}

void GamePages::GiveKeysToShown() const {
    HWND shown = HallShown() ? m_hHallWnd : Current();
    if (shown && ::IsWindowVisible(shown)) GiveKeysTo(shown);
}

void GamePages::MoveShownToPageArea(const DpiScale& scale) const {
    if (HWND shown = HallShown() ? m_hHallWnd : Current()) MoveToPageArea(shown, scale);
}

void GamePages::MoveToPageArea(HWND wnd, const DpiScale& scale) const {
    PlacePageFrame(wnd, PageAreaInOwner(m_owner, scale));
}

bool GamePages::SwitchToNext(const DpiScale& scale) {
    const int n = count();
    if (n == 0) return false;
    const bool changed = n > 1 && !HallShown();
    if (changed) m_nCurPage = NextPage(m_nCurPage, n);
    Show(Current(), scale);
    return changed;
}

bool GamePages::Select(int index, const DpiScale& scale) {
    if (index != m_nCurPage) {
        m_nCurPage = index;
        Show(Current(), scale);
        return true;
    }
    if (HallShown()) Show(Current(), scale);  // back from the hall
    return false;
}

HWND GamePages::Remove(int index, const DpiScale& scale) {
    const int before = count();
    HWND closed = reinterpret_cast<HWND>(m_arrPages.Remove(index));
    m_nCurPage = CurrentAfterClose(index, before);
    Show(Current(), scale);
    return closed;
}

int GamePages::RemoveDead(const DpiScale& scale) {
    m_arrPages.DropWaiting(&ProcessAlive);
    const int before = count();
    const std::vector<int> removed =
        m_arrPages.RemoveDead([](PageBook::Frame f) { return ::IsWindow(reinterpret_cast<HWND>(f)) != FALSE; });
    if (removed.empty()) return 0;
    // A page whose process died leaves no dead tab: the next page is shown.
    m_nCurPage = CurrentAfterDeaths(m_nCurPage, before, removed);
    if (count() > 0) Show(Current(), scale);
    return before;
}

void GamePages::PostToPages(UINT msg, WPARAM wp, bool hallToo) const {
    for (int i = 0; i < count(); ++i) ::PostMessageW(Window(i), msg, wp, 0);
    if (hallToo && m_hHallWnd) ::PostMessageW(m_hHallWnd, msg, wp, 0);
}

void GamePages::PostMuteToPages(int windowMute) const {
    for (int i = 0; i < count(); ++i)
        ::PostMessageW(Window(i), WM_SET_MUTE, static_cast<WPARAM>(PageMuteValue(windowMute, AccountMuted(i))), 0);
}

void GamePages::SetAccountZoom(int index, int percent) {
    m_arrPages.SetZoom(index, percent);
    ::PostMessageW(Window(index), WM_SET_PAGE_ZOOM, static_cast<WPARAM>(percent), 0);
}

void GamePages::CloseAll() const {
    for (int i = 0; i < count(); ++i) {
        HWND page = Window(i);
        ReleasePageFrame(page, m_owner);
        ::PostMessageW(page, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
}
