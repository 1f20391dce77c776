// The launcher's web dialog on the scripted engine (and hosting the
// platform's control): "app:" addresses never leave it, errors show no error
// page, page buttons follow the real mouse, the page background drags it.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "PortalClient.h"
#include "WinTestSupport.h"
#include "engine/PageDpi.h"
#include "engine/scripted/PageLook.h"
#include "login/DHtmDlgEx.h"
#include "resource.h"
#include "ui/WindowDpi.h"

using namespace wintest;

namespace {
const char kButtonsPage[] =
    "title 按钮\n"
    "background #ffffff\n"
    "element b1 div x=40 y=40 w=100 h=40 class=button text=开始\n"
    "element b2 div x=200 y=40 w=100 h=40 class=button disabled text=关闭\n"
    "element two div x=40 y=120 w=100 h=40 class=\"button big\" text=二\n"
    "element go a x=40 y=200 w=100 h=30 href=app://loadgame?x|y text=go\n";

// A page button far from the page's corner, where device and CSS pixels
// part most at a display scale, leading to another page.
const char kFarButtonPage[] =
    "title far\n"
    "background #ffffff\n"
    "element far a x=300 y=200 w=100 h=40 class=button href=/plain.page text=远\n";

struct ServedPage {
    ServedPage(const std::wstring& name, const std::string& text) : path(PortalRoot() + L"\\" + name) {
        std::ofstream(path.c_str(), std::ios::binary) << text;
    }
    ~ServedPage() { ::DeleteFileW(path.c_str()); }
    std::wstring path;
};

// A web dialog that keeps a record of what reached it.
class ProbeWebDialog : public CDHtmDlgEx {
public:
    ProbeWebDialog() : CDHtmDlgEx(IDD_LOGIN_PAGE, 0, nullptr) {}
    std::vector<std::wstring> completed;
    std::vector<long> errors;
    std::vector<bool> errorsCancelled;
    bool useIe = false;

