// The scripted page engine in a window of the test process, against page
// scripts served by the test portal: the host calls it raises for
// navigations, the real mouse and test commands, how it draws sprite
// frames, and its unload alert box.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "PortalClient.h"
#include "Screenshot.h"
#include "WinTestSupport.h"
#include "engine/ScriptedCommands.h"
#include "engine/scripted/BitmapFile.h"
#include "engine/scripted/NavigationRules.h"
#include "engine/scripted/PageLook.h"
#include "framework/Handles.h"
#include "framework/PageEngine.h"
#include "ui/WindowDpi.h"

using namespace scripted;
using namespace wintest;

namespace {

using Log = std::vector<std::wstring>;
// The host's size in CSS pixels; on the screen it is that at the display's scale.
constexpr int kHostWidth = 640, kHostHeight = 400;
SIZE HostSize() {
    const DpiScale scale = SystemScale();
    return SIZE{scale.Length(kHostWidth), scale.Length(kHostHeight)};
}

// Records what the engine asks and raises. Navigation calls and page events
// go to separate logs, so a stray mouse move never spoils an order check.
class RecordingHost : public PageHost {
public:
    Log nav;
    Log events;  // "over a.button": the event, the source's tag and class
    int flagCalls = 0, menus = 0;
    bool cancelErrors = false;
    HRESULT messageAnswer = S_OK;
    std::function<HRESULT(PageEvent)> onEvent;
    std::shared_ptr<PageElement> lastSource;

    DWORD GetHostFlags(DWORD) override {
        ++flagCalls;
        return kHostFlagNo3DBorder | kHostFlagScrollNo;
    }
    HRESULT ShowContextMenu() override {
        ++menus;
        return S_OK;
    }
    HRESULT ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, DWORD type,
                        LRESULT*) override {
        nav.push_back(L"message " + text + L"|" + caption + L"|" + std::to_wstring(type) +
                      (::IsWindow(owner) ? L"|window" : L"|none"));
        return messageAnswer;
    }
    // Like the launcher, the host keeps "app:" addresses for itself.
    void OnBeforeNavigate(const std::wstring& url, bool top, bool* cancel) override {
        nav.push_back(L"before " + url + (top ? L"" : L" (frame)"));
        *cancel = url.compare(0, 4, L"app:") == 0;
    }
    void OnNavigateComplete(const std::wstring& url, bool top) override {
        nav.push_back(L"complete " + url + (top ? L"" : L" (frame)"));
    }
    void OnDocumentComplete(const std::wstring& url, bool) override { nav.push_back(L"document " + url); }
    void OnNavigateError(const std::wstring& url, long status, bool* cancel) override {
        nav.push_back(L"error " + url + L" " + std::to_wstring(status));
        *cancel = cancelErrors;
    }
    void OnTitleChange(const std::wstring& title) override { nav.push_back(L"title " + title); }
    HRESULT OnPageEvent(PageEvent event, PageElement& source) override {
        static const std::map<PageEvent, std::wstring> names{
            {PageEvent::MouseOver, L"over"}, {PageEvent::MouseOut, L"out"}, {PageEvent::MouseDown, L"down"},
            {PageEvent::MouseMove, L"move"}, {PageEvent::MouseUp, L"up"},   {PageEvent::ContextMenu, L"context"}};
        events.push_back(names.at(event) + L" " + source.TagName() + L"." + source.ClassName());
        lastSource = source.Keep();
        return onEvent ? onEvent(event) : S_OK;
    }

    // The events with runs of moves folded into one.
    Log Folded() const {
        Log out;
        for (const std::wstring& e : events)
            if (out.empty() || out.back() != e || e.compare(0, 5, L"move ") != 0) out.push_back(e);
        return out;
    }
    bool Logged(const std::wstring& entry) const { return std::count(nav.begin(), nav.end(), entry) > 0; }
};

// The engine's own message box, as the host window's timer saw it when it
// destroyed it the way the launcher does for pages that are closing.
struct BoxWatch {
    HWND box = nullptr, owner = nullptr;
    bool ownerDisabled = false;
    int destroyed = 0;
};

