// The platform browser engine in our own OLE container: the site's answers,
// how the control's events are taken apart, and the real control under
// Wine - hosted, navigating, and taken down without leaving references.
// Wine here has no HTML engine, so pages render nothing; the tests assert
// what it does raise and print every sequence they saw.
#include <gtest/gtest.h>

#include <exdispid.h>
#include <ole2.h>

#include <iostream>
#include <string>
#include <vector>

#include "PortalClient.h"
#include "WinTestSupport.h"
#include "engine/ie/BrowserEventSink.h"
#include "engine/ie/DocumentEventSink.h"
#include "engine/ie/IeGuids.h"
#include "engine/ie/IePageEngine.h"
#include "engine/ie/MyBrowserControlSite.h"
#include "ui/WindowDpi.h"

using namespace wintest;

namespace {

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

// Everything the engine tells its host, one line an event, in order.
class RecordingHost : public PageHost {
public:
    std::vector<std::string> events;
    std::wstring cancelPrefix = L"app:";  // navigations starting so are cancelled
    bool cancelErrors = true;
    DWORD flags = kHostFlagDialog | kHostFlagNo3DBorder;
    std::vector<DWORD> proposedFlags;
    HRESULT answer = S_OK;  // to context menus and message boxes
    std::wstring text, caption;
    DWORD type = 0;
    UINT command = 0;

    DWORD GetHostFlags(DWORD proposed) override { return proposedFlags.push_back(proposed), flags; }
    HRESULT ShowContextMenu() override { return answer; }
    HRESULT ShowMessage(HWND, const std::wstring& t, const std::wstring& c, DWORD ty, LRESULT* result) override {
        text = t, caption = c, type = ty, *result = IDOK;
        return answer;
    }
    HRESULT ShowHelp(HWND, const std::wstring& file, UINT cmd, DWORD data) override {
        text = file, command = cmd, type = data;
        return S_OK;
    }
    void OnBeforeNavigate(const std::wstring& url, bool top, bool* cancel) override {
        *cancel = !cancelPrefix.empty() && url.compare(0, cancelPrefix.size(), cancelPrefix) == 0;
        Note("BeforeNavigate2 " + Narrow(url) + (top ? "" : " frame") + (*cancel ? " -> cancelled" : ""));
    }
    void OnNavigateComplete(const std::wstring& url, bool top) override {
        Note("NavigateComplete2 " + Narrow(url) + (top ? " top" : " frame"));
    }
    void OnDocumentComplete(const std::wstring& url, bool top) override {
        Note("DocumentComplete " + Narrow(url) + (top ? " top" : " frame"));
    }
    void OnNavigateError(const std::wstring& url, long status, bool* cancel) override {
        *cancel = cancelErrors;
        Note("NavigateError " + Narrow(url) + " status " + std::to_string(status) +
             (*cancel ? " -> cancelled" : ""));
    }
    void OnTitleChange(const std::wstring& title) override { Note("TitleChange " + Narrow(title)); }
    HRESULT OnPageEvent(PageEvent event, PageElement& source) override {
        Note("PageEvent " + std::to_string(static_cast<long>(event)) + " " + Narrow(source.TagName()));
        return S_OK;
    }

    void Note(const std::string& e) { events.push_back(e); }
    size_t Count(const std::string& prefix) const {
        size_t n = 0;
        for (const auto& e : events) n += e.compare(0, prefix.size(), prefix) == 0;
        return n;
    }
    void Print(const std::string& what) const {
        std::cout << "[wine events] " << what << ":" << (events.empty() ? " (none)" : "") << "\n";
        for (const auto& e : events) std::cout << "  " << e << "\n";
    }
};

// ---- The site: what the control learns from us.

class IeEngineSiteTest : public ::testing::Test {
protected:
    ~IeEngineSiteTest() override {
        EXPECT_EQ(site.HeldReferences(), 0u) << "every reference the test took was given back";
        ::DestroyWindow(window);
    }
    RecordingHost host;
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 10, 20, 300, 200, nullptr, nullptr, nullptr, nullptr);
    CMyBrowserControlSite site{host, window};
};

