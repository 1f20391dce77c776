// The portal's notice in a running launcher: it comes a while after the first
// game page, in its display's bottom-right corner, in each of its three
// looks; its close button dismisses it for good, one that ran its course
// comes back at the next start, an expired one is not shown, and a click on
// its details link opens the link.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "GameLogin.h"
#include "LauncherDriver.h"
#include "PortalClient.h"
#include "resource.h"
#include "Screenshot.h"
#include "SkinnedAtScale.h"
#include "ui/SkinCatalog.h"
#include "ui/WindowDpi.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
constexpr int kTitle = 1020;
constexpr int kText = 1021;
constexpr int kDetailsLink = 1022;
constexpr int kCloseButton = 50000;
const wchar_t kNoticePath[] = L"/notice/zuva.txt";

std::wstring Record(const std::wstring& lastDay, const std::wstring& title, const std::wstring& link,
                    const std::wstring& text, const std::wstring& picture, int showings) {
    return L"t" + std::to_wstring(::GetTickCount()) + L"|" + lastDay + L"|" + title + L"|" + link + L"|" + text +
           L"|" + picture + L"|" + std::to_wstring(showings);
}

std::wstring PublishedNoticeFile() { return PortalRoot() + L"\\notice\\zuva.txt"; }

// The portal publishes the notice's record as the portal does, in the ANSI
// code page (936); the notice's state and picture beside the executable and the
// published file are put back as they were afterwards.
struct NoticeStage : PortalSession {
    explicit NoticeStage(const std::wstring& first)
        : picture(BuildDir() + L"\\PopWnd.jpg"), published(PublishedNoticeFile()) {
        ini.Set(L"PopInfo", nullptr);
        ini.Set(L"PopEnable", nullptr);
        Publish(first);
    }
    // A record the portal publishes from now on.
    void Publish(const std::wstring& text) {
        record = text;
        const int size = static_cast<int>(record.size());
        const int bytes = ::WideCharToMultiByte(936, 0, record.data(), size, nullptr, 0, nullptr, nullptr);
        std::string ansi(static_cast<size_t>(bytes), '\0');
        ::WideCharToMultiByte(936, 0, record.data(), size, &ansi[0], bytes, nullptr, nullptr);
        WriteFileBytes(PublishedNoticeFile(), ansi);
    }
    // The notice's state the launcher stored ("(none)" when it stored none).
    std::wstring Stored(const wchar_t* key) const { return ini.Read(key, L"(none)"); }

    ExeIni ini;  // beside ZuvaScripted.exe
    FileBackup picture;
    FileBackup published;
    std::wstring record;
};