BOOL CALLBACK FindWebBox(HWND hwnd, LPARAM lp) {
    wchar_t cls[16] = {}, title[64] = {};
    ::GetClassNameW(hwnd, cls, 16);
    ::GetWindowTextW(hwnd, title, 64);
    if (wcscmp(cls, L"#32770") != 0 || wcscmp(title, kWebMessageCaption) != 0) return TRUE;
    *reinterpret_cast<HWND*>(lp) = hwnd;
    return FALSE;
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* watch = reinterpret_cast<BoxWatch*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg != WM_TIMER || !watch) return ::DefWindowProcW(hwnd, msg, wp, lp);
    HWND box = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindWebBox, reinterpret_cast<LPARAM>(&box));
    if (box) {
        *watch = BoxWatch{box, ::GetWindow(box, GW_OWNER), !::IsWindowEnabled(hwnd), watch->destroyed};
        watch->destroyed += ::DestroyWindow(box) ? 1 : 0;
    }
    return 0;
}

// The launcher's side: a plain top-level window the engine lives in.
class HostWindow {
public:
    HostWindow() {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &HostProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZuvaScriptedTestHost";
        ::RegisterClassExW(&wc);
        m_hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"scripted engine test", WS_POPUP | WS_VISIBLE, 40, 40,
                                   HostSize().cx, HostSize().cy, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~HostWindow() { ::DestroyWindow(m_hwnd); }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND get() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};

// A page script in the portal's root, removed again afterwards.
class ServedPage {
public:
    ServedPage(const std::wstring& name, const std::string& script)
        : m_folder(PortalRoot() + L"\\scripted"), m_path(PortalRoot() + L"\\scripted\\" + name),
          m_url(PortalUrl(L"/scripted/" + name)) {
        std::ofstream(m_path.c_str(), std::ios::binary) << script;
    }
    ~ServedPage() { ::DeleteFileW(m_path.c_str()); }
    ServedPage(const ServedPage&) = delete;
    ServedPage& operator=(const ServedPage&) = delete;
    const std::wstring& url() const { return m_url; }

private:
    FolderChain m_folder;
    std::wstring m_path, m_url;
};

bool WaitFor(const std::function<bool()>& done, DWORD ms = 5000) {
    for (const DWORD start = ::GetTickCount(); !done(); PumpFor(10))
        if (::GetTickCount() - start > ms) return false;
    return true;
}

LRESULT SendCommand(HWND engine, const std::wstring& text, ULONG_PTR tag = COPYDATA_SCRIPTED_COMMAND) {
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    COPYDATASTRUCT data{tag, bytes, const_cast<wchar_t*>(text.c_str())};
    return ::SendMessageW(engine, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

void MouseButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
}

const char kLobby[] =
    "title 游戏大厅\n"
    "element panel DIV x=20 y=40 w=300 h=200 bg=#ffffff class=\"panel servers\"\n"
    "element row td x=30 y=60 w=280 h=30 parent=panel class=\"server hot\" text=S12服 "
    "href=\"app://loadgame?S12%E6%9C%8D|http://127.0.0.1/game.page\"\n"
    "element start a x=360 y=40 w=120 h=40 class=button text=开始游戏 href=app://start\n"
    "element closed a x=360 y=100 w=120 h=40 class=button text=已关闭 href=app://closed disabled\n"
    "element news div x=360 y=160 w=200 h=40 text=公告 href=news.page\n";

class ScriptedEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::SetCursorPos(1270, 790);  // away from the host window
        ASSERT_TRUE(host.get());
        engine = CreateScriptedPageEngine(recorder, host.get(), RECT{0, 0, HostSize().cx, HostSize().cy});
        ASSERT_TRUE(engine);
    }
    void TearDown() override {
        recorder.messageAnswer = S_OK;  // no box left up by a failed test
        engine.reset();
    }
    // Navigates and waits for the next DocumentComplete.
    bool Show(const std::wstring& url) {
        const size_t before = recorder.nav.size();
        engine->Navigate(url);
        return WaitFor([&] {
            return std::any_of(recorder.nav.begin() + before, recorder.nav.end(),
                               [](const std::wstring& e) { return e.compare(0, 9, L"document ") == 0; });
        });
    }
    // The screen point in the middle of the page's CSS pixel (x, y): the page
    // is drawn at the display's scale, as a browser zoomed to it draws it.
    POINT ScreenPoint(int x, int y) const {
        const int dpi = SystemScale().dpi();
        POINT p{(2 * x + 1) * dpi / (2 * kBaseDpi), (2 * y + 1) * dpi / (2 * kBaseDpi)};
        ::ClientToScreen(engine->Window(), &p);
        return p;
    }
    void MoveMouse(int x, int y) {
        const POINT p = ScreenPoint(x, y);
        ::SetCursorPos(p.x, p.y);
        ::SetCursorPos(p.x + 1, p.y);
    }
    COLORREF PixelAt(int x, int y) const {
        const POINT p = ScreenPoint(x, y);
        fw::WindowDc screen(nullptr);
        return ::GetPixel(screen.get(), p.x, p.y);
    }