TEST_F(IeEngineSiteTest, EveryInterfaceIsOneObjectAndCountsItsReferences) {
    fw::ComPtr<IUnknown> identity;
    ASSERT_EQ(site.ClientSite()->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.put())), S_OK);
    for (const IID& iid : {IID_IOleClientSite, IID_IOleWindow, IID_IOleInPlaceSite, IID_IOleInPlaceFrame,
                           IID_IOleInPlaceUIWindow, IID_IDocHostUIHandler, ie::kIidDocHostShowUI}) {
        fw::ComPtr<IUnknown> p, back;
        ASSERT_EQ(site.ClientSite()->QueryInterface(iid, reinterpret_cast<void**>(p.put())), S_OK);
        ASSERT_EQ(p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(back.put())), S_OK);
        EXPECT_EQ(back.get(), identity.get()) << "IUnknown is the same from every interface";
    }
    EXPECT_EQ(site.HeldReferences(), 1u);
    identity.reset();
    void* none = &none;
    EXPECT_EQ(site.ClientSite()->QueryInterface(IID_IDispatch, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
}

TEST_F(IeEngineSiteTest, HostInfoHasTheHostsFlagsAndHonoursTheCallersSize) {
    DOCHOSTUIINFO info{};
    info.cbSize = sizeof(info);
    info.pchHostCss = reinterpret_cast<OLECHAR*>(1);
    ASSERT_EQ(site.GetHostInfo(&info), S_OK);
    // Above 96 DPI the control is also told that its host is DPI aware, so
    // that it zooms pages to the display; at 96 the flags are the host's own.
    const DWORD flags = ScaleOfWindow(window).IsBase() ? host.flags : host.flags | DOCHOSTUIFLAG_DPI_AWARE;
    EXPECT_EQ(info.dwFlags, flags);
    EXPECT_EQ(info.dwDoubleClick, static_cast<DWORD>(DOCHOSTUIDBLCLK_DEFAULT));
    EXPECT_EQ(info.pchHostCss, nullptr);
    EXPECT_EQ(host.proposedFlags, std::vector<DWORD>{0});

    // An older caller's structure ends after the flags: nothing beyond is written.
    DOCHOSTUIINFO shorter{};
    shorter.cbSize = offsetof(DOCHOSTUIINFO, dwDoubleClick);
    shorter.dwDoubleClick = 77;
    EXPECT_EQ(site.GetHostInfo(&shorter), S_OK);
    EXPECT_EQ(shorter.dwFlags, flags);
    EXPECT_EQ(shorter.dwDoubleClick, 77u);
    DOCHOSTUIINFO empty{};
    EXPECT_NE(site.GetHostInfo(&empty), S_OK);
    EXPECT_EQ(empty.dwFlags, 0u);
}

TEST_F(IeEngineSiteTest, MessagesHelpAndContextMenuGoToTheHost) {
    wchar_t text[] = L"Really leave?", caption[] = L"Page", file[] = L"help.chm";
    LRESULT result = 0;
    EXPECT_EQ(site.ShowMessage(window, text, caption, MB_OKCANCEL, file, 5, &result), S_OK);
    EXPECT_EQ(host.text, L"Really leave?");
    EXPECT_EQ(host.caption, L"Page");
    EXPECT_EQ(host.type, static_cast<DWORD>(MB_OKCANCEL));
    EXPECT_EQ(result, IDOK) << "the host's answer reaches the browser";
    host.answer = S_FALSE;
    EXPECT_EQ(site.ShowMessage(window, nullptr, nullptr, MB_OK, nullptr, 0, nullptr), S_FALSE)
        << "no text and no result slot are taken in stride";

    EXPECT_EQ(site.ShowHelp(window, file, HELP_CONTEXT, 42, POINT{1, 2}, nullptr), S_OK);
    EXPECT_EQ(host.text, L"help.chm");
    EXPECT_EQ(host.command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(host.type, 42u);

    POINT pt{5, 5};
    EXPECT_EQ(site.ShowContextMenu(CONTEXT_MENU_DEFAULT, &pt, nullptr, nullptr), S_FALSE);
    host.answer = S_OK;
    EXPECT_EQ(site.ShowContextMenu(CONTEXT_MENU_DEFAULT, &pt, nullptr, nullptr), S_OK);
    IDispatch* external = reinterpret_cast<IDispatch*>(&pt);
    EXPECT_TRUE(FAILED(site.GetExternal(&external)));
    EXPECT_EQ(external, nullptr) << "pages get no external object";
}

TEST_F(IeEngineSiteTest, InPlaceContextIsTheWholeWindowWithTheSiteAsFrame) {
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* doc = reinterpret_cast<IOleInPlaceUIWindow*>(1);
    RECT pos{}, clip{};
    OLEINPLACEFRAMEINFO info{};
    info.cb = sizeof(info);
    ASSERT_EQ(site.GetWindowContext(&frame, &doc, &pos, &clip, &info), S_OK);
    fw::ComPtr<IOleInPlaceFrame> owned;
    owned.attach(frame);
    EXPECT_EQ(site.HeldReferences(), 1u) << "the frame handed out is counted";
    EXPECT_EQ(doc, nullptr);
    EXPECT_EQ(pos.right - pos.left, 300);
    EXPECT_EQ(pos.bottom - pos.top, 200);
    EXPECT_TRUE(::EqualRect(&pos, &clip));
    EXPECT_EQ(info.hwndFrame, window);
}

// ---- The control's events as the sink takes them apart.

struct SinkRecorder : ie::BrowserEvents {
    std::vector<std::string> seen;
    IDispatch* frame = nullptr;
    bool cancelWith = false;
    void BeforeNavigate(IDispatch* f, const std::wstring& url, bool* cancel) override {
        frame = f;
        seen.push_back("before " + Narrow(url) + (*cancel ? " cancel-in" : ""));
        *cancel = cancelWith;
    }
    void NavigateComplete(IDispatch* f, const std::wstring& url) override {
        frame = f, seen.push_back("complete " + Narrow(url));
    }
    void DocumentComplete(IDispatch* f, const std::wstring& url) override {
        frame = f, seen.push_back("document " + Narrow(url));
    }
    void NavigateError(IDispatch*, const std::wstring& url, long status, bool* cancel) override {
        seen.push_back("error " + Narrow(url) + " " + std::to_string(status));
        *cancel = cancelWith;
    }
    void TitleChange(const std::wstring& title) override { seen.push_back("title " + Narrow(title)); }
    void NewWindow(const std::wstring& url, bool* cancel) override {
        seen.push_back("new window " + Narrow(url));
        *cancel = cancelWith;
    }
};

// An argument the way the control passes it; by reference when asked.
class Arg {
public:
    explicit Arg(const wchar_t* text, bool byRef = true) {
        Init(byRef).vt = VT_BSTR, m_inner.bstrVal = ::SysAllocString(text);
    }
    explicit Arg(long n) { Init(true).vt = VT_I4, m_inner.lVal = n; }
    explicit Arg(IDispatch* d) { Init(false).vt = VT_DISPATCH, m_inner.pdispVal = d; }
    explicit Arg(VARIANT_BOOL* slot) { Init(false).vt = VT_BYREF | VT_BOOL, m_inner.pboolVal = slot; }
    Arg() { Init(false); }
    ~Arg() { if (m_inner.vt == VT_BSTR) ::VariantClear(&m_inner); }
    Arg(const Arg&) = delete;
    Arg& operator=(const Arg&) = delete;
    VARIANT get() const { return m_byRef ? m_outer : m_inner; }

private:
    VARIANT& Init(bool byRef) {
        ::VariantInit(&m_inner);
        ::VariantInit(&m_outer);
        m_byRef = byRef;
        m_outer.vt = VT_BYREF | VT_VARIANT;
        m_outer.pvarVal = &m_inner;
        return m_inner;
    }
    VARIANT m_inner, m_outer;
    bool m_byRef = false;
};

class IeEngineBrowserSinkTest : public ::testing::Test {
protected:
    // Arguments in declaration order; COM passes them last first.
    HRESULT Raise(DISPID id, std::initializer_list<const Arg*> args) {
        std::vector<VARIANT> reversed;
        for (auto it = std::rbegin(args); it != std::rend(args); ++it) reversed.push_back((*it)->get());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        return sink.Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    }
    SinkRecorder target;
    ie::BrowserEventSink sink{target};
    Arg frame{static_cast<IDispatch*>(&sink)}, empty;
};

TEST_F(IeEngineBrowserSinkTest, BeforeNavigateReadsTheAddressAndWritesTheCancelBack) {
    VARIANT_BOOL cancel = VARIANT_FALSE;
    Arg url(L"app://loadgame?x"), slot(&cancel);
    target.cancelWith = true;
    ASSERT_EQ(Raise(DISPID_BEFORENAVIGATE2, {&frame, &url, &empty, &empty, &empty, &empty, &slot}), S_OK);
    ASSERT_EQ(target.seen, std::vector<std::string>{"before app://loadgame?x"});
    EXPECT_EQ(target.frame, &sink);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    // A cancel already set comes in as set, and the handler may clear it.
    target.cancelWith = false;
    Raise(DISPID_BEFORENAVIGATE2, {&frame, &url, &empty, &empty, &empty, &empty, &slot});
    EXPECT_EQ(target.seen.back(), "before app://loadgame?x cancel-in");
    EXPECT_EQ(cancel, VARIANT_FALSE);
}

TEST_F(IeEngineBrowserSinkTest, CompletionErrorTitleAndNewWindowCarryTheirArguments) {
    VARIANT_BOOL cancel = VARIANT_FALSE, noWindow = VARIANT_FALSE;
    Arg url(L"http://127.0.0.1/a.htm"), status(404L), none(L""), slot(&cancel), title(L"Ferrowind", false),
        plain(L"about:blank", false), windowSlot(&noWindow), opened(L"http://127.0.0.1/news.htm", false);
    target.cancelWith = true;
    Raise(DISPID_NAVIGATECOMPLETE2, {&frame, &url});
    Raise(DISPID_DOCUMENTCOMPLETE, {&frame, &url});
    Raise(DISPID_NAVIGATEERROR, {&frame, &url, &none, &status, &slot});
    Raise(DISPID_TITLECHANGE, {&title});
    Raise(DISPID_NAVIGATECOMPLETE2, {&frame, &plain});
    Raise(DISPID_NEWWINDOW3, {&empty, &windowSlot, &empty, &url, &opened});
    const std::vector<std::string> expected{"complete http://127.0.0.1/a.htm", "document http://127.0.0.1/a.htm",
                                            "error http://127.0.0.1/a.htm 404", "title Ferrowind",
                                            "complete about:blank", "new window http://127.0.0.1/news.htm"};
    EXPECT_EQ(target.seen, expected);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    EXPECT_EQ(noWindow, VARIANT_TRUE) << "the browser makes no window of its own";
}

TEST_F(IeEngineBrowserSinkTest, ShortArgumentListsAndOtherEventsAreIgnored) {
    Arg url(L"http://x/");
    EXPECT_EQ(Raise(DISPID_BEFORENAVIGATE2, {&frame, &url}), S_OK);
    EXPECT_EQ(Raise(DISPID_NAVIGATEERROR, {}), S_OK);
    EXPECT_EQ(sink.Invoke(DISPID_NAVIGATECOMPLETE2, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
              S_OK);
    EXPECT_EQ(Raise(DISPID_NEWWINDOW3, {&empty, &empty, &empty, &empty}), S_OK);
    EXPECT_TRUE(target.seen.empty());
    EXPECT_EQ(sink.HeldReferences(), 0u);
}

TEST(IeEngineDocumentSinkTest, WithoutAnEventObjectNothingIsAskedOrAnswered) {
    RecordingHost host;
    ie::DocumentEventSink sink(host);
    VARIANT notAnEvent = Arg(static_cast<IDispatch*>(&sink)).get();
    DISPPARAMS params{&notAnEvent, nullptr, 1, 0};
    VARIANT result;
    ::VariantInit(&result);
    for (PageEvent e : {PageEvent::MouseDown, PageEvent::ContextMenu}) {
        const DISPID id = static_cast<DISPID>(e);
        EXPECT_EQ(sink.Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr), S_OK);
        EXPECT_EQ(sink.Invoke(id, IID_NULL, 0, DISPATCH_METHOD, nullptr, &result, nullptr, nullptr), S_OK);
    }
    EXPECT_EQ(result.vt, VT_EMPTY);
    EXPECT_TRUE(host.events.empty());
    EXPECT_EQ(sink.HeldReferences(), 0u);
}

// ---- The real control, under Wine.

class TestFrame {
public:
    TestFrame() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZuvaIeTestFrame";
        ::RegisterClassW(&wc);
        hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"IE engine test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800,
                                 600, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~TestFrame() { ::DestroyWindow(hwnd); }
    TestFrame(const TestFrame&) = delete;
    TestFrame& operator=(const TestFrame&) = delete;
    HWND hwnd = nullptr;
};

class IeEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(m_ole)) << "OleInitialize";
        engine = std::make_unique<ie::IePageEngine>(host, frame.hwnd, kArea);
        ASSERT_TRUE(engine->ok()) << "the WebBrowser control was created and placed";
    }
    void TearDown() override {
        if (!engine) return;
        engine->Close();
        EXPECT_EQ(engine->HeldReferences(), 0u) << "the control let go of the site and both sinks";
        engine.reset();
        PumpFor(100);
    }
    ~IeEngineTest() override {
        if (SUCCEEDED(m_ole)) ::OleUninitialize();
    }

    // Navigates, records for `ms`, then prints what was seen.
    void NavigateAndWatch(const std::wstring& url, DWORD ms) {
        host.events.clear();
        EXPECT_TRUE(engine->Navigate(url));
        const size_t during = host.events.size();
        PumpFor(ms);
        host.Print(Narrow(url));
        // Whether the browser loaded an HTML engine at all: a Gecko prompt
        // would come from there.
        std::cout << "[wine events]   raised inside Navigate(): " << during
                  << "; mshtml.dll loaded: " << (::GetModuleHandleW(L"mshtml.dll") ? "yes" : "no")
                  << "; CurrentUrl " << Narrow(engine->CurrentUrl()) << std::endl;
    }

    static constexpr RECT kArea{10, 20, 610, 470};
    // A small page, served by the portal under any path it is installed for.
    static constexpr const wchar_t* kPage =
        L"body=%3Chtml%3E%3Chead%3E%3Ctitle%3EPortal%3C%2Ftitle%3E%3C%2Fhead%3E%3Cbody%3Ehi%3C%2Fbody%3E%3C%2Fhtml%3E"
        L"&content_type=text/html";
    HRESULT m_ole = ::OleInitialize(nullptr);
    PortalSession portal;
    TestFrame frame;
    RecordingHost host;
    std::unique_ptr<ie::IePageEngine> engine;
};

