// The skinned toolkit in a real window system: message boxes, the skinned
// dialog base's shape, sizing and maximising on each display, progress bars,
// and GDI objects.
#include <gtest/gtest.h>

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

#include "framework/Handles.h"
#include "mainwnd/Plexor3Dlg.h"
#include "resource.h"
#include "Screenshot.h"
#include "ui/DlgEx.h"
#include "ui/ImgProgress.h"
#include "ui/LayeredPicture.h"
#include "ui/MessageBox.h"
#include "ui/SkinCatalog.h"
#include "ui/SkinImage.h"
#include "ui/SkinPixels.h"
#include "ui/StaticEx.h"
#include "ui/WindowDpi.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {

// Shows a message box on this thread while `act` deals with it from another.
// Windows with the box's title that exist already are not the box.
int RunBox(int type, const std::wstring& text, const std::function<void(HWND)>& act) {
    const DWORD pid = ::GetCurrentProcessId();
    const std::vector<HWND> before = FindWindows(pid, L"#32770", L"KorvelFerrowind");
    std::thread helper([&] {
        for (int i = 0; i < 400; ++i, ::Sleep(25)) {
            for (HWND w : FindWindows(pid, L"#32770", L"KorvelFerrowind")) {
                if (std::find(before.begin(), before.end(), w) != before.end() || !::IsWindowVisible(w)) continue;
                act(w);
                return;
            }
        }
    });
    int answer = ShowMessageBox(type, text, nullptr);
    helper.join();
    return answer;
}

void Press(HWND box, UINT id) {
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, id)));
}

// How often `window` of this thread moved or changed size while `act` ran.
HWND g_watched = nullptr;
int g_moves = 0;
LRESULT CALLBACK CountMoves(int code, WPARAM wp, LPARAM lp) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && call->hwnd == g_watched && call->message == WM_WINDOWPOSCHANGED) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(call->lParam);
        if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) ++g_moves;
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}
int MovesOf(HWND window, const std::function<void()>& act) {
    g_watched = window;
    g_moves = 0;
    fw::HookHandle hook(::SetWindowsHookExW(WH_CALLWNDPROC, &CountMoves, nullptr, ::GetCurrentThreadId()));
    act();
    return hook ? g_moves : -1;
}

RECT ClientRectOf(HWND parent, HWND child) {
    RECT rc{};
    ::GetWindowRect(child, &rc);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// Top-down pixels of a bitmap.
std::vector<uint32_t> Pixels(HBITMAP bitmap, SIZE size) {
    std::vector<uint32_t> px(static_cast<size_t>(size.cx) * size.cy);
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    fw::WindowDc screen(nullptr);
    ::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(size.cy), px.data(), &bmi, DIB_RGB_COLORS);
    return px;
}

// A small skinned window as the settings dialog and the message box have.
class SkinnedProbe : public CDlgEx {
public:
    explicit SkinnedProbe(UINT templateId = 130) : CDlgEx(templateId) {}
    bool resizable = false;
    UINT picture = 0;  // sized by this picture rather than the small dialogs' frame
    CImgProgress progress;
    // What the tests measure the window against.
    using CDlgEx::m_btnClose;
    using CDlgEx::m_nBtnRight;
    using CDlgEx::m_nBtnTop;

protected:
    void DoDataExchange() override {
        if (GetTemplateId() == 156) DDX_Control(1000, progress);
    }
    BOOL OnInitDialog() override {
        CDlgEx::OnInitDialog();
        m_nCaptionHeight = 30;
        m_nBorder = 4;
        m_nBtnRight = 0;
        m_nBtnTop = 0;
        DialogSkinIds pictureSkin;
        pictureSkin.background = picture;
        pictureSkin.resizeToImage = true;
        SetSkin(picture ? pictureSkin : SmallDialogSkin());
        SetTitle(L"KorvelFerrowind 设置");
        SetResizable(resizable);
        if (progress.m_hWnd) progress.SetImages(LoadSkinBitmap(152, 96), LoadSkinBitmap(153, 96));
        return TRUE;
    }
};

}  // namespace

TEST(SkinnedMessageBox, YesNoAnswersSixSevenAndTwoFromItsClose) {
    EXPECT_EQ(RunBox(4, L"窗口即将关闭，确定要退出游戏？", [](HWND box) {
                  CaptureWindowPng(box, L"messagebox-yesno.png");
                  Press(box, 5000);
              }),
              6);
    EXPECT_EQ(RunBox(4, L"确定要退出账号：12服-青龙-lucky ?", [](HWND box) { Press(box, 5001); }), 7);
    EXPECT_EQ(RunBox(4, L"确定？", [](HWND box) { Press(box, CDlgEx::kIdTitleClose); }), 2);
    EXPECT_EQ(RunBox(4, L"确定？", [](HWND box) { ::PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); }), 2);
}