    PortalSession portal;
    HostWindow host;
    RecordingHost recorder;
    std::unique_ptr<PageEngine> engine;
};

COLORREF Rgb(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// The pixels of a bitmap as 0xRRGGBB, rows top-down.
std::vector<uint32_t> PixelsOf(HBITMAP bitmap, int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    fw::WindowDc screen(nullptr);
    if (::GetDIBits(screen.get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) != height) pixels.clear();
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

// What the screen shows of a window's client area.
std::vector<uint32_t> ScreenPixels(HWND window, int width, int height) {
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    fw::WindowDc screen(nullptr);
    fw::MemoryDc mem(::CreateCompatibleDC(screen.get()));
    fw::BitmapHandle bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    {
        fw::SelectScope select(mem.get(), bitmap.get());
        ::BitBlt(mem.get(), 0, 0, width, height, screen.get(), origin.x, origin.y, SRCCOPY);
    }
    return PixelsOf(bitmap.get(), width, height);
}

// The pixels of a BMP file, and its size.
std::vector<uint32_t> BitmapFilePixels(const std::wstring& path, SIZE* size) {
    fw::BitmapHandle bitmap(static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap.get(), sizeof(info), &info)) return {};
    *size = SIZE{info.bmWidth, info.bmHeight};
    return PixelsOf(bitmap.get(), info.bmWidth, info.bmHeight);
}

size_t DifferentPixels(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    if (a.size() != b.size()) return std::max(a.size(), b.size());
    size_t different = 0;
    for (size_t i = 0; i < a.size(); ++i) different += a[i] != b[i];
    return different;
}

}  // namespace

