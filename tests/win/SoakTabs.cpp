#include "SoakTabs.h"

#include <algorithm>
#include <cstdio>

namespace wintest {

namespace {
// The tab strip of the main window, in its own coordinates (it draws its own
// frame, so window and client coordinates agree).
constexpr int kTabLeft = 120;
constexpr int kTabWidth = 189;
constexpr int kTabMiddle = 50;   // a point on the caption, away from the close box
constexpr int kTabRow = 14;
constexpr int kCloseBoxLeft = 296 + 6;
constexpr int kCloseBoxRow = 9;
constexpr int kHideButton = 1001;
constexpr int kSoundButton = 1002;

constexpr DWORD kPageShowsMs = 15000;
constexpr DWORD kSwitchMs = 5000;
constexpr DWORD kPageEndsMs = 10000;
constexpr DWORD kHideMs = 3000;

bool Shown(HWND wnd) { return ::IsWindowVisible(wnd) != FALSE; }

// Which tab shows after tab `closed` of `before` went (the main window's rule).
size_t CurrentAfterClosing(size_t closed, size_t before) {
    const size_t after = before - 1;
    return closed < after ? closed : after - 1;
}
}  // namespace

bool SoakTabs::IsOpen(const std::wstring& account) const {
    return std::any_of(m_tabs.begin(), m_tabs.end(), [&](const Tab& t) { return t.account == account; });
}

std::string SoakTabs::State() const {
    std::string text = "current " + std::to_string(m_current) + ", main " + (Shown(m_app.main) ? "shown" : "hidden") +
                       (::IsWindowEnabled(m_app.main) ? "" : " disabled") + ";";
    for (size_t i = 0; i < m_tabs.size(); ++i) {
        char line[96];
        std::snprintf(line, sizeof(line), " tab %zu: pid %lu %s%s", i, m_tabs[i].pid,
                      ::IsWindow(m_tabs[i].frame) ? (Shown(m_tabs[i].frame) ? "shown" : "hidden") : "gone",
                      m_app.ChildRunning(m_tabs[i].child) ? "" : " (ended)");
        text += line;
    }
    const POINT tab = OnMain(kTabLeft + kTabMiddle, kTabRow);
    HWND under = ::WindowFromPoint(tab);
    wchar_t cls[64] = {};
    ::GetClassNameW(under, cls, 64);
    char line[160];
    std::snprintf(line, sizeof(line), "; at the first tab a %ls window%s; foreground %s", cls,
                  under == m_app.main ? " (the main window)" : "",
                  ::GetForegroundWindow() == m_app.main ? "the main window" : "another window");
    return text + line;
}

POINT SoakTabs::OnMain(int x, int y) const {
    RECT wr{};
    ::GetWindowRect(m_app.main, &wr);
    return POINT{wr.left + x, wr.top + y};
}

bool SoakTabs::OnlyShowing(size_t index) const {
    for (size_t i = 0; i < m_tabs.size(); ++i)
        if (Shown(m_tabs[i].frame) != (i == index)) return false;
    return true;
}

bool SoakTabs::Open(const std::wstring& account) {
    // The instance starts its first login by itself; later ones come from
    // the add-account prompt's "new tab".
    if (m_loggedInOnce && !AnswerAddAccount(m_app, true)) return false;
    if (!LogIn(m_app, account.c_str())) return false;
    m_loggedInOnce = true;
    if (!m_app.WaitForPages(m_tabs.size() + 1)) return false;
    const DWORD pid = m_app.children.back();
    const HWND frame = FrameOf(m_app.main, pid);
    if (!frame) return false;
    m_tabs.push_back(Tab{pid, m_app.children.size() - 1, frame, account});
    m_current = m_tabs.size() - 1;
    return WaitUntil([&] { return OnlyShowing(m_current); }, kPageShowsMs);
}

bool SoakTabs::Close(size_t index, CloseRoute route) {
    if (index >= m_tabs.size() || m_tabs.size() < 2) return false;
    const int left = kTabLeft + kTabWidth * static_cast<int>(index);
    if (route == CloseRoute::MiddleClick)
        ClickWith(OnMain(left + kTabMiddle, kTabRow), MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    else
        ClickWith(OnMain(left - kTabLeft + kCloseBoxLeft, kCloseBoxRow), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    if (!AnswerQuestion(m_app.process.pid(), m_app.main, true)) return false;
    const Tab closed = m_tabs[index];
    const size_t before = m_tabs.size();
    m_tabs.erase(m_tabs.begin() + static_cast<std::ptrdiff_t>(index));
    m_current = CurrentAfterClosing(index, before);
    return WaitUntil([&] { return !m_app.ChildRunning(closed.child); }, kPageEndsMs) &&
           m_app.WaitForPages(m_tabs.size()) && WaitUntil([&] { return OnlyShowing(m_current); }, kSwitchMs);
}

bool SoakTabs::Select(size_t index) {
    if (index >= m_tabs.size()) return false;
    ClickWith(OnMain(kTabLeft + kTabWidth * static_cast<int>(index) + kTabMiddle, kTabRow), MOUSEEVENTF_LEFTDOWN,
              MOUSEEVENTF_LEFTUP);
    m_current = index;
    return WaitUntil([&] { return OnlyShowing(index); }, kSwitchMs);
}

bool SoakTabs::HideAndRestore() {
    ::PostMessageW(m_app.main, WM_COMMAND, MAKEWPARAM(kHideButton, BN_CLICKED), 0);
    if (!WaitUntil([&] { return !Shown(m_app.main); }, kHideMs)) return false;
    ::PostMessageW(m_app.main, WM_COMMAND, MAKEWPARAM(kHideButton, BN_CLICKED), 0);
    return WaitUntil([&] { return Shown(m_app.main); }, kHideMs) &&
           WaitUntil([&] { return OnlyShowing(m_current); }, kSwitchMs);
}

bool SoakTabs::ToggleMute() {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(m_app.main, WM_COMMAND, MAKEWPARAM(kSoundButton, BN_CLICKED), 0, SMTO_ABORTIFHUNG,
                                 5000, &result) != 0;
}

}  // namespace wintest