TEST(SkinnedMessageBox, ButtonsReadTheirStyleAndTheRealMouseClicksThem) {
    wchar_t caption[64] = {};
    int answer = RunBox(4, L"同一账号不能在一服重复登录", [&](HWND box) {
        ::GetWindowTextW(box, caption, 64);
        HWND yes = ::GetDlgItem(box, 5000);
        RECT rc{};
        ::GetWindowRect(yes, &rc);
        ::Sleep(200);
        ClickAt(POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    });
    EXPECT_EQ(answer, 6);
    EXPECT_STREQ(caption, L"KorvelFerrowind");
}

TEST(SkinnedMessageBox, OkStyleHasOneCentredButton) {
    // At 96 DPI a button without a font of its own draws in the stock GUI
    // font, at any other scale in the box's font; the single button reads
    // "确定" to accessibility tools, a pair reads nothing.
    auto fontOf = [](HWND window) { return reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)); };
    auto textAndFont = [&](HWND box, std::wstring* text, bool* boxFont) {
        wchar_t buf[16] = {};
        ::GetWindowTextW(::GetDlgItem(box, 5000), buf, 16);
        *text = buf;
        *boxFont = fontOf(::GetDlgItem(box, 5000)) == (SystemScale().IsBase() ? nullptr : fontOf(box));
    };
    // Moved to a display of another scale, the box answers its size there
    // and lays itself out again at it, whatever size is suggested.
    const DpiScale other(SystemScale().IsBase() ? 144 : 96);
    SIZE asked{};
    RECT moved{}, movedButton{};
    LOGFONTW movedFont{};
    for (int type : {0, 2, 3}) {
        bool second = true, boxFont = false;
        RECT button{}, client{};
        std::wstring text;
        int answer = RunBox(type, L"缓存清除完毕！", [&](HWND box) {
            second = ::GetDlgItem(box, 5001) != nullptr;
            button = ClientRectOf(box, ::GetDlgItem(box, 5000));
            textAndFont(box, &text, &boxFont);
            ::GetClientRect(box, &client);
            if (type == 0) {
                CaptureWindowPng(box, L"messagebox-ok.png");
                ::SendMessageW(box, 0x02E4, other.dpi(), reinterpret_cast<LPARAM>(&asked));  // WM_GETDPISCALEDSIZE
                const RECT suggested{40, 40, 47 + asked.cx, 45 + asked.cy};  // in proportion, a little off
                ::SendMessageW(box, WM_DPICHANGED, MAKEWPARAM(other.dpi(), other.dpi()), reinterpret_cast<LPARAM>(&suggested));
                ::GetWindowRect(box, &moved);
                movedButton = ClientRectOf(box, ::GetDlgItem(box, 5000));
                ::GetObjectW(fontOf(::GetDlgItem(box, 5000)), sizeof(movedFont), &movedFont);
                ::Sleep(300);  // painted
                CaptureWindowPng(box, L"messagebox-ok-rescaled.png");
            }
            Press(box, 5000);
        });
        EXPECT_EQ(answer, 1);
        EXPECT_FALSE(second);
        EXPECT_EQ(button.left, (client.right - (button.right - button.left)) / 2);
        EXPECT_EQ(text, L"确定");
        EXPECT_TRUE(boxFont);
    }
    EXPECT_GT(asked.cx, 0);
    EXPECT_TRUE(moved.right - moved.left == asked.cx && moved.bottom - moved.top == asked.cy);
    EXPECT_EQ(movedButton.right - movedButton.left, SkinImageSize(IDB_PUSH_BUTTON, other.dpi()).cx / 4);
    EXPECT_EQ(movedButton.left, (asked.cx - (movedButton.right - movedButton.left)) / 2);
    EXPECT_EQ(movedFont.lfHeight, other.FontHeight(8)) << "the box's font at its new scale";
    std::wstring text = L"?";
    bool boxFont = false;
    int answer = RunBox(1, L"检测到新版本\n是否现在更新？", [&](HWND box) {
        textAndFont(box, &text, &boxFont);
        CaptureWindowPng(box, L"messagebox-okcancel.png");
        Press(box, 5001);
    });
    EXPECT_EQ(answer, 2);
    EXPECT_EQ(text, L"");
    EXPECT_TRUE(boxFont);
}