TEST_F(ScriptedEngineTest, AGoodPageRaisesTheBrowsersEventsInOrder) {
    HWND window = engine->Window();
    wchar_t cls[64] = {};
    ::GetClassNameW(window, cls, 64);
    EXPECT_STREQ(cls, kScriptedEngineClass);
    EXPECT_EQ(::GetParent(window), host.get());
    EXPECT_EQ(::GetWindowLongW(window, GWL_STYLE) & (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS),
              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    EXPECT_FALSE(engine->SetBodyScroll(L"no")) << "no document yet";

    ServedPage page(L"good.page", kLobby);
    ASSERT_TRUE(engine->Navigate(page.url()));
    EXPECT_EQ(recorder.nav, Log{L"before " + page.url()}) << "BeforeNavigate at once, the rest later";
    EXPECT_EQ(engine->CurrentUrl(), L"");
    ASSERT_TRUE(WaitFor([&] { return recorder.nav.size() >= 4; }));
    PumpFor(100);
    EXPECT_EQ(recorder.nav, (Log{L"before " + page.url(), L"complete " + page.url(), L"title 游戏大厅",
                                 L"document " + page.url()}));
    EXPECT_EQ(engine->CurrentUrl(), page.url());
    EXPECT_EQ(recorder.flagCalls, 1) << "host flags are asked when a document is shown";
    EXPECT_TRUE(engine->SetBodyScroll(L"no"));

    // A refresh fetches again, without BeforeNavigate and NavigateComplete.
    recorder.nav.clear();
    engine->Refresh();
    ASSERT_TRUE(WaitFor([&] { return recorder.nav.size() >= 2; }));
    PumpFor(100);
    EXPECT_EQ(recorder.nav, (Log{L"title 游戏大厅", L"document " + page.url()}));
    EXPECT_EQ(PortalCount(L"/scripted/good.page"), 2);

    engine.reset();
    EXPECT_FALSE(::IsWindow(window)) << "the engine owns its window";
}

TEST_F(ScriptedEngineTest, ACancelledNavigationFetchesAndRaisesNothingMore) {
    ASSERT_TRUE(engine->Navigate(L"app://loadgame?S1|" + PortalUrl(L"/scripted/never.page")));
    PumpFor(500);
    EXPECT_EQ(recorder.nav.size(), 1u);
    EXPECT_EQ(PortalCount(L"/scripted/never.page"), 0);
    EXPECT_EQ(engine->CurrentUrl(), L"");
}

TEST_F(ScriptedEngineTest, FailuresRaiseNavigateErrorThenTheErrorPageUnlessCancelled) {
    const std::wstring url = PortalUrl(L"/scripted/missing.page");
    PortalAnswer(L"/scripted/missing.page", L"status=404&body=gone");
    ASSERT_TRUE(Show(url));
    const std::wstring errorPage = ErrorPageAddress(url);
    EXPECT_EQ(recorder.nav, (Log{L"before " + url, L"error " + url + L" 404", L"complete " + errorPage,
                                 L"title 无法显示此页", L"document " + errorPage}));
    EXPECT_EQ(engine->CurrentUrl(), errorPage);
    CaptureWindowPng(host.get(), L"scripted-error-page.png");

    // Cancelled: nothing follows, and what was shown stays.
    recorder.nav.clear();
    recorder.cancelErrors = true;
    for (const std::wstring& failing : {PortalUrl(L"/scripted/missing.page"), std::wstring(L"http://127.0.0.1:1/x"),
                                        std::wstring(L"ftp://127.0.0.1/x")})
        engine->Navigate(failing);  // each supersedes the one before
    ASSERT_TRUE(WaitFor([&] { return recorder.nav.size() >= 4; }));
    PumpFor(300);
    EXPECT_EQ(recorder.nav.back(), L"error ftp://127.0.0.1/x " + std::to_wstring(kStatusUnknownProtocol));
    EXPECT_EQ(recorder.nav.size(), 4u) << "superseded navigations report nothing";
    EXPECT_EQ(engine->CurrentUrl(), errorPage);

    recorder.nav.clear();
    engine->Navigate(L"http://127.0.0.1:1/refused");
    ASSERT_TRUE(WaitFor([&] { return recorder.nav.size() >= 2; }, 15000));
    EXPECT_EQ(recorder.nav[1], L"error http://127.0.0.1:1/refused " + std::to_wstring(kStatusNotFound));
}

TEST_F(ScriptedEngineTest, TheRealMouseRaisesPageEventsOnTheElementUnderIt) {
    ServedPage page(L"mouse.page", kLobby);
    ASSERT_TRUE(Show(page.url()));
    recorder.nav.clear();
    MoveMouse(420, 60);
    ASSERT_TRUE(WaitFor([&] { return recorder.events.size() >= 2; }));
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    MouseButton(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitFor([&] { return recorder.Logged(L"before app://start"); }));
    EXPECT_EQ(recorder.Folded(), (Log{L"over a.button", L"move a.button", L"down a.button", L"up a.button"}));
    EXPECT_EQ(recorder.nav, Log{L"before app://start"}) << "a click follows the link through BeforeNavigate";

    recorder.events.clear();
    MoveMouse(100, 70);
    ASSERT_TRUE(WaitFor([&] { return recorder.Folded().size() >= 3; }));
    EXPECT_EQ(recorder.Folded(), (Log{L"out a.button", L"over td.server hot", L"move td.server hot"}));
    EXPECT_EQ(recorder.lastSource->OffsetRect().left, 30);
    EXPECT_EQ(recorder.lastSource->OffsetRect().bottom, 90);

    recorder.events.clear();
    MouseButton(MOUSEEVENTF_RIGHTDOWN);
    MouseButton(MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(WaitFor([&] { return recorder.menus == 1; }));
    EXPECT_EQ(recorder.Folded(), Log{L"context td.server hot"});

    recorder.events.clear();
    MoveMouse(600, 300);
    ASSERT_TRUE(WaitFor([&] { return recorder.Folded().size() >= 3; }));
    EXPECT_EQ(recorder.Folded(), (Log{L"out td.server hot", L"over body.", L"move body."}));
    recorder.events.clear();
    ::SetCursorPos(1270, 790);
    ASSERT_TRUE(WaitFor([&] { return !recorder.events.empty(); }));
    EXPECT_EQ(recorder.Folded(), Log{L"out body."}) << "leaving the window";
}

TEST_F(ScriptedEngineTest, AHostThatCapturesTheMouseOnPressLeavesTheHoverSane) {
    ServedPage page(L"capture.page", kLobby);
    ASSERT_TRUE(Show(page.url()));
    // As the launcher does with a pressed page button.
    recorder.onEvent = [&](PageEvent event) {
        if (event == PageEvent::MouseDown) ::SetCapture(host.get());
        return S_OK;
    };
    MoveMouse(420, 60);
    ASSERT_TRUE(WaitFor([&] { return recorder.events.size() >= 2; }));
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(WaitFor([&] { return ::GetCapture() == host.get(); }));
    MoveMouse(100, 70);
    MouseButton(MOUSEEVENTF_LEFTUP);
    PumpFor(300);
    ::ReleaseCapture();
    EXPECT_EQ(std::count(recorder.events.begin(), recorder.events.end(), L"up a.button"), 0)
        << "the release went to the host's window";
    EXPECT_FALSE(recorder.Logged(L"before app://start")) << "no click without the release";

    recorder.events.clear();
    MoveMouse(102, 70);
    ASSERT_TRUE(WaitFor([&] { return recorder.Folded().size() >= 2 && recorder.events.back()[0] == L'm'; }));
    const Log after = recorder.Folded();
    EXPECT_EQ(std::count(after.begin(), after.end(), L"over td.server hot"), 1) << "hovered once, not twice";
    EXPECT_EQ(after.back(), L"move td.server hot");
}

TEST_F(ScriptedEngineTest, TestCommandsRaiseWhatTheMouseWould) {
    ServedPage page(L"commands.page", kLobby);
    ASSERT_TRUE(Show(page.url()));
    recorder.nav.clear();
    HWND window = engine->Window();
    for (const wchar_t* command : {L"over start", L"down start", L"up start", L"out start"})
        EXPECT_EQ(SendCommand(window, command), 1) << command;
    EXPECT_EQ(recorder.events,
              (Log{L"over a.button", L"move a.button", L"down a.button", L"up a.button", L"out a.button"}));
    EXPECT_EQ(recorder.nav, Log{L"before app://start"});

    recorder.nav.clear();
    SendCommand(window, L"down start");
    SendCommand(window, L"up panel");
    EXPECT_TRUE(recorder.nav.empty()) << "pressed on one element, released on another: no click";
    recorder.onEvent = [](PageEvent event) { return event == PageEvent::MouseUp ? S_FALSE : S_OK; };
    SendCommand(window, L"down start");
    SendCommand(window, L"up start");
    EXPECT_TRUE(recorder.nav.empty()) << "the host cancelled the mouse-up";
    recorder.onEvent = nullptr;

    EXPECT_EQ(SendCommand(window, L"click closed"), 1);
    EXPECT_TRUE(recorder.nav.empty()) << "a disabled element's click goes nowhere";
    EXPECT_EQ(SendCommand(window, L"click row"), 1);
    EXPECT_EQ(recorder.nav, Log{L"before app://loadgame?S12%E6%9C%8D|http://127.0.0.1/game.page"});

    EXPECT_EQ(SendCommand(window, L"context panel"), 1);
    EXPECT_EQ(recorder.events.back(), L"context DIV.panel servers");
    EXPECT_EQ(recorder.menus, 1);
    recorder.onEvent = [](PageEvent) { return S_FALSE; };
    SendCommand(window, L"context panel");
    EXPECT_EQ(recorder.menus, 1) << "the host cancelled the menu";
    recorder.onEvent = nullptr;

    for (const wchar_t* bad : {L"over nobody", L"hover start", L"over"}) EXPECT_EQ(SendCommand(window, bad), 0);
    EXPECT_EQ(SendCommand(window, L"over start", 0x1234), 0) << "not our tag";

    // A relative link and a navigate command, both real navigations.
    recorder.nav.clear();
    ServedPage news(L"news.page", "title news\n");
    EXPECT_EQ(SendCommand(window, L"click news"), 1);
    ASSERT_TRUE(WaitFor([&] { return recorder.Logged(L"document " + news.url()); }));
    EXPECT_EQ(recorder.nav.front(), L"before " + news.url());
    EXPECT_EQ(SendCommand(window, L"navigate " + page.url()), 1);
    ASSERT_TRUE(WaitFor([&] { return engine->CurrentUrl() == page.url(); }));
}

TEST_F(ScriptedEngineTest, TheBackgroundPositionChangesTheDrawnFrame) {
    // A picture of one colour, half the size of the element that shows it.
    const uint32_t artColour = 0xC0392B;
    const std::wstring artFile = TempFolder() + L"zuva-art.bmp";
    ASSERT_TRUE(WritePaintedBitmap(artFile, 40, 30, [&](HDC dc) {
        const RECT all{0, 0, 40, 30};
        fw::BrushHandle brush(::CreateSolidBrush(Rgb(artColour)));
        ::FillRect(dc, &all, brush.get());
    }));
    ServedPage art(L"art.bmp", ReadFileBytes(artFile));
    ::DeleteFileW(artFile.c_str());
    ServedPage page(L"frames.page",
                    "title 精灵按钮\n"
                    "background #eef2f7\n"
                    "text 按钮显示的帧：0 常态，1 悬停，2 按下\n"
                    "element f0 a x=20 y=40 w=120 h=40 class=button text=常态\n"
                    "element f1 a x=160 y=40 w=120 h=40 class=button text=悬停\n"
                    "element f2 a x=300 y=40 w=120 h=40 class=button text=按下\n"
                    "element off a x=440 y=40 w=120 h=40 class=button text=禁用 disabled\n"
                    "element box DIV x=20 y=100 w=260 h=120 bg=#ffffff class=panel text=面板\n"
                    "element cell td x=300 y=100 w=260 h=40 bg=#e3f2fd class=server text=S12服\n"
                    "element link span x=300 y=160 w=260 h=30 text=进入游戏 href=app://loadgame?S12\n"
                    "element art img x=20 y=240 w=80 h=60 bg=#ffffff src=art.bmp plain text=画\n"
                    "element lost img x=120 y=240 w=80 h=60 bg=#e3f2fd src=lost.bmp plain text=无图\n"
                    "element band div x=300 y=240 w=260 h=60 bg=#000000 fade=#ffffff size=20 plain text=标题\n");
    ASSERT_TRUE(Show(page.url()));
    engine->SetBodyScroll(L"no");
    // The image comes after the page, scaled to its element; one that
    // cannot be had leaves its element as drawn without it.
    EXPECT_TRUE(WaitFor([&] { return PixelAt(22, 242) == Rgb(artColour); }));
    EXPECT_EQ(PixelAt(97, 297), Rgb(artColour));
    EXPECT_EQ(PixelAt(122, 242), Rgb(0xE3F2FD));
    EXPECT_EQ(PortalCount(L"/scripted/art.bmp"), 1);
    EXPECT_EQ(PortalCount(L"/scripted/lost.bmp"), 1);
    // A faded fill runs from its colour at the top to the fade at the bottom.
    EXPECT_LT(GetRValue(PixelAt(302, 242)), 24);
    EXPECT_GT(GetRValue(PixelAt(302, 297)), 216);
    std::shared_ptr<PageElement> buttons[3];
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(SendCommand(engine->Window(), L"move f" + std::to_wstring(i)), 1);
        buttons[i] = recorder.lastSource;
        EXPECT_TRUE(buttons[i]->SetBackgroundPositionX(-120 * i));
    }
    EXPECT_TRUE(buttons[1]->SameElement(*buttons[1]->Keep()));
    EXPECT_FALSE(buttons[1]->SameElement(*buttons[2]));
    PumpFor(150);
    // A pixel inside the border, left of every text.
    EXPECT_EQ(PixelAt(22, 60), Rgb(FrameFill(0)));
    EXPECT_EQ(PixelAt(162, 60), Rgb(FrameFill(1)));
    EXPECT_EQ(PixelAt(302, 60), Rgb(FrameFill(2)));
    EXPECT_EQ(PixelAt(442, 60), Rgb(kDisabledFill));
    EXPECT_TRUE(CaptureWindowPng(host.get(), L"scripted-frames.png"));

    // The picture a test asks for is what the screen shows, pixel for pixel.
    const std::wstring file = TempFolder() + L"zuva engine picture.bmp";
    ASSERT_EQ(SendCommand(engine->Window(), L"picture " + file), 1);
    SIZE size{};
    const std::vector<uint32_t> picture = BitmapFilePixels(file, &size);
    ::DeleteFileW(file.c_str());
    EXPECT_EQ(size.cx, HostSize().cx);
    EXPECT_EQ(size.cy, HostSize().cy);
    EXPECT_EQ(DifferentPixels(picture, ScreenPixels(engine->Window(), HostSize().cx, HostSize().cy)), 0u);
    EXPECT_EQ(SendCommand(engine->Window(), L"picture " + TempFolder() + L"no such folder\\x.bmp"), 0);

    buttons[2]->SetBackgroundPositionX(-120);
    PumpFor(150);
    EXPECT_EQ(PixelAt(302, 60), Rgb(FrameFill(1)));
    buttons[2]->SetBackgroundPositionX(0);
    PumpFor(150);
    EXPECT_EQ(PixelAt(302, 60), Rgb(FrameFill(0)));
}

TEST_F(ScriptedEngineTest, KeptElementsOutliveTheirPage) {
    ServedPage first(L"first.page", kLobby);
    ASSERT_TRUE(Show(first.url()));
    ASSERT_EQ(SendCommand(engine->Window(), L"move row"), 1);
    std::shared_ptr<PageElement> row = recorder.lastSource;
    ASSERT_TRUE(Show(L"about:blank"));
    EXPECT_EQ(SendCommand(engine->Window(), L"over row"), 0) << "the old page's elements are gone";
    recorder.nav.clear();
    EXPECT_TRUE(row->SetBackgroundPositionX(-10));
    row->Click();
    PumpFor(100);
    EXPECT_TRUE(recorder.nav.empty()) << "an element of a page no longer shown leads nowhere";
    engine.reset();
    EXPECT_EQ(row->TagName() + L"." + row->ClassName(), L"td.server hot") << "and it outlives the engine";
}

TEST_F(ScriptedEngineTest, TheUnloadAlertGoesToTheHostFirst) {
    ServedPage leaving(L"leaving.page", "title leaving\nonunload alert 确定要离开吗？\n");
    ServedPage next(L"next.page", "title next\n");
    ASSERT_TRUE(Show(leaving.url()));
    recorder.nav.clear();
    ASSERT_TRUE(Show(next.url()));
    const std::wstring message = std::wstring(L"message 确定要离开吗？|") + kWebMessageCaption + L"|" +
                                 std::to_wstring(MB_OK | MB_ICONWARNING) + L"|window";
    EXPECT_EQ(recorder.nav, (Log{L"before " + next.url(), message, L"complete " + next.url(), L"title next",
                                 L"document " + next.url()}));
    engine.reset();
    EXPECT_EQ(std::count(recorder.nav.begin(), recorder.nav.end(), message), 1) << "the unload action ran once";
}

TEST_F(ScriptedEngineTest, TheEnginesOwnAlertBoxMayBeDestroyedUnderIt) {
    ServedPage leaving(L"box.page", "title box\nonunload alert 再见\n");
    ServedPage next(L"after-box.page", "title after\n");
    recorder.messageAnswer = S_FALSE;
    BoxWatch watch;
    ::SetWindowLongPtrW(host.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&watch));
    ::SetTimer(host.get(), 1, 100, nullptr);

    // Leaving the page: the box comes up, is destroyed, the next page arrives.
    ASSERT_TRUE(Show(leaving.url()));
    ASSERT_TRUE(Show(next.url()));
    EXPECT_EQ(watch.destroyed, 1);
    EXPECT_EQ(watch.owner, host.get()) << "owned by the engine's top-level window";
    EXPECT_TRUE(watch.ownerDisabled) << "modal";
    EXPECT_TRUE(::IsWindowEnabled(host.get()));
    EXPECT_EQ(engine->CurrentUrl(), next.url());

    // Ending the engine on the page.
    ASSERT_TRUE(Show(leaving.url()));
    HWND window = engine->Window();
    engine.reset();
    ::KillTimer(host.get(), 1);
    ::SetWindowLongPtrW(host.get(), GWLP_USERDATA, 0);
    EXPECT_EQ(watch.destroyed, 2);
    EXPECT_FALSE(::IsWindow(watch.box));
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(::IsWindowEnabled(host.get()));
}