// The shell opens web links with a command of ours that notes the link.
struct LinkOpenerSpy {
    LinkOpenerSpy() : handler(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", L"") {
        ::DeleteFileW(noted.c_str());
        const std::wstring command = L"C:\\windows\\system32\\cmd.exe /c echo %1>" + noted;
        fw::RegKey key;
        ok = ::RegCreateKeyExW(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", 0, nullptr, 0, KEY_SET_VALUE,
                               nullptr, reinterpret_cast<HKEY*>(&key), nullptr) == ERROR_SUCCESS &&
             ::RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                              static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    ~LinkOpenerSpy() { ::DeleteFileW(noted.c_str()); }
    // Whether the shell was asked to open `link` within `ms`.
    bool Opened(const std::wstring& link, DWORD ms) const {
        const std::string bytes(link.begin(), link.end());
        return WaitUntil([&] { return ReadFileBytes(noted).find(bytes) != std::string::npos; }, ms);
    }
    // Whether the shell was asked to open anything within `ms`.
    bool OpenedAnything(DWORD ms) const {
        return WaitUntil([&] { return FileExists(noted); }, ms);
    }
    const std::wstring noted = L"C:\\users\\Public\\zuva-notice-link.txt";
    RegistryValueBackup handler;
    bool ok = false;
};

// The instance's notice window (a dialog carrying the details link), shown or not.
HWND FindNotice(DWORD pid) {
    for (HWND w : FindWindows(pid, L"#32770", L""))
        if (::GetDlgItem(w, kDetailsLink)) return w;
    return nullptr;
}

HWND WaitForShownNotice(LauncherInstance& app, DWORD ms) {
    HWND notice = nullptr;
    WaitUntil(
        [&] {
            notice = FindNotice(app.process.pid());
            return notice && ::IsWindowVisible(notice);
        },
        ms);
    return notice && ::IsWindowVisible(notice) ? notice : nullptr;
}

// Starts an instance, logs it in and moves it to the last display (the
// second where there are two), whose corner its notice must then take; the
// notice comes 1.5 s after the page.
bool StartInGame(LauncherInstance& app) {
    if (!app.main || !LogInToGame(app, L"/games/s12.page")) return false;
    const RECT last = DisplayWorkAreas().back();
    return ::SetWindowPos(app.main, nullptr, last.left + 60, last.top + 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER) != FALSE;
}

// The notice in the last display's corner, as large as skin image `skin` drawn
// for its scale (`width` x `height` at 96 DPI), its close button in place.
void ExpectInWorkAreaCorner(HWND notice, unsigned skin, int width, int height, unsigned closeImage, int btnRight,
                            int btnTop) {
    const DpiScale s = ScaleOfWindow(notice);
    if (!s.IsBase()) {
        const Size scaled = SkinImageSize(skin, s.dpi());
        width = scaled.cx;
        height = scaled.cy;
    }
    ExpectSkinnedAtItsScale(notice, closeImage, 0, btnRight, btnTop);
    const RECT work = DisplayWorkAreas().back();
    RECT wr{};
    ::GetWindowRect(notice, &wr);
    EXPECT_EQ(wr.right, work.right);
    EXPECT_EQ(wr.bottom, work.bottom);
    EXPECT_EQ(wr.right - wr.left, width) << "the size of its skin";
    EXPECT_EQ(wr.bottom - wr.top, height);
    EXPECT_TRUE(::GetWindowLongW(notice, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << "no taskbar button";
    EXPECT_TRUE(::GetWindowLongW(notice, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

POINT CentreOf(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// After a start that fetched the notice, no notice shows up.
bool StaysAway(LauncherInstance& app, int fetchesBefore) {
    if (!WaitUntil([&] { return PortalCount(kNoticePath) > fetchesBefore; }, 10000)) return false;
    PumpFor(1500);
    HWND notice = FindNotice(app.process.pid());
    return !notice || !::IsWindowVisible(notice);
}
}  // namespace

TEST(Notice, PictureAndTextThenItsCloseButtonDismissesItForGood) {
    NoticeStage stage(Record(LocalDay(0), L"风暴之城今日开启", PortalUrl(L"/notice/details.htm"),
                             L"全新服务器今日十点开启，登录即送坐骑与双倍经验，限时七天，快来与好友一同冒险吧！",
                             PortalUrl(L"/notice/art-small.jpg"), 1));
    {
        LauncherInstance app;
        ASSERT_TRUE(StartInGame(app));
        HWND notice = WaitForShownNotice(app, 8000);
        ASSERT_NE(notice, nullptr);
        ExpectInWorkAreaCorner(notice, IDB_NOTICE_PICTURE_AND_TEXT, 250, 191, IDB_NOTICE_CLOSE, 3, 3);
        EXPECT_EQ(PortalCount(L"/notice/art-small.jpg"), 1) << "the picture was fetched";
        EXPECT_TRUE(FileExists(BuildDir() + L"\\PopWnd.jpg"));
        EXPECT_EQ(stage.Stored(L"PopInfo"), stage.record);
        EXPECT_EQ(stage.Stored(L"PopEnable"), L"1");
        PumpFor(500);
        CaptureWindowPng(notice, L"notice-picture-text.png");
        CaptureWindowPng(::GetDesktopWindow(), L"notice-picture-text-desktop.png");

        ClickAt(CentreOf(::GetDlgItem(notice, kCloseButton)));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(notice); }, 3000)) << "closed by its close button";
        EXPECT_EQ(stage.Stored(L"PopEnable"), L"0");
        EXPECT_TRUE(app.process.IsRunning());
    }
    LauncherInstance again;
    const int fetches = PortalCount(kNoticePath);
    ASSERT_TRUE(StartInGame(again));
    EXPECT_TRUE(StaysAway(again, fetches)) << "dismissed for good";
    EXPECT_EQ(stage.Stored(L"PopEnable"), L"0");
}

TEST(Notice, PictureOnly) {
    NoticeStage stage(Record(LocalDay(1), L"", L"", L"", PortalUrl(L"/notice/art-tall.jpg"), 1));
    LauncherInstance app;
    ASSERT_TRUE(StartInGame(app));
    HWND notice = WaitForShownNotice(app, 8000);
    ASSERT_NE(notice, nullptr);
    ExpectInWorkAreaCorner(notice, IDB_NOTICE_PICTURE_ONLY, 160, 212, IDB_NOTICE_PICTURE_CLOSE, 0, 1);
    EXPECT_TRUE(::GetWindowLongW(notice, GWL_EXSTYLE) & WS_EX_LAYERED) << "its magenta lets the screen through";
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(notice, kDetailsLink))) << "no details link";
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(notice, kTitle))) << "no title";
    PumpFor(500);
    CaptureWindowPng(notice, L"notice-picture-only.png");

    // Without a link a click on the picture only dismisses the notice.
    LinkOpenerSpy opener;
    ASSERT_TRUE(opener.ok);
    ClickAt(CentreOf(::GetDlgItem(notice, kText)));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(notice); }, 3000)) << "a click closes it";
    EXPECT_EQ(stage.Stored(L"PopEnable"), L"0");
    EXPECT_FALSE(opener.OpenedAnything(2000)) << ReadFileBytes(opener.noted);
}