TEST(SkinnedMessageBox, EnterAndEscapeLeaveItOpen) {
    bool stillOpen = false;
    int answer = RunBox(4, L"确定？", [&](HWND box) {
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            ::PostMessageW(::GetDlgItem(box, 5000), WM_KEYDOWN, key, 1);
            ::PostMessageW(box, WM_KEYDOWN, key, 1);
        }
        ::Sleep(500);
        stillOpen = ::IsWindowVisible(box) != FALSE;
        Press(box, 5001);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(answer, 7);
}

TEST(SkinnedMessageBox, WidthFollowsTheText) {
    const std::wstring shortText = L"好";
    const std::wstring longText = L"KorvelFerrowind已成功移除，部分文件将在程序退出或计算机重启后自行删除";
    int shortWidth = 0, longWidth = 0, textWidth = 0, closeWidth = 0;
    RunBox(0, shortText, [&](HWND box) {
        RECT rc{};
        ::GetWindowRect(box, &rc);
        shortWidth = rc.right - rc.left;
        rc = ClientRectOf(box, ::GetDlgItem(box, CDlgEx::kIdTitleClose));
        closeWidth = rc.right - rc.left;
        CaptureWindowPng(box, L"messagebox-short.png");
        Press(box, 5000);
    });
    RunBox(0, longText, [&](HWND box) {
        RECT rc{};
        ::GetWindowRect(box, &rc);
        longWidth = rc.right - rc.left;
        fw::WindowDc dc(box);
        fw::SelectScope font(dc.get(), reinterpret_cast<HFONT>(::SendMessageW(box, WM_GETFONT, 0, 0)));
        RECT text{0, 0, 0, 0};
        ::DrawTextW(dc.get(), longText.c_str(), static_cast<int>(longText.size()), &text, DT_CALCRECT);
        textWidth = text.right;
        Press(box, 5000);
    });
    // Sizes at the display's scale (a box without owner opens on the
    // primary display): margins scaled, buttons as wide as their art.
    const DpiScale s = SystemScale();
    const int button = SkinImageSize(IDB_PUSH_BUTTON, s.dpi()).cx / 4;
    EXPECT_EQ(button, s.IsBase() ? 57 : s.Px(57));
    EXPECT_EQ(closeWidth, SkinImageSize(IDB_CLOSE_BUTTON, s.dpi()).cx / 4);
    EXPECT_EQ(shortWidth, 2 * button + s.Length(60));
    EXPECT_GT(textWidth, 2 * button);
    EXPECT_EQ(longWidth, textWidth + s.Length(60));
}

TEST(SkinnedDialog, RegionCutsExactlyTheMagentaCornerPixels) {
    SkinnedProbe dlg;
    ASSERT_TRUE(dlg.Create(130));
    // The frame drawn for the window's scale, and its corners at that scale.
    const DpiScale scale = ScaleOfWindow(dlg.m_hWnd);
    fw::BitmapHandle skin = LoadSkinBitmap(131, scale.dpi());
    const SIZE size = BitmapSize(skin.get());
    ASSERT_GT(size.cx, 0);
    const std::vector<uint32_t> px = Pixels(skin.get(), size);
    auto magenta = [&](int x, int y) { return (px[static_cast<size_t>(y) * size.cx + x] & 0xFFFFFF) == 0xFF00FF; };
    const int corner = scale.Px(9);
    int cut = 0;
    for (SIZE win : {SIZE{300, 180}, SIZE{517, 333}}) {
        dlg.SetWindowPos(nullptr, 50, 50, win.cx, win.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        fw::RegionHandle region(::CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(::GetWindowRgn(dlg.m_hWnd, region.get()), ERROR);
        for (int j = 0; j < corner; ++j)
            for (int i = 0; i < corner; ++i) {
                // Each corner square, bitmap pixel against window pixel.
                struct { int bx, by, wx, wy; } corners[] = {
                    {i, j, i, j},
                    {size.cx - 1 - i, j, win.cx - 1 - i, j},
                    {i, size.cy - 1 - j, i, win.cy - 1 - j},
                    {size.cx - 1 - i, size.cy - 1 - j, win.cx - 1 - i, win.cy - 1 - j},
                };
                for (auto& k : corners) {
                    const bool inside = ::PtInRegion(region.get(), k.wx, k.wy) != FALSE;
                    EXPECT_EQ(inside, !magenta(k.bx, k.by)) << k.wx << "," << k.wy;
                    cut += inside ? 0 : 1;
                }
            }
        // Away from the corners the window is whole.
        EXPECT_TRUE(::PtInRegion(region.get(), win.cx / 2, 0));
        EXPECT_TRUE(::PtInRegion(region.get(), win.cx / 2, win.cy - 1));
    }
    EXPECT_GT(cut, 0) << "the skin has rounded corners to cut";
}

TEST(SkinnedDialog, EraseBackgroundSaysWhetherTheSkinPaintedIt) {
    CDlgEx bare(130);  // no skin set
    SkinnedProbe skinned;
    ASSERT_TRUE(bare.Create(130));
    ASSERT_TRUE(skinned.Create(130));
    fw::WindowDc screen(nullptr);
    fw::MemoryDc dc(::CreateCompatibleDC(screen.get()));
    fw::BitmapHandle canvas(::CreateCompatibleBitmap(screen.get(), 600, 400));
    fw::SelectScope select(dc.get(), canvas.get());
    EXPECT_EQ(bare.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get())), FALSE);
    EXPECT_EQ(skinned.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get())), TRUE);
    bare.DestroyWindow();
    skinned.DestroyWindow();
}

