// The login road as a player walks it, with real processes: a shortcut start
// shows the login, an account is chosen, the game window attaches as a tab.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "LauncherDriver.h"
#include "PortalClient.h"
#include "Screenshot.h"
#include "WinTestSupport.h"
#include "mainwnd/WindowMessages.h"

using namespace wintest;

namespace {
const wchar_t kDialogClass[] = L"#32770";
const wchar_t kTitle[] = L"KorvelFerrowind";

// A launcher instance started from its shortcut, with its main window.
struct Instance {
    Instance() : process(ScriptedExe(), L"/ZuvaD") {
        if (process.started()) main = WaitForWindow(process.pid(), kDialogClass, kTitle, 15000);
    }
    ~Instance() {
        if (main && ::IsWindow(main)) ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        process.WaitForExit(5000);
        for (DWORD child : children) {
            fw::KernelHandle h(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, child));
            if (h && ::WaitForSingleObject(h.get(), 3000) == WAIT_TIMEOUT) ::TerminateProcess(h.get(), 1);
        }
    }
    // The newest child at its login page.
    HWND NextLogin() {
        HWND login = nullptr;
        WaitUntil(
            [&] {
                for (DWORD child : ChildProcesses(process.pid())) {
                    if (std::find(children.begin(), children.end(), child) != children.end()) continue;
                    if ((login = WaitForLoginPage(child, 50))) {
                        children.push_back(child);
                        return true;
                    }
                }
                return false;
            },
            20000);
        return login;
    }
    size_t Pages() const { return PageFrames(main).size(); }
    bool WaitForPages(size_t n) {
        return WaitUntil([&] { return Pages() == n; }, 20000);
    }

    LauncherProcess process;
    HWND main = nullptr;
    std::vector<DWORD> children;
};

bool TrayIconExists(HWND main) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = main;
    nid.uID = 1;
    nid.uFlags = NIF_TIP;
    wcscpy_s(nid.szTip, L"KorvelFerrowind");
    return ::Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}
}  // namespace

TEST(LoginRoad, FirstLoginAttachesAGameTab) {
    PortalSession portal;
    Instance app;
    ASSERT_NE(app.main, nullptr);
    HWND login = app.NextLogin();
    ASSERT_NE(login, nullptr) << "the child shows its login page";
    CaptureWindowPng(::GetDesktopWindow(), L"road-login.png");
    EXPECT_FALSE(TrayIconExists(app.main)) << "no tray icon before the first page";

    ASSERT_TRUE(SendPageCommand(login, L"click lucky12"));
    const bool attached = app.WaitForPages(1);
    if (!attached) CaptureWindowPng(::GetDesktopWindow(), L"road-failed.png");
    ASSERT_TRUE(attached) << "the game frame attaches";
    HWND frame = PageFrames(app.main)[0];

    // The main window fills the work area; the frame sits on its page area.
    RECT work{}, wr{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(app.main, &wr);
    EXPECT_TRUE(::EqualRect(&work, &wr));
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(frame) != FALSE; }, 15000)) << "shown once loaded";
    RECT fr{};
    ::GetWindowRect(frame, &fr);
    EXPECT_EQ(fr.left, wr.left + 4);
    EXPECT_EQ(fr.top, wr.top + 30);
    EXPECT_EQ(fr.right, wr.right - 4);
    EXPECT_EQ(fr.bottom, wr.bottom - 4);

    EXPECT_FALSE(RegisterCaption(app.main, L"12服-青龙-lucky")) << "the caption is held";
    EXPECT_TRUE(TrayIconExists(app.main));
    ::Sleep(2500);
    EXPECT_TRUE(CaptureWindowPng(app.main, L"road-one-tab.png"));
    ::Sleep(3000);
}
