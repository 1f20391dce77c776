#pragma once
// The tabs of one launcher instance as a player works them for a long time:
// logging accounts in as new tabs, clicking between them, closing them, and
// the hide and sound buttons. It keeps the tab order as the main window does
// (new tabs at the end, a closed one taken out) and waits for each action's
// visible effect, so that a step that did not happen fails where it happened.
#include <windows.h>

#include <string>
#include <vector>

#include "LauncherDriver.h"

namespace wintest {

class SoakTabs {
public:
    enum class CloseRoute { MiddleClick, CloseBox };

    explicit SoakTabs(LauncherInstance& app) : m_app(app) {}
    SoakTabs(const SoakTabs&) = delete;
    SoakTabs& operator=(const SoakTabs&) = delete;

    // Logs `account` in as a new tab (the instance's own first login while no
    // page came yet) and waits until its page is the one that shows.
    bool Open(const std::wstring& account);
    // Closes tab `index` by `route`, answers the account question Yes and
    // waits until the page's process has ended. Needs two tabs or more.
    bool Close(size_t index, CloseRoute route);
    // Clicks tab `index` and waits until its page is the only one showing.
    bool Select(size_t index);
    // The hide button twice: the window goes, then comes back.
    bool HideAndRestore();
    // The sound button, once.
    bool ToggleMute();

    size_t size() const { return m_tabs.size(); }
    size_t current() const { return m_current; }
    bool IsOpen(const std::wstring& account) const;
    // The tabs as the test sees them, for a failure message.
    std::string State() const;

private:
    struct Tab {
        DWORD pid;
        size_t child;  // its place among the instance's children
        HWND frame;
        std::wstring account;
    };
    POINT OnMain(int x, int y) const;
    bool OnlyShowing(size_t index) const;

    LauncherInstance& m_app;
    std::vector<Tab> m_tabs;
    size_t m_current = 0;
    bool m_loggedInOnce = false;
};

}  // namespace wintest