TEST(SkinnedDialog, TitleButtonsKeepTheirDistanceFromTheRightEdge) {
    SkinnedProbe dlg;
    ASSERT_TRUE(dlg.Create(130));
    auto expectAtScale = [&](int width, const DpiScale& s) {
        RECT close = ClientRectOf(dlg.m_hWnd, dlg.m_btnClose.m_hWnd);
        EXPECT_EQ(close.right, width - s.Px(dlg.m_nBtnRight));
        EXPECT_EQ(close.top, s.Px(dlg.m_nBtnTop));
        // A frame of the close image drawn for that scale: 33 at 96 DPI.
        EXPECT_EQ(close.right - close.left, s.IsBase() ? 33 : SkinImageSize(132, s.dpi()).cx / 4);
    };
    const DpiScale scale = ScaleOfWindow(dlg.m_hWnd);
    for (int width : {260, 400, 640}) {
        dlg.SetWindowPos(nullptr, 40, 40, width, 200, SWP_NOZORDER | SWP_NOACTIVATE);
        expectAtScale(width, scale);
    }
    // Moved to a display of another DPI: the window takes the suggested
    // rectangle and the skin drawn for its new scale.
    for (const DpiScale& s : {DpiScale(scale.IsBase() ? 144 : 96), scale}) {
        const RECT suggested{60, 50, 60 + s.Px(400), 50 + s.Px(200)};
        dlg.SendMessage(WM_DPICHANGED, MAKEWPARAM(s.dpi(), s.dpi()), reinterpret_cast<LPARAM>(&suggested));
        const RECT wr = dlg.GetWindowRect();
        EXPECT_TRUE(::EqualRect(&wr, &suggested)) << s.dpi();
        EXPECT_EQ(dlg.scale().dpi(), s.dpi());
        expectAtScale(s.Px(400), s);
    }
    // Asked for its size at another DPI, a window sized by its picture
    // answers the picture's size there, and takes it whatever is suggested;
    // any other leaves the system to scale it in proportion.
    SkinnedProbe pictured;
    pictured.picture = IDB_NOTICE_PICTURE_ONLY;
    ASSERT_TRUE(pictured.Create(130));
    for (const DpiScale& s : {DpiScale(scale.IsBase() ? 144 : 96), scale}) {
        SIZE asked{400, 300};
        EXPECT_FALSE(dlg.SendMessage(0x02E4, s.dpi(), reinterpret_cast<LPARAM>(&asked)));  // WM_GETDPISCALEDSIZE
        const Size drawn = SkinImageSize(IDB_NOTICE_PICTURE_ONLY, s.dpi());
        EXPECT_TRUE(pictured.SendMessage(0x02E4, s.dpi(), reinterpret_cast<LPARAM>(&asked)));
        EXPECT_EQ(asked.cx, drawn.cx);
        EXPECT_EQ(asked.cy, drawn.cy);
        const RECT suggested{60, 50, 60 + s.Px(300), 50 + s.Px(300)};
        pictured.SendMessage(WM_DPICHANGED, MAKEWPARAM(s.dpi(), s.dpi()), reinterpret_cast<LPARAM>(&suggested));
        const RECT wr = pictured.GetWindowRect();
        EXPECT_TRUE(wr.left == 60 && wr.right - wr.left == drawn.cx && wr.bottom - wr.top == drawn.cy) << s.dpi();
    }
}

// The font of a skinned window (its title, the main window's tabs, the
// children that show it) is made from the template's points at the window's
// scale: after a move to another DPI as large as in a window created there.
TEST(SkinnedDialog, TextTakesTheSizeOfTheNewDisplay) {
    SkinnedProbe box;  // the message box's template: 8 points
    CPlexor3Dlg main;  // 9 points
    main.SetChildExecutable(L"Z:\\no-login-here.exe");
    ASSERT_TRUE(box.Create(130));
    ASSERT_TRUE(main.Create(IDD_PLEXOR3_DIALOG));
    auto heightOf = [](HWND window) {
        LOGFONTW lf{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
        return lf.lfHeight;
    };
    auto expectText = [&](const DpiScale& s) {
        EXPECT_EQ(heightOf(box.m_hWnd), s.FontHeight(8)) << s.dpi();
        for (HWND w : {main.m_hWnd, ::GetDlgItem(main.m_hWnd, IDC_BTN_MENU), ::GetDlgItem(main.m_hWnd, IDC_LNK_ADDACC)})
            EXPECT_EQ(heightOf(w), s.FontHeight(9)) << s.dpi();
    };
    const DpiScale created = ScaleOfWindow(main.m_hWnd);
    expectText(created);  // as the dialog manager made it
    for (const DpiScale& s : {DpiScale(created.IsBase() ? 144 : 96), created}) {
        for (HWND w : {box.m_hWnd, main.m_hWnd})
            ::SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(s.dpi(), s.dpi()), 0);
        expectText(s);
    }
    // The main window is laid out once per scale change, at the new size:
    // its title controls move once, and not first at the old width.
    for (const DpiScale& s : {DpiScale(created.IsBase() ? 144 : 96), created}) {
        const RECT suggested{30, 30, 30 + s.Px(900), 30 + s.Px(500)};
        const int moves = MovesOf(::GetDlgItem(main.m_hWnd, IDC_BTN_HIDE), [&] {
            ::SendMessageW(main.m_hWnd, WM_DPICHANGED, MAKEWPARAM(s.dpi(), s.dpi()), reinterpret_cast<LPARAM>(&suggested));
        });
        EXPECT_EQ(moves, 1) << s.dpi();
    }
    main.DestroyWindow();
}