TEST(Notice, TextOnlyHidesWithTheInstanceAndItsDetailsLinkOpensTheLink) {
    const std::wstring link = PortalUrl(L"/notice/details.htm");
    NoticeStage stage(Record(LocalDay(0) + L" 24h", L"维护公告", link,
                             L"本周四凌晨两点至六点停机维护，届时将无法登录游戏。维护完成后将为所有玩家发放补偿，敬请谅解。",
                             L"", 1));
    LinkOpenerSpy opener;
    ASSERT_TRUE(opener.ok);

    LauncherInstance app;
    ASSERT_TRUE(StartInGame(app));
    HWND notice = WaitForShownNotice(app, 8000);
    ASSERT_NE(notice, nullptr);
    ExpectInWorkAreaCorner(notice, IDB_NOTICE_TEXT_ONLY, 250, 167, IDB_NOTICE_CLOSE, 3, 3);
    PumpFor(500);
    CaptureWindowPng(notice, L"notice-text-only.png");

    // The hide button hides the notice with the instance.
    ::PostMessageW(app.main, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(notice) && !::IsWindowVisible(app.main); }, 3000));
    ::ShowWindow(notice, SW_SHOWNOACTIVATE);  // as the next showing would, for the click below
    PumpFor(300);

    ClickAt(CentreOf(::GetDlgItem(notice, kDetailsLink)));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(notice); }, 3000)) << "a click closes it";
    EXPECT_EQ(stage.Stored(L"PopEnable"), L"0");
    EXPECT_TRUE(opener.Opened(link, 10000))
        << "the shell was asked to open the link; noted: " << ReadFileBytes(opener.noted);
    ::PostMessageW(app.main, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);  // shown again for the exit
}

TEST(Notice, AClickOnItsTitleOrItsTextOpensTheLinkToo) {
    const std::wstring link = PortalUrl(L"/notice/details.htm");
    NoticeStage stage(L"");
    LinkOpenerSpy opener;
    ASSERT_TRUE(opener.ok);
    for (const int label : {kTitle, kText}) {
        SCOPED_TRACE(label);
        // A new record each time: the last one was dismissed for good.
        stage.Publish(Record(LocalDay(0), L"新服开启", link, L"风暴之城今日开启。", L"", 1));
        ::DeleteFileW(opener.noted.c_str());
        LauncherInstance app;
        ASSERT_TRUE(StartInGame(app));
        HWND notice = WaitForShownNotice(app, 8000);
        ASSERT_NE(notice, nullptr);
        ClickAt(CentreOf(::GetDlgItem(notice, label)));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(notice); }, 3000)) << "a click closes it";
        EXPECT_EQ(stage.Stored(L"PopEnable"), L"0");
        EXPECT_TRUE(opener.Opened(link, 10000)) << "noted: " << ReadFileBytes(opener.noted);
    }
}

TEST(Notice, OneThatRanItsCourseComesBackAtTheNextStart) {
    NoticeStage stage(Record(LocalDay(0), L"周末双倍经验", L"", L"周六周日全天双倍经验。", L"", 2));
    {
        LauncherInstance app;
        ASSERT_TRUE(StartInGame(app));
        HWND notice = WaitForShownNotice(app, 8000);
        ASSERT_NE(notice, nullptr);
        // Shown 4 s, paused 2.5 s, shown 4 s again, then closed (the scripted build's times).
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(notice); }, 8000));
        EXPECT_TRUE(::IsWindow(notice)) << "paused, not closed";
        EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(notice) != FALSE; }, 6000)) << "the second showing";
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(notice); }, 8000)) << "closed after the second showing";
        EXPECT_EQ(stage.Stored(L"PopEnable"), L"1");
    }
    stage.ini.Set(L"ShortKey", nullptr);  // the boss key is F10
    LauncherInstance again;
    ASSERT_TRUE(StartInGame(again));
    HWND notice = WaitForShownNotice(again, 8000);
    ASSERT_NE(notice, nullptr) << "not dismissed: shown again";

    // Hidden with the launcher by the boss key, it stays hidden through its
    // later showing, until it has run its course.
    PressKeys({VK_F10});
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(again.main) && !::IsWindowVisible(notice); }, 3000));
    bool seen = false;
    EXPECT_TRUE(WaitUntil(
        [&] {
            seen = seen || ::IsWindowVisible(notice);
            return !::IsWindow(notice);
        },
        15000))
        << "closed after its second showing";
    EXPECT_FALSE(seen) << "the second showing came while the launcher was hidden";
    EXPECT_EQ(stage.Stored(L"PopEnable"), L"1");
    PressKeys({VK_F10});
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(again.main) != FALSE; }, 3000));
}

TEST(Notice, AnExpiredNoticeIsNotShownAndTheStoredOneStays) {
    NoticeStage stage(Record(LocalDay(-1), L"昨日活动", L"", L"已结束。", L"", 1));
    stage.ini.Set(L"PopInfo", L"an earlier notice");
    stage.ini.Set(L"PopEnable", L"0");
    LauncherInstance app;
    const int fetches = PortalCount(kNoticePath);
    ASSERT_TRUE(StartInGame(app));
    EXPECT_TRUE(StaysAway(app, fetches));
    EXPECT_EQ(stage.Stored(L"PopInfo"), L"an earlier notice");
    EXPECT_EQ(stage.Stored(L"PopEnable"), L"0");
}