TEST_F(ScriptedEngineTest, GarbageAndOverlongPagesStillComplete) {
    std::string noise, huge;
    for (unsigned i = 0, seed = 7; i < 5000; ++i) {
        seed = seed * 1103515245 + 12345;
        noise += static_cast<char>(seed >> 16);
    }
    for (int i = 0; huge.size() < 200 * 1024; ++i) huge += "element e" + std::to_string(i) + " div w=20 h=20\n";
    ServedPage garbage(L"garbage.page", noise);
    ServedPage large(L"huge.page", huge);
    for (const ServedPage* page : {&garbage, &large}) {
        ASSERT_TRUE(Show(page->url()));
        EXPECT_EQ(engine->CurrentUrl(), page->url());
        ::UpdateWindow(engine->Window());
    }
    EXPECT_EQ(SendCommand(engine->Window(), L"over e10"), 1);
    EXPECT_EQ(SendCommand(engine->Window(), L"over e1500"), 0) << "past the element bound";
}

TEST_F(ScriptedEngineTest, EndingTheEngineAbandonsANavigationInFlight) {
    PortalAnswer(L"/scripted/stalled.page", L"wait_ms=4000&body=title%20late");
    engine->Navigate(PortalUrl(L"/scripted/stalled.page"));
    PumpFor(100);
    const DWORD start = ::GetTickCount();
    engine.reset();
    EXPECT_LT(::GetTickCount() - start, 2500u) << "the fetch is not waited for";
    PumpFor(4500);
    EXPECT_EQ(recorder.nav.size(), 1u);
}