// On each display, the last first (two side by side under
// ZUVA_TWO_DISPLAYS=1, the second larger than the first, where the window
// was made): maximised to that display's work area, and again when the
// display changes under it.
TEST(SkinnedDialog, DoubleClickOnTheTitleBandMaximisesAndRestoresAndFullScreenCoversTheDisplay) {
    const std::vector<RECT> works = DisplayWorkAreas();
    ASSERT_TRUE(works.size() >= 2 || !std::getenv("ZUVA_TWO_DISPLAYS")) << "two displays asked for, Wine reports one";
    SkinnedProbe dlg;
    dlg.resizable = true;
    ASSERT_TRUE(dlg.Create(130));
    dlg.ShowWindow(SW_SHOW);
    auto expectAt = [&](const RECT& r, const char* what) {
        const RECT wr = dlg.GetWindowRect();
        EXPECT_TRUE(::EqualRect(&wr, &r)) << what << ": " << wr.left << "," << wr.top << "," << wr.right << ","
                                          << wr.bottom;
    };
    const int dpi = dlg.scale().dpi();
    for (auto work = works.rbegin(); work != works.rend(); ++work) {
        // The other display (on one: the same, changed under the window).
        const RECT& other = works[static_cast<size_t>(works.rend() - work) % works.size()];
        dlg.SetWindowPos(nullptr, work->left + 70, work->top + 90, 360, 220, SWP_NOZORDER);
        PumpFor(200);

        // The press of the first click records where the window stands: that
        // is where the restore goes back to.
        RECT wr = dlg.GetWindowRect();
        const RECT before = wr;
        ClickAt(POINT{wr.left + 40, wr.top + 12}, 2);
        PumpFor(400);
        EXPECT_TRUE(dlg.IsMaximized());
        expectAt(*work, "maximised");
        // The system moves it (a display unplugged, a new resolution): it
        // fills the work area it is then on, and at a new scale the work area
        // of the display it is sent to.
        dlg.SetWindowPos(nullptr, other.left + 30, other.top + 20, 400, 300, SWP_NOZORDER);
        dlg.SendMessage(WM_DISPLAYCHANGE, 32, 0);
        expectAt(other, "after a display change");
        // In full screen too, which it then leaves for the work area it is on.
        dlg.EnterFullScreen();
        dlg.SetWindowPos(nullptr, work->left + 40, work->top + 30, 400, 300, SWP_NOZORDER);
        dlg.SendMessage(WM_DISPLAYCHANGE, 32, 0);
        dlg.LeaveFullScreen();
        expectAt(*work, "out of full screen after a display change");
        const RECT suggested{work->left + 10, work->top + 10, work->left + 500, work->top + 400};
        dlg.SendMessage(WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        expectAt(*work, "after a scale change");
        wr = dlg.GetWindowRect();

        ClickAt(POINT{wr.left + 40, wr.top + 12}, 2);
        PumpFor(400);
        EXPECT_FALSE(dlg.IsMaximized());
        expectAt(before, "restored");

        // Full screen covers that whole display, uncut, and ignores a double
        // click on the title band; leaving it puts the window back.
        MONITORINFO display{sizeof(MONITORINFO), {}, {}, 0};
        ::GetMonitorInfoW(::MonitorFromRect(&*work, MONITOR_DEFAULTTONEAREST), &display);
        dlg.EnterFullScreen();
        ClickAt(POINT{display.rcMonitor.left + 40, display.rcMonitor.top + 12}, 2);
        PumpFor(400);
        expectAt(display.rcMonitor, "full screen");
        dlg.SetWindowPos(nullptr, other.left + 30, other.top + 20, 400, 300, SWP_NOZORDER);
        dlg.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
        MONITORINFO otherDisplay{sizeof(MONITORINFO), {}, {}, 0};
        ::GetMonitorInfoW(::MonitorFromRect(&other, MONITOR_DEFAULTTONEAREST), &otherDisplay);
        expectAt(otherDisplay.rcMonitor, "full screen after a work-area change");
        fw::RegionHandle region(::CreateRectRgn(0, 0, 0, 0));
        EXPECT_EQ(::GetWindowRgn(dlg.m_hWnd, region.get()), ERROR) << "no region";
        EXPECT_FALSE(::IsWindowVisible(dlg.m_btnClose.m_hWnd));
        dlg.LeaveFullScreen();
        expectAt(before, "left full screen");
        EXPECT_NE(::GetWindowRgn(dlg.m_hWnd, region.get()), ERROR) << "the corners cut again";
    }
}

TEST(ProgressBar, FillsFromNothingToTheWholeImage) {
    SkinnedProbe dlg(156);
    ASSERT_TRUE(dlg.Create(156));
    dlg.SetWindowPos(nullptr, 60, 60, 422, 116, SWP_NOZORDER | SWP_NOACTIVATE);
    dlg.ShowWindow(SW_SHOW);
    ASSERT_NE(dlg.progress.m_hWnd, nullptr);
    RECT bar = dlg.progress.GetWindowRect();
    EXPECT_EQ(bar.right - bar.left, 390);
    EXPECT_EQ(bar.bottom - bar.top, 21);
    for (int pos : {0, 50, 100}) {
        dlg.progress.SendMessage(PBM_SETPOS, pos);
        dlg.progress.Invalidate(FALSE);
        ::RedrawWindow(dlg.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpFor(100);
        EXPECT_TRUE(CaptureWindowPng(dlg.m_hWnd, L"progress-" + std::to_wstring(pos) + L".png"));
    }
}

TEST(GdiObjects, RepaintsAndMessageBoxesLeaveNothingBehind) {
    CPlexor3Dlg main;
    main.SetChildExecutable(L"Z:\\no-login-here.exe");  // no login child of the test executable
    ASSERT_TRUE(main.Create(IDD_PLEXOR3_DIALOG));
    main.SetWindowPos(nullptr, 0, 0, 1024, 640, SWP_NOZORDER | SWP_NOACTIVATE);
    auto repaint = [&](int times) {
        for (int i = 0; i < times; ++i)
            ::RedrawWindow(main.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    auto boxes = [&](int times) {
        for (int i = 0; i < times; ++i) RunBox(4, L"确定？", [](HWND box) { Press(box, 5000); });
    };
    repaint(5);  // first paints create what lives for the process (fonts, caches)
    boxes(2);
    const int before = GdiObjectCount();
    repaint(1000);
    boxes(100);
    PumpFor(100);
    EXPECT_EQ(GdiObjectCount(), before);
    main.DestroyWindow();
}

namespace {
// A label of our own on a skinned probe window.
struct LabelOnProbe {
    SkinnedProbe dlg;
    CStaticEx label;
    bool Create(const wchar_t* text, int width, int height) {
        if (!dlg.Create(130)) return false;
        dlg.SetWindowPos(nullptr, 80, 80, 320, 240, SWP_NOZORDER | SWP_NOACTIVATE);
        dlg.ShowWindow(SW_SHOW);
        HWND hwnd = ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE, 20, 40, width, height,
                                      dlg.m_hWnd, reinterpret_cast<HMENU>(1023), ::GetModuleHandleW(nullptr), nullptr);
        if (!hwnd || !label.SubclassWindow(hwnd)) return false;
        label.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(dlg.GetFont()), FALSE);
        return true;
    }
    int Height() {
        ::RedrawWindow(label.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpFor(50);
        RECT rc = label.GetWindowRect();
        return rc.bottom - rc.top;
    }
};
}  // namespace

TEST(Label, LongChineseTextBreaksAnywhereAndTheLabelGrows) {
    LabelOnProbe probe;
    ASSERT_TRUE(probe.Create(L"在当前窗口新增标签页？点击是，在当前窗口登录，点击否，在新窗口中登录。", 100, 14));
    const int grown = probe.Height();
    EXPECT_GT(grown, 3 * 14) << "several lines";
    EXPECT_EQ(probe.Height(), grown) << "it grows once, then stays";
    CaptureWindowPng(probe.dlg.m_hWnd, L"label-wrapped.png");
}

TEST(Label, NarrowerThanOneCharacterDrawsNothingAndKeepsItsSize) {
    LabelOnProbe probe;
    ASSERT_TRUE(probe.Create(L"在当前窗口新增标签页", 4, 14));
    EXPECT_EQ(probe.Height(), 14);
}

namespace {
// A skinned probe with one push button of our own, counting its clicks.
class ButtonProbe : public SkinnedProbe {
public:
    CBtnEx button;
    int clicks = 0;

protected:
    BOOL OnInitDialog() override {
        SkinnedProbe::OnInitDialog();
        fw::BitmapHandle strip = LoadSkinBitmap(133, 96);
        if (button.CreateEx(0, L"BUTTON", L"确定", WS_CHILD | WS_VISIBLE, RECT{40, 60, 97, 83}, m_hWnd, 5000)) {
            button.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()), FALSE);
            button.SetImage(strip.get(), true);
        }
        return TRUE;
    }
    bool OnCommand(UINT id, UINT code, HWND ctl) override {
        if (id == 5000 && code == BN_CLICKED) {
            ++clicks;
            return true;
        }
        return SkinnedProbe::OnCommand(id, code, ctl);
    }
};

COLORREF ScreenPixel(int x, int y) {
    fw::WindowDc screen(nullptr);
    return ::GetPixel(screen.get(), x, y);
}

// Which frame of the strip the button shows, told by a pixel left of its caption.
int ShownFrame(const CBtnEx& button, const std::vector<uint32_t>& strip, int stripWidth) {
    PumpFor(120);
    RECT rc = button.GetWindowRect();
    const COLORREF shown = ScreenPixel(rc.left + 4, rc.top + 11);
    for (int frame = 0; frame < 4; ++frame) {
        const uint32_t px = strip[static_cast<size_t>(11) * stripWidth + frame * (stripWidth / 4) + 4];
        if (RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF) == shown) return frame;
    }
    return -1;
}

void MouseButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input, sizeof(input));
}
}  // namespace