TEST_F(IeEngineTest, ControlIsHostedInAChildWindowThatFollowsTheArea) {
    HWND page = engine->Window();
    ASSERT_TRUE(::IsWindow(page));
    EXPECT_EQ(::GetParent(page), frame.hwnd);
    wchar_t cls[64] = {};
    ::GetClassNameW(page, cls, 64);
    EXPECT_STREQ(cls, L"ZuvaIePage");
    RECT rc{};
    ::GetWindowRect(page, &rc);
    ::MapWindowPoints(nullptr, frame.hwnd, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_TRUE(::EqualRect(&rc, &kArea));

    HWND control = engine->ControlWindow();
    ASSERT_TRUE(::IsWindow(control)) << "the control has its own window once in place";
    EXPECT_TRUE(::IsChild(page, control));
    ::MoveWindow(page, 0, 0, 400, 300, TRUE);
    ::GetWindowRect(control, &rc);
    EXPECT_EQ(rc.right - rc.left, 400) << "the control follows the page window's size";
    EXPECT_EQ(rc.bottom - rc.top, 300);

    engine->Close();
    EXPECT_FALSE(::IsWindow(page));
    EXPECT_FALSE(::IsWindow(control));
}

TEST_F(IeEngineTest, PortalPageIsFetched) {
    PortalAnswer(L"/ie/page.htm", kPage);
    const std::wstring url = PortalUrl(L"/ie/page.htm");
    NavigateAndWatch(url, 4000);
    ASSERT_FALSE(host.events.empty());
    EXPECT_EQ(host.events.front(), "BeforeNavigate2 " + Narrow(url));
    EXPECT_EQ(PortalCount(L"/ie/page.htm"), 1) << "the control fetched the page";
    EXPECT_EQ(engine->CurrentUrl(), url);
    // Under Wine no document follows, so neither do completion events.
    if (host.Count("NavigateComplete2") == 0) {
        EXPECT_FALSE(engine->SetBodyScroll(L"no"));
    }
}

TEST_F(IeEngineTest, CancelledAppAddressGoesNowhere) {
    NavigateAndWatch(L"app://loadgame?x", 3000);
    ASSERT_EQ(host.Count("BeforeNavigate2 app://loadgame?x -> cancelled"), 1u);
    EXPECT_EQ(host.events.size(), 1u) << "a cancelled navigation neither completes nor fails";
}

TEST_F(IeEngineTest, MissingPageAndRefusedPort) {
    NavigateAndWatch(PortalUrl(L"/ie/no-such-page.htm"), 3000);
    EXPECT_EQ(PortalCount(L"/ie/no-such-page.htm"), 1);
    EXPECT_GE(host.Count("NavigateError " + Narrow(PortalUrl(L"/ie/no-such-page.htm")) + " status 404"), 1u);
    NavigateAndWatch(L"http://127.0.0.1:9/", 3000);
    EXPECT_EQ(host.Count("NavigateError"), 1u);
    EXPECT_EQ(host.Count("NavigateComplete2"), 0u);
}

TEST_F(IeEngineTest, AppAddressAndErrorsLeftToTheControl) {
    host.cancelPrefix.clear();
    host.cancelErrors = false;
    NavigateAndWatch(L"app://loadgame?x", 3000);
    NavigateAndWatch(PortalUrl(L"/ie/no-such-page.htm"), 3000);
    EXPECT_LE(host.Count("NavigateComplete2"), host.Count("BeforeNavigate2"));
}

TEST_F(IeEngineTest, TeardownWhileNavigating) {
    PortalAnswer(L"/ie/slow.htm", std::wstring(kPage) + L"&wait_ms=3000");
    ASSERT_TRUE(engine->Navigate(PortalUrl(L"/ie/slow.htm")));
    PumpFor(300);
    engine->Close();
    EXPECT_EQ(engine->HeldReferences(), 0u) << "an unfinished navigation keeps nothing of ours";
    const size_t seen = host.events.size();
    PumpFor(3500);
    EXPECT_EQ(host.events.size(), seen) << "no events after closing";
    host.Print("closed while loading /ie/slow.htm");
}

TEST_F(IeEngineTest, ParentDestroyedBeforeTheEngine) {
    HWND page = engine->Window();
    engine->Navigate(PortalUrl(L"/ie/gone.htm"));
    ::DestroyWindow(frame.hwnd);
    EXPECT_FALSE(::IsWindow(page));
    EXPECT_EQ(engine->Window(), nullptr) << "the engine knows its window went with the parent";
    engine->Close();
    EXPECT_EQ(engine->HeldReferences(), 0u);
}

TEST_F(IeEngineTest, EnginesComeAndGoRepeatedly) {
    EXPECT_FALSE(engine->SetBodyScroll(L"no")) << "no document yet";
    engine->SetSilent(true);
    engine->Refresh();
    for (int i = 0; i < 3; ++i) {
        engine->Close();
        ASSERT_EQ(engine->HeldReferences(), 0u);
        engine = std::make_unique<ie::IePageEngine>(host, frame.hwnd, kArea);
        ASSERT_TRUE(engine->ok());
        engine->Navigate(PortalUrl(L"/ie/again.htm"));
        PumpFor(200);
    }
    auto viaFactory = CreateIePageEngine(host, frame.hwnd, kArea);
    ASSERT_NE(viaFactory, nullptr);
    EXPECT_EQ(::GetParent(viaFactory->Window()), frame.hwnd);
}

}  // namespace