TEST_F(ScriptedEngineTest, TheSiteSamplesShowAndMoveOn) {
    std::wstring site = L"Z:";
    for (const char* p = ZUVA_SOURCE_DIR; *p; ++p) site += static_cast<wchar_t>(*p);
    std::vector<std::unique_ptr<ServedPage>> pages;
    for (const wchar_t* name : {L"sample.page", L"news.page", L"game.page"}) {
        std::ifstream in((site + L"/tools/portal/site/pages/" + name).c_str(), std::ios::binary);
        const std::string script((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(script.empty());
        pages.push_back(std::make_unique<ServedPage>(name, script));
    }
    // The news page moves on to the lobby by itself once it has loaded.
    ASSERT_TRUE(Show(pages[1]->url()));
    ASSERT_TRUE(WaitFor([&] { return recorder.Logged(L"document " + pages[0]->url()); }));
    EXPECT_TRUE(recorder.Logged(L"title 游戏大厅"));
    PumpFor(100);
    CaptureWindowPng(host.get(), L"scripted-sample.png");
    recorder.nav.clear();
    EXPECT_EQ(SendCommand(engine->Window(), L"click s12"), 1);
    EXPECT_EQ(recorder.nav, Log{L"before app://loadgame?S12%E6%9C%8D-%E9%A3%8E%E6%9A%B4%E4%B9%8B%E5%9F%8E|"
                                L"http://127.0.0.1:47861/pages/game.page"});
}