TEST(ImageButton, FramesFollowTheRealMouse) {
    fw::BitmapHandle strip = LoadSkinBitmap(133, 96);
    const SIZE size = BitmapSize(strip.get());
    const std::vector<uint32_t> px = Pixels(strip.get(), size);

    ButtonProbe dlg;
    ASSERT_TRUE(dlg.Create(130));
    dlg.SetWindowPos(nullptr, 100, 100, 300, 160, SWP_NOZORDER);
    dlg.ShowWindow(SW_SHOW);
    PumpFor(150);
    RECT rc = dlg.button.GetWindowRect();
    const POINT over{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    const POINT off{rc.right + 60, rc.bottom + 30};

    ::SetCursorPos(off.x, off.y);
    EXPECT_EQ(ShownFrame(dlg.button, px, size.cx), 0);
    ::SetCursorPos(over.x, over.y);
    ::SetCursorPos(over.x + 1, over.y);  // a move inside starts the hover tracking
    EXPECT_EQ(ShownFrame(dlg.button, px, size.cx), 1) << "hover";

    MouseButton(true);
    EXPECT_EQ(ShownFrame(dlg.button, px, size.cx), 2) << "pressed";
    ::SetCursorPos(off.x, off.y);
    EXPECT_EQ(ShownFrame(dlg.button, px, size.cx), 2) << "pressed stays while the button is held";
    MouseButton(false);
    EXPECT_EQ(ShownFrame(dlg.button, px, size.cx), 0);
    EXPECT_EQ(dlg.clicks, 0) << "released outside: no click";

    // Far enough from the last press not to make a double click.
    ::Sleep(::GetDoubleClickTime() + 100);
    ::SetCursorPos(over.x, over.y);
    MouseButton(true);
    MouseButton(false);
    PumpFor(100);
    EXPECT_EQ(dlg.clicks, 1);

    dlg.button.ShowWindow(SW_HIDE);
    ::EnableWindow(dlg.button.m_hWnd, FALSE);
    dlg.button.ShowWindow(SW_SHOW);
    EXPECT_EQ(ShownFrame(dlg.button, px, size.cx), 3) << "disabled, even under the mouse";
    CaptureWindowPng(dlg.m_hWnd, L"button-disabled.png");
}

TEST(ImageButton, AButtonOfAnotherSizeShowsItsFrameStretched) {
    ButtonProbe dlg;
    ASSERT_TRUE(dlg.Create(130));
    dlg.SetWindowPos(nullptr, 100, 100, 300, 160, SWP_NOZORDER);
    dlg.button.SetWindowPos(nullptr, 40, 60, 114, 46, SWP_NOZORDER);  // twice the frame
    dlg.ShowWindow(SW_SHOW);
    PumpFor(150);
    RECT rc = dlg.button.GetWindowRect();
    // The rounded corner stays see-through (the dialog body shows), the
    // middle of the left edge is the button's border.
    const COLORREF body = ScreenPixel(rc.left - 3, rc.top + 20);
    EXPECT_EQ(ScreenPixel(rc.left, rc.top), body);
    EXPECT_NE(ScreenPixel(rc.left + 1, rc.top + 23), body);
    CaptureWindowPng(dlg.m_hWnd, L"button-stretched.png");
}

TEST(PictureFile, LoadsOntoWhiteOrGivesNothing) {
    int width = -1, height = -1;
    const std::string src = ZUVA_SOURCE_DIR;
    std::wstring path = L"Z:";
    for (char c : src) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    fw::BitmapHandle picture = LoadPictureFile(path + L"\\res\\skin\\143.png", &width, &height, DpiScale());
    ASSERT_TRUE(picture);
    EXPECT_EQ(width, 250);
    EXPECT_EQ(height, 191);
    const std::vector<uint32_t> px = Pixels(picture.get(), SIZE{width, height});
    EXPECT_EQ(px[0] & 0xFFFFFF, 0xFFFFFFu) << "a transparent corner ends up white";

    fw::BitmapHandle none = LoadPictureFile(path + L"\\no-such-picture.jpg", &width, &height, DpiScale());
    EXPECT_FALSE(none);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
}

// The build packs every set of the skin into resources, which the windows
// draw instead of the PNGs; each image of each set must be exactly its PNG
// as the launcher itself would key it (the PNGs are this executable's "PNG"
// resources at the packed ids). Between the sets' DPIs an image is its
// nearest set's, scaled to exactly the size the windows expect.
TEST(SkinImages, EverySetsPackedImagesAreThePngsKeyed) {
    fw::GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.ok());
    HMODULE module = ::GetModuleHandleW(nullptr);
    int compared = 0;
    for (int dpi : {96, 144, 192}) {
        const unsigned offset = SkinSetFor(dpi).idOffset;
        for (UINT id = IDB_DIALOG_FRAME; id <= IDB_TAB_MUTED; ++id) {
            if (!FindSkinImage(id)) continue;
            SCOPED_TRACE(id + offset);
            fw::ComPtr<IStream> stream = ResourceStream(module, id + offset, L"PNG");
            ASSERT_TRUE(stream) << "no PNG to compare with";
            Gdiplus::Bitmap image(stream.get());
            const SIZE size{static_cast<LONG>(image.GetWidth()), static_cast<LONG>(image.GetHeight())};
            Gdiplus::Rect all(0, 0, size.cx, size.cy);
            Gdiplus::BitmapData data{};
            ASSERT_EQ(image.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data), Gdiplus::Ok);
            std::vector<uint32_t> expected(static_cast<size_t>(size.cx) * size.cy);
            FlattenToMaskedRows(static_cast<const uint8_t*>(data.Scan0), size.cx, size.cy, data.Stride, kMaskColour,
                                reinterpret_cast<uint8_t*>(expected.data()));
            image.UnlockBits(&data);
            std::reverse(expected.begin(), expected.end());  // bottom-up rows, read back top-down below
            for (int y = 0; y < size.cy; ++y)
                std::reverse(expected.begin() + y * size.cx, expected.begin() + (y + 1) * size.cx);

            fw::BitmapHandle drawn = LoadSkinBitmap(id, dpi);
            ASSERT_EQ(BitmapSize(drawn.get()).cx, size.cx);
            ASSERT_EQ(BitmapSize(drawn.get()).cy, size.cy);
            std::vector<uint32_t> got = Pixels(drawn.get(), size);
            for (uint32_t& p : got) p &= 0xFFFFFF;
            EXPECT_TRUE(got == expected) << "pixels differ";
            ++compared;

            const SIZE between = BitmapSize(LoadSkinBitmap(id, 120).get());
            EXPECT_EQ(between.cx, SkinImageSize(id, 120).cx);
            EXPECT_EQ(between.cy, SkinImageSize(id, 120).cy);
        }
    }
    EXPECT_EQ(compared, 3 * 25);
    EXPECT_FALSE(LoadSkinBitmap(IDB_LOGIN_BACKGROUND, 96)) << "the layered picture is no keyed bitmap";
}