    PageEngine* Engine() const { return m_browser.get(); }
    DWORD HostFlags() { DWORD f = 0; GetHostInfo(&f); return f; }

protected:
    std::unique_ptr<PageEngine> CreateControlSite(HWND parent, const RECT& area) override {
        return useIe ? CreateIePageEngine(m_site, parent, area) : CDHtmDlgEx::CreateControlSite(parent, area);
    }
    void OnNavigateComplete(const std::wstring& url) override {
        CDHtmDlgEx::OnNavigateComplete(url);
        completed.push_back(url);
    }
    void OnNavigateError(const std::wstring& url, long status, bool* cancel) override {
        CDHtmDlgEx::OnNavigateError(url, status, cancel);
        errors.push_back(status);
        errorsCancelled.push_back(*cancel);
    }
};

struct OpenDialog {
    explicit OpenDialog(bool ie = false) {
        ::OleInitialize(nullptr);
        dlg.useIe = ie;
        created = dlg.Create(IDD_LOGIN_PAGE);
        if (created) {
            dlg.SetWindowPos(nullptr, 100, 100, 640, 400, SWP_NOZORDER);
            dlg.ShowWindow(SW_SHOW);
        }
    }
    ~OpenDialog() {
        dlg.DestroyWindow();
        ::OleUninitialize();
    }
    bool WaitForCompletions(size_t n, DWORD ms = 10000) {
        for (DWORD t = 0; t < ms && dlg.completed.size() < n; t += 50) PumpFor(50);
        return dlg.completed.size() >= n;
    }
    POINT Screen(int x, int y) const {
        POINT p{x, y};
        ::ClientToScreen(dlg.Engine()->Window(), &p);
        return p;
    }
    COLORREF Pixel(int x, int y) const {
        const POINT p = Screen(x, y);
        fw::WindowDc screen(nullptr);
        return ::GetPixel(screen.get(), p.x, p.y);
    }
    ProbeWebDialog dlg;
    bool created = false;
};

COLORREF Rgb(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

void MouseButton(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    ::SendInput(1, &input, sizeof(input));
    PumpFor(150);
}
}  // namespace

TEST(WebDialog, AppAddressesNeverCompleteOthersDo) {
    PortalSession portal;
    ServedPage page(L"plain.page", "title plain\n");
    OpenDialog o;
    ASSERT_TRUE(o.created);
    EXPECT_EQ(o.dlg.HostFlags(), 0xDu) << "dialog mode, no border, no scroll bars";

    o.dlg.Navigate(L"app://loadgame?S12|http://x/");
    PumpFor(600);
    EXPECT_TRUE(o.dlg.completed.empty()) << "an app: address never completes";

    // Letter case counts: "APP:" is an ordinary address (here one that fails).
    o.dlg.Navigate(L"APP://loadgame?x");
    PumpFor(600);
    EXPECT_TRUE(o.dlg.completed.empty());
    EXPECT_FALSE(o.dlg.errors.empty()) << "APP: went ahead and failed on its own";
    const size_t failures = o.dlg.errors.size();
    o.dlg.Navigate(L"ap");
    PumpFor(600);
    EXPECT_EQ(o.dlg.errors.size(), failures + 1) << "shorter than four characters: not cancelled";

    o.dlg.Navigate(PortalUrl(L"/plain.page"));
    ASSERT_TRUE(o.WaitForCompletions(1));
    EXPECT_EQ(o.dlg.completed.back(), PortalUrl(L"/plain.page"));
}

TEST(WebDialog, ErrorsAreCancelledAndShowNoErrorPage) {
    PortalSession portal;
    PortalAnswer(L"/missing.page", L"status=404&body=nothing");
    OpenDialog o;
    ASSERT_TRUE(o.created);
    o.dlg.Navigate(PortalUrl(L"/missing.page"));
    for (int i = 0; i < 100 && o.dlg.errors.empty(); ++i) PumpFor(50);
    ASSERT_EQ(o.dlg.errors.size(), 1u);
    EXPECT_EQ(o.dlg.errors[0], 404);
    EXPECT_TRUE(o.dlg.errorsCancelled[0]);
    PumpFor(500);
    EXPECT_TRUE(o.dlg.completed.empty()) << "no error page completes";
    EXPECT_EQ(o.dlg.Engine()->CurrentUrl(), L"") << "nothing was shown before, nothing is now";
}

TEST(WebDialog, PageButtonsFollowTheRealMouse) {
    PortalSession portal;
    ServedPage page(L"buttons.page", kButtonsPage);
    OpenDialog o;
    ASSERT_TRUE(o.created);
    o.dlg.Navigate(PortalUrl(L"/buttons.page"));
    ASSERT_TRUE(o.WaitForCompletions(1));
    PumpFor(200);
    const COLORREF frame0 = Rgb(scripted::FrameFill(0));
    const COLORREF frame1 = Rgb(scripted::FrameFill(1));
    const COLORREF frame2 = Rgb(scripted::FrameFill(2));

    const POINT b1 = o.Screen(90, 60);
    ::SetCursorPos(b1.x, b1.y);
    ::SetCursorPos(b1.x + 1, b1.y);
    PumpFor(200);
    EXPECT_EQ(o.Pixel(44, 44), frame1) << "hover";
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(o.Pixel(44, 44), frame2) << "pressed";
    EXPECT_EQ(::GetCapture(), o.dlg.m_hWnd) << "the dialog holds the mouse";

    const POINT away = o.Screen(400, 300);
    ::SetCursorPos(away.x, away.y);
    PumpFor(150);
    EXPECT_EQ(o.Pixel(44, 44), frame2) << "still pressed while held";
    MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(o.Pixel(44, 44), frame0) << "released outside: normal, no click";
    EXPECT_EQ(::GetCapture(), nullptr);

    // A disabled button never shows hover or pressed.
    const POINT b2 = o.Screen(250, 60);
    ::SetCursorPos(b2.x, b2.y);
    ::SetCursorPos(b2.x + 1, b2.y);
    PumpFor(150);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(::GetCapture(), nullptr) << "no capture for a disabled button";
    MouseButton(MOUSEEVENTF_LEFTUP);
    // "button big" is no page button.
    const POINT two = o.Screen(90, 140);
    ::SetCursorPos(two.x, two.y);
    ::SetCursorPos(two.x + 1, two.y);
    PumpFor(150);
    EXPECT_NE(o.Pixel(44, 124), frame1);
}

// At any scale a page button clicks on its device pixels and not just
// beside them, and each new document shows at the window's scale.
TEST(WebDialog, PagesFollowTheScaleAndButtonsClickWhereTheyAreShown) {
    PortalSession portal;
    ServedPage farPage(L"far.page", kFarButtonPage);
    ServedPage plainPage(L"plain.page", "title plain\n");
    OpenDialog o;
    ASSERT_TRUE(o.created);
    o.dlg.Navigate(PortalUrl(L"/far.page"));
    ASSERT_TRUE(o.WaitForCompletions(1));
    const DpiScale scale = ScaleOfWindow(o.dlg.m_hWnd);
    ASSERT_EQ(o.dlg.Engine()->ZoomPercent(), PageZoomPercent(scale));
    const Rect button = DeviceRectOfCss(Rect{300, 200, 400, 240}, PageZoomPercent(scale));
    const int y = (button.top + button.bottom) / 2;
    auto pressAndReleaseAt = [&](int releaseX) {
        for (const POINT at : {o.Screen(button.left + 2, y), o.Screen(button.left + 3, y)}) ::SetCursorPos(at.x, at.y);
        PumpFor(150);
        MouseButton(MOUSEEVENTF_LEFTDOWN);
        const POINT up = o.Screen(releaseX, y);
        ::SetCursorPos(up.x, up.y);
        MouseButton(MOUSEEVENTF_LEFTUP);
        PumpFor(500);
    };
    pressAndReleaseAt(button.right);
    EXPECT_EQ(o.dlg.completed.size(), 1u) << "released beside the button: no click";
    pressAndReleaseAt((button.left + button.right) / 2);
    ASSERT_TRUE(o.WaitForCompletions(2)) << "released on it: a click";

    const DpiScale other(scale.IsBase() ? 144 : 96);
    o.dlg.ZoomPage(other.dpi());
    o.dlg.Navigate(PortalUrl(L"/far.page"));
    ASSERT_TRUE(o.WaitForCompletions(3));
    EXPECT_EQ(o.dlg.Engine()->ZoomPercent(), PageZoomPercent(other)) << "not the browser's default zoom";
}

TEST(WebDialog, APressOnThePageBackgroundMovesTheDialog) {
    PortalSession portal;
    ServedPage page(L"drag.page", "title drag\nbackground #ffffff\n");
    OpenDialog o;
    ASSERT_TRUE(o.created);
    o.dlg.Navigate(PortalUrl(L"/drag.page"));
    ASSERT_TRUE(o.WaitForCompletions(1));
    PumpFor(200);
    const RECT before = o.dlg.GetWindowRect();
    const POINT start = o.Screen(300, 300);
    ::SetCursorPos(start.x, start.y);
    PumpFor(100);
    INPUT down{};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &down, sizeof(down));
    // The move loop runs inside the page's mouse-down: move and release from
    // a timer while it runs.
    struct Mover {
        static void CALLBACK Step(HWND, UINT, UINT_PTR id, DWORD) {
            static int n = 0;
            POINT p{};
            ::GetCursorPos(&p);
            if (++n < 6) {
                ::SetCursorPos(p.x + 10, p.y + 5);
            } else {
                INPUT up{};
                up.type = INPUT_MOUSE;
                up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
                ::SendInput(1, &up, sizeof(up));
                ::KillTimer(nullptr, id);
                n = 0;
            }
        }
    };
    ::SetTimer(nullptr, 0, 60, &Mover::Step);
    PumpFor(1200);
    const RECT after = o.dlg.GetWindowRect();
    EXPECT_NE(after.left, before.left) << "dragged from the page";
    EXPECT_EQ(after.right - after.left, before.right - before.left);
}

TEST(WebDialog, HostsThePlatformsBrowserControl) {
    PortalSession portal;
    OpenDialog o(true);
    ASSERT_TRUE(o.created);
    ASSERT_NE(o.dlg.Engine(), nullptr) << "the control is created and hosted";
    EXPECT_TRUE(::IsChild(o.dlg.m_hWnd, o.dlg.Engine()->Window()));
    o.dlg.Navigate(L"app://loadgame?x|y");
    PumpFor(800);
    EXPECT_TRUE(o.dlg.completed.empty()) << "an app: address is cancelled before it goes anywhere";
    EXPECT_TRUE(o.dlg.errors.empty()) << "cancelled, so not even an error";
}
