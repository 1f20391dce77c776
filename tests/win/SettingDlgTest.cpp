// The hotkey settings dialog in a real window system: keys pressed with real
// input, the conflict box, what confirming writes to Statistic.ini, and the
// reload request to the launcher's main windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

#include "base/SettingsStore.h"
#include "base/WindowMessages.h"
#include "LauncherDriver.h"
#include "PortalClient.h"
#include "resource.h"
#include "Screenshot.h"
#include "settings/SettingDlg.h"
#include "settings/SettingSaveRules.h"
#include "SkinnedAtScale.h"
#include "ui/SkinCatalog.h"
#include "ui/WindowDpi.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
const std::wstring kNone = L"\u65E0";
const wchar_t kSettingTitle[] = L"设置";

std::wstring IniPath() { return StatisticIniPath(IniLocation::ExeFolder); }

// Statistic.ini beside the executable with the given hotkeys (null: none
// stored), put back as found when the test is over.
class HotkeyFile {
public:
    HotkeyFile(const wchar_t* boss, const wchar_t* switchKey, const wchar_t* sound, const wchar_t* shot = nullptr)
        : m_ini(IniPath()) {
        m_ini.Set(L"ShortKey", boss);
        m_ini.Set(L"AltWndKey", switchKey);
        m_ini.Set(L"SndKey", sound);
        m_ini.Set(L"ShotKey", shot);
    }
    std::wstring Read(const wchar_t* key) const { return m_ini.Read(key, L"(missing)", 32); }
    std::string Bytes() const { return ReadFileBytes(m_ini.path()); }

private:
    ExeIni m_ini;
};

std::wstring TextOf(HWND wnd) {
    wchar_t text[128] = {};
    ::GetWindowTextW(wnd, text, 128);
    return text;
}

// Runs the settings dialog on this thread while `act` works it from another;
// a dialog `act` leaves open is cancelled.
INT_PTR RunSettings(const std::function<void(HWND)>& act) {
    std::thread helper([&] {
        HWND dlg = WaitForWindow(::GetCurrentProcessId(), L"#32770", kSettingTitle, 5000);
        if (!dlg) return;
        ::Sleep(200);  // fully painted
        act(dlg);
        if (::IsWindow(dlg)) ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    CSettingDlg dlg(nullptr);
    const INT_PTR result = dlg.DoModal();
    helper.join();
    return result;
}

// Waits until the dialog has handled what was typed into `edit` and shows
// `expected`, then a little longer, so that a character typed after the key
// would be seen too.
std::wstring SettledText(HWND edit, const std::wstring& expected) {
    for (int i = 0; i < 100 && TextOf(edit) != expected; ++i) ::Sleep(20);
    ::Sleep(150);
    return TextOf(edit);
}

// Presses `keys` (modifiers first) with real input into field `id`.
std::wstring TypeInto(HWND dlg, int id, std::initializer_list<WORD> keys, const std::wstring& expected) {
    HWND edit = ::GetDlgItem(dlg, id);
    ::SetForegroundWindow(dlg);
    ::SendMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    PressKeys(keys);
    return SettledText(edit, expected);
}

void Click(HWND dlg, int id) {
    ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, id)));
}

// The skinned message box this process shows on top of `owner`.
HWND WaitForBoxOf(HWND owner) {
    for (int i = 0; i < 200; ++i, ::Sleep(25))
        for (HWND box : FindWindows(::GetCurrentProcessId(), L"#32770", L"KorvelFerrowind"))
            if (::IsWindowVisible(box) && ::GetWindow(box, GW_OWNER) == owner) return box;
    return nullptr;
}

using OwnedWindow = fw::UniqueHandle<fw::NullTraits<HWND, &::DestroyWindow>>;

OwnedWindow HiddenTopLevel(const wchar_t* className, const wchar_t* title) {
    return OwnedWindow(::CreateWindowExW(0, className, title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                         ::GetModuleHandleW(nullptr), nullptr));
}