// The login background comes from the build premultiplied and packed; it
// must be the PNG as GDI+ draws it onto a premultiplied canvas, give or
// take GDI+'s rounding.
TEST(SkinImages, TheLoginPictureIsThePngPremultiplied) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    fw::GdiplusSession gdiplus;
    for (int dpi : {96, 144, 192}) {
        SCOPED_TRACE(dpi);
        SIZE size{};
        fw::BitmapHandle prepared = LoadLayeredPicture(module, IDB_LOGIN_BACKGROUND, dpi, &size);
        ASSERT_TRUE(prepared);
        ASSERT_EQ(size.cx, SkinImageSize(IDB_LOGIN_BACKGROUND, dpi).cx);
        ASSERT_EQ(size.cy, SkinImageSize(IDB_LOGIN_BACKGROUND, dpi).cy);
        DIBSECTION dib{};
        ASSERT_EQ(::GetObjectW(prepared.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
        const auto* got = static_cast<const uint8_t*>(dib.dsBm.bmBits);

        fw::ComPtr<IStream> stream = ResourceStream(module, IDB_LOGIN_BACKGROUND + SkinSetFor(dpi).idOffset, L"PNG");
        ASSERT_TRUE(stream);
        Gdiplus::Image picture(stream.get());
        std::vector<uint8_t> expected(static_cast<size_t>(size.cx) * size.cy * 4);
        {
            Gdiplus::Bitmap canvas(size.cx, size.cy, size.cx * 4, PixelFormat32bppPARGB, expected.data());
            Gdiplus::Graphics graphics(&canvas);
            graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
            graphics.DrawImage(&picture, 0, 0, size.cx, size.cy);
        }
        size_t off = 0;
        for (size_t i = 0; i < expected.size(); ++i) off += std::abs(int(expected[i]) - int(got[i])) > 1;
        EXPECT_EQ(off, 0u) << "bytes further than GDI+'s rounding from the PNG";
    }
    SIZE between{};
    EXPECT_TRUE(LoadLayeredPicture(module, IDB_LOGIN_BACKGROUND, 120, &between));
    EXPECT_EQ(between.cx, 960);
    EXPECT_EQ(between.cy, 655);
}
