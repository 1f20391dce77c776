// Screenshots of a game page, by the screenshot key and by its tab's menu:
// the page draws itself into a PNG in Pictures; a save that fails leaves none.
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <set>

#include "FolderLink.h"
#include "gamewnd/PageShot.h"
#include "LauncherDriver.h"
#include "mainwnd/MainWindowMessages.h"
#include "PortalClient.h"
#include "Screenshot.h"
#include "ui/OwnerPageArea.h"
#include "ui/WindowDpi.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
const std::wstring kShellKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

// Pictures, for the test a folder of its own (Wine's is a link to the home
// folder, which every build folder shares), so named while the test runs.
struct TestPictures {
    TestPictures() {
        ::CreateDirectoryW(root.c_str(), nullptr);
        ::RegSetKeyValueW(HKEY_CURRENT_USER, (kShellKey + L"User Shell Folders").c_str(), L"My Pictures", REG_SZ,
                          root.c_str(), static_cast<DWORD>((root.size() + 1) * sizeof(wchar_t)));
    }
    ~TestPictures() {
        for (const std::wstring& name : seen) ::DeleteFileW((shots + L"\\" + name).c_str());
        ::RemoveDirectoryW(shots.c_str());
        ::RemoveDirectoryW(root.c_str());
    }
    // The screenshot that comes next, once it is there.
    std::wstring NextShot() {
        std::wstring found;
        WaitUntil([&] {
            WIN32_FIND_DATAW f{};
            fw::FindFileHandle find(::FindFirstFileW((shots + L"\\*.png").c_str(), &f));
            for (bool more = static_cast<bool>(find); more && found.empty(); more = ::FindNextFileW(find.get(), &f))
                if (seen.insert(f.cFileName).second) found = f.cFileName;
            return !found.empty();
        }, 10000);
        // Whole once its writer has let go: the file is made before it is written.
        WaitUntil([&] {
            return !found.empty() && fw::FileHandle(::CreateFileW((shots + L"\\" + found).c_str(), GENERIC_READ, 0,
                                                                  nullptr, OPEN_EXISTING, 0, nullptr));
        }, 5000);
        return found;
    }
    RegistryValueBackup user{HKEY_CURRENT_USER, kShellKey + L"User Shell Folders", L"My Pictures"};
    RegistryValueBackup shell{HKEY_CURRENT_USER, kShellKey + L"Shell Folders", L"My Pictures"};
    std::wstring root = TempFolder() + L"zuva-pictures", shots = root + L"\\Ferrowind";
    std::set<std::wstring> seen;
};

std::vector<uint32_t> PixelsOf(HBITMAP bitmap, SIZE* size) {
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof(info), &info);
    *size = SIZE{info.bmWidth, info.bmHeight};
    BITMAPINFO want{{sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<uint32_t> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    ::GetDIBits(fw::WindowDc(nullptr).get(), bitmap, 0, info.bmHeight, pixels.data(), &want, DIB_RGB_COLORS);
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

// The PNG shows exactly what the page's engine paints of its page.
void ExpectThePagesOwnPicture(const std::wstring& png, HWND engine) {
    fw::GdiplusSession gdiplus;
    HBITMAP decoded = nullptr;
    Gdiplus::Bitmap(png.c_str()).GetHBITMAP(Gdiplus::Color(), &decoded);
    SIZE shot{}, page{};
    EXPECT_TRUE(PixelsOf(fw::BitmapHandle(decoded).get(), &shot) == PixelsOf(PagePicture(engine).get(), &page)) << png;
    EXPECT_TRUE(page.cx > 100 && shot.cx == page.cx && shot.cy == page.cy)
        << shot.cx << " x " << shot.cy << " shot, " << page.cx << " x " << page.cy << " now";
}
}  // namespace

TEST(PageShot, KeyAndTabMenuSaveThePageAsItDrawsItselfAndALinkedFolderTakesNothing) {
    PortalSession portal;
    TestPictures pictures;
    ExeIni settings;  // beside the launcher, as the test found it
    settings.Set(L"ShotKey", nullptr);  // the default, F12
    LauncherInstance app;
    ASSERT_TRUE(app.main && LogIn(app, L"lucky12") && app.WaitForPages(1));
    HWND frame = PageFrames(app.main)[0];
    // Shown, and on its page area: the main window places its pages without
    // waiting for them, so that may come a moment later.
    ASSERT_TRUE(WaitUntil(
        [&] {
            RECT area = PageAreaInOwner(app.main, ScaleOfWindow(app.main)), placed{};
            ::MapWindowPoints(app.main, nullptr, reinterpret_cast<POINT*>(&area), 2);
            return ::IsWindowVisible(frame) && ::GetWindowRect(frame, &placed) && ::EqualRect(&area, &placed);
        },
        15000));
    HWND engine = FindPageEngineWindow(frame);
    auto hide = [&](bool hidden) {
        ::PostMessageW(app.main, WM_TRAY_NOTIFY, 1, WM_LBUTTONUP);
        return WaitUntil([&] { return !::IsWindowVisible(app.main) == hidden; }, 3000);
    };
    // Hidden with the whole launcher, the page still draws itself.
    ASSERT_TRUE(hide(true));
    PressKeys({VK_F12});
    const std::wstring byKey = pictures.NextShot();
    EXPECT_EQ(byKey.find(L"12服-青龙-lucky-"), 0u) << "named after its tab";
    ExpectThePagesOwnPicture(pictures.shots + L"\\" + byKey, engine);
    ::CopyFileW((pictures.shots + L"\\" + byKey).c_str(), (ScreenshotDir() + L"\\page-shot.png").c_str(), FALSE);
    PumpFor(2500);  // Wine's tray shows a balloon two seconds after it is asked for
    CaptureWindowPng(::GetDesktopWindow(), L"shot-saved-balloon.png");

    ASSERT_TRUE(hide(false));
    ASSERT_TRUE(ChooseTabMenuItem(app, 0, 5, L"tab-menu-shot.png"));  // 截图
    ExpectThePagesOwnPicture(pictures.shots + L"\\" + pictures.NextShot(), engine);
    ::PostMessageW(app.main, WM_TRAY_NOTIFY, 1, NIN_BALLOONUSERCLICK);
    HWND browser = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (browser = ::FindWindowW(nullptr, L"Ferrowind")) != nullptr; }, 10000))
        << "a click on the balloon opens the folder";
    ::PostMessageW(browser, WM_CLOSE, 0, 0);

    // A link where the folder goes is not followed: the save fails, as the balloon says.
    for (const std::wstring& name : pictures.seen) ::DeleteFileW((pictures.shots + L"\\" + name).c_str());
    const std::wstring elsewhere = pictures.root + L"\\elsewhere";
    ASSERT_TRUE(::RemoveDirectoryW(pictures.shots.c_str()) && ::CreateDirectoryW(elsewhere.c_str(), nullptr));
    {
        FolderLink link(pictures.shots, elsewhere);
        ASSERT_TRUE(link.made() && hide(true));
        PressKeys({VK_F12});
        PumpFor(2500);
        CaptureWindowPng(::GetDesktopWindow(), L"shot-failed-balloon.png");
    }
    EXPECT_TRUE(::RemoveDirectoryW(elsewhere.c_str())) << "no file where the link leads";
}