BOOL CALLBACK CollectLauncherWindow(HWND wnd, LPARAM lp) {
    wchar_t cls[64] = {}, title[128] = {};
    ::GetClassNameW(wnd, cls, 64);
    ::GetWindowTextW(wnd, title, 128);
    if (IsLauncherInstanceWindow(cls, title)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(wnd);
    return TRUE;
}

// Every launcher main window there is (and the test's look-alikes), topmost first.
std::vector<HWND> LauncherWindowsInZOrder() {
    std::vector<HWND> found;
    ::EnumWindows(&CollectLauncherWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The reload requests waiting in this thread's queue for `wnd`.
int ReloadRequestsFor(HWND wnd) {
    int count = 0;
    MSG msg;
    while (::PeekMessageW(&msg, wnd, WM_HOTKEYS_CHANGED, WM_HOTKEYS_CHANGED, PM_REMOVE)) ++count;
    return count;
}
}  // namespace

TEST(SettingDialog, ShowsTheStoredKeysAndTakesPressedKeysWithoutTypingThem) {
    HotkeyFile file(L"6,65", L"0,0", nullptr);
    const std::string before = file.Bytes();
    std::wstring opened[4];
    const INT_PTR result = RunSettings([&](HWND dlg) {
        const int edits[] = {IDC_SET_BOSS_EDIT, IDC_SET_SWITCH_EDIT, IDC_SET_SOUND_EDIT, IDC_SET_SHOT_EDIT};
        for (int i : {0, 1, 2, 3}) opened[i] = TextOf(::GetDlgItem(dlg, edits[i]));
        EXPECT_TRUE(CaptureWindowPng(dlg, L"settings.png"));
        // Drawn at its display's scale: frame, close button, and push
        // buttons as large as their art.
        ExpectSkinnedAtItsScale(dlg, IDB_CLOSE_BUTTON, 30, 0, 0);
        RECT ok{};
        ::GetWindowRect(::GetDlgItem(dlg, IDOK), &ok);
        const Size push = SkinImageSize(IDB_PUSH_BUTTON, ScaleOfWindow(dlg).dpi());
        EXPECT_EQ(ok.right - ok.left, push.cx / 4);
        EXPECT_EQ(ok.bottom - ok.top, push.cy);

        // Modifiers come from the key state of the moment; F10 arrives as a system key.
        EXPECT_EQ(TypeInto(dlg, IDC_SET_BOSS_EDIT, {VK_CONTROL, VK_SHIFT, VK_F5}, L"Ctrl  +  Shift  +  F5"),
                  L"Ctrl  +  Shift  +  F5");
        EXPECT_EQ(TypeInto(dlg, IDC_SET_BOSS_EDIT, {VK_F10}, L"F10"), L"F10");
        EXPECT_EQ(TypeInto(dlg, IDC_SET_SWITCH_EDIT, {VK_CONTROL, VK_TAB}, L"Ctrl  +  Tab"), L"Ctrl  +  Tab");
        DWORD start = 0, end = 0;
        ::SendMessageW(::GetDlgItem(dlg, IDC_SET_SWITCH_EDIT), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 12u) << "the caret stays behind the text";
        EXPECT_EQ(end, 12u);
        EXPECT_EQ(TypeInto(dlg, IDC_SET_SOUND_EDIT, {'Z'}, L"Z"), L"Z");
        EXPECT_EQ(TypeInto(dlg, IDC_SET_SOUND_EDIT, {VK_BACK}, kNone), kNone);

        // Neither Enter nor Escape closes the dialog, even on the OK button.
        TypeInto(dlg, IDC_SET_SOUND_EDIT, {VK_RETURN}, kNone);
        TypeInto(dlg, IDC_SET_SOUND_EDIT, {VK_ESCAPE}, kNone);
        ::SendMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dlg, IDOK)), TRUE);
        PressKeys({VK_RETURN});
        ::Sleep(300);
        EXPECT_TRUE(::IsWindowVisible(dlg));
        EXPECT_EQ(TextOf(::GetDlgItem(dlg, IDC_SET_SOUND_EDIT)), kNone);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(opened[0], L"Ctrl  +  Shift  +  A");
    EXPECT_EQ(opened[1], kNone);
    EXPECT_EQ(opened[2], L"Ctrl  +  Q") << "a missing sound key is Ctrl+Q";
    EXPECT_EQ(opened[3], L"F12") << "a missing screenshot key is F12";
    EXPECT_EQ(file.Bytes(), before) << "cancelling writes nothing";
}

TEST(SettingDialog, ConflictIsRefusedInItsOwnBoxAndWritesNothing) {
    HotkeyFile file(L"0,121", L"2,9", L"2,81");
    const std::string before = file.Bytes();
    bool boxShown = false, openAfterBox = false;
    const INT_PTR result = RunSettings([&](HWND dlg) {
        TypeInto(dlg, IDC_SET_SOUND_EDIT, {VK_F10}, L"F10");
        Click(dlg, IDOK);
        HWND box = WaitForBoxOf(dlg);
        boxShown = box != nullptr;
        if (!box) return;
        ::Sleep(200);
        EXPECT_TRUE(CaptureWindowPng(box, L"settings-conflict.png"));
        Click(box, 5000);
        for (int i = 0; i < 100 && ::IsWindow(box); ++i) ::Sleep(20);
        openAfterBox = ::IsWindowVisible(dlg) != FALSE;

        // A field left half-typed keeps its stored key: taking that key
        // elsewhere is a conflict as well.
        TypeInto(dlg, IDC_SET_BOSS_EDIT, {VK_CONTROL}, L"Ctrl  +  ");
        TypeInto(dlg, IDC_SET_SWITCH_EDIT, {VK_F10}, L"F10");
        TypeInto(dlg, IDC_SET_SOUND_EDIT, {'M'}, L"M");
        Click(dlg, IDOK);
        box = WaitForBoxOf(dlg);
        EXPECT_NE(box, nullptr) << "the boss key stays F10";
        if (box) Click(box, 5000);
    });
    EXPECT_TRUE(boxShown);
    EXPECT_TRUE(openAfterBox);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(file.Bytes(), before);
}

TEST(SettingDialog, ConfirmingWritesOnlyFieldsThatNameAWholeHotkey) {
    HotkeyFile file(L"0,121", L"2,9", L"2,81");
    const INT_PTR result = RunSettings([&](HWND dlg) {
        TypeInto(dlg, IDC_SET_BOSS_EDIT, {VK_CONTROL}, L"Ctrl  +  ");
        TypeInto(dlg, IDC_SET_SWITCH_EDIT, {VK_CONTROL, VK_SHIFT, '1'}, L"Ctrl  +  Shift  +  1");
        TypeInto(dlg, IDC_SET_SOUND_EDIT, {VK_DELETE}, kNone);
        TypeInto(dlg, IDC_SET_SHOT_EDIT, {VK_CONTROL, VK_F12}, L"Ctrl  +  F12");
        Click(dlg, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(file.Read(L"ShortKey"), L"0,121") << "left as stored";
    EXPECT_EQ(file.Read(L"AltWndKey"), L"6,49");
    EXPECT_EQ(file.Read(L"SndKey"), L"0,0");
    EXPECT_EQ(file.Read(L"ShotKey"), L"2,123");
}

TEST(SettingDialog, ConfirmingTellsTheFirstTenLauncherWindowsInZOrder) {
    HotkeyFile file(L"0,121", L"2,9", L"2,81");
    std::vector<OwnedWindow> instances;
    for (int i = 0; i < 12; ++i) instances.push_back(HiddenTopLevel(L"#32770", L"KorvelFerrowind"));
    OwnedWindow otherTitle = HiddenTopLevel(L"#32770", L"KorvelFerrowind2");
    OwnedWindow otherClass = HiddenTopLevel(L"Static", L"KorvelFerrowind");
    for (const OwnedWindow& w : instances) ASSERT_TRUE(w);
    ASSERT_TRUE(otherTitle && otherClass);

    const std::vector<HWND> zOrder = LauncherWindowsInZOrder();
    ASSERT_GE(zOrder.size(), 12u);

    EXPECT_EQ(RunSettings([](HWND dlg) { Click(dlg, IDOK); }), IDOK);
    int told = 0;
    for (const OwnedWindow& w : instances) {
        const int requests = ReloadRequestsFor(w.get());
        const bool amongFirstTen =
            std::find(zOrder.begin(), zOrder.begin() + kMaxInstancesTold, w.get()) != zOrder.begin() + kMaxInstancesTold;
        EXPECT_EQ(requests, amongFirstTen ? 1 : 0);
        told += requests;
    }
    EXPECT_GT(told, 0);
    EXPECT_LE(told, 10);
    EXPECT_EQ(ReloadRequestsFor(otherTitle.get()), 0);
    EXPECT_EQ(ReloadRequestsFor(otherClass.get()), 0);
}

TEST(SettingDialog, SavedKeysReachARunningInstanceAndItsPagesWithoutARestart) {
    PortalSession portal;
    HotkeyFile file(L"0,121", L"2,9", L"2,81");
    LauncherInstance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_TRUE(LogIn(app, L"lucky12") && app.WaitForPages(1));
    HWND page = PageFrames(app.main)[0];
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(page) != FALSE; }, 15000));

    // F5 becomes the boss key through the dialog.
    EXPECT_EQ(RunSettings([&](HWND dlg) {
                  TypeInto(dlg, IDC_SET_BOSS_EDIT, {VK_F5}, L"F5");
                  Click(dlg, IDOK);
              }),
              IDOK);
    PumpFor(500);

    // The main window hides on it, and the page no longer refreshes on it.
    const std::wstring game = L"/games/s12.page";
    const int loads = PortalCount(game);
    ::SetForegroundWindow(page);
    PumpFor(200);
    PressKeys({VK_F5});
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(app.main); }, 3000));
    PumpFor(800);
    EXPECT_EQ(PortalCount(game), loads);
    PressKeys({VK_F5});
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(app.main) != FALSE; }, 3000));
    PressKeys({VK_F10});
    PumpFor(500);
    EXPECT_TRUE(::IsWindowVisible(app.main)) << "the old boss key is gone";
}
