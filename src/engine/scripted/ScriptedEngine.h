#pragma once
// The scripted page engine: a browser stand-in that fetches page scripts
// over HTTP and raises the same host calls, in the same order, as the
// platform browser does for its pages.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/scripted/EngineWindow.h"
#include "engine/scripted/PageFetch.h"
#include "engine/scripted/PagePainter.h"
#include "engine/scripted/PageScript.h"
#include "engine/scripted/PointerModel.h"
#include "engine/scripted/ScriptedElement.h"
#include "framework/PageEngine.h"

namespace scripted {

class ScriptedEngine : public PageEngine, private EngineWindowHandler {
public:
    ScriptedEngine(PageHost& host, HWND parent, const RECT& area);
    // Abandons a fetch in flight, runs the page's unload action, then
    // destroys the window.
    ~ScriptedEngine() override;
    ScriptedEngine(const ScriptedEngine&) = delete;
    ScriptedEngine& operator=(const ScriptedEngine&) = delete;

    bool ok() const { return m_window.IsWindow() != FALSE; }

    HWND Window() const override { return m_window.m_hWnd; }
    bool Navigate(const std::wstring& url) override;
    // Fetches the current page's address again, without BeforeNavigate and
    // NavigateComplete, as the platform browser does for a refresh.
    void Refresh() override;
    void SetSilent(bool silent) override { m_silent = silent; }
    // Tab moves the page's focus; a focused field takes its editing keys.
    bool TranslateAccelerator(const MSG& msg) override;
    void TakeFocus() override { m_window.TakeKeys(); }
    bool SetBodyScroll(const std::wstring& value) override;
    std::wstring CurrentUrl() const override;
    bool ZoomTo(int percent) override;
    int ZoomPercent() const override { return m_zoom; }
    // The same picture as the window paints on screen.
    bool DrawPage(HDC dc) override;

private:
    friend class DocumentLink;

    // An image of the shown page on its way.
    struct ImageFetch {
        WPARAM serial;
        size_t element;  // in ShownPage::elements
        std::shared_ptr<FetchJob> job;
    };
    // What is shown: a page script, its elements and what the host said of it.
    struct ShownPage {
        ShownPage() = default;
        ShownPage(const ShownPage&) = delete;
        ShownPage& operator=(const ShownPage&) = delete;
        // Images still on their way are not wanted by the page that comes next.
        ~ShownPage();

        PageScript script;
        std::vector<std::shared_ptr<ScriptedElement>> elements;  // as script.elements
        std::shared_ptr<ElementOwner> link;  // the elements' way back while this page is shown
        std::wstring url;                    // CurrentUrl()
        std::wstring source;                 // what a refresh fetches
        bool errorPage = false;
        DWORD hostFlags = 0;
        std::wstring bodyScroll;
        std::vector<ImageFetch> images;
    };
    struct Load {
        std::wstring url;
        bool refresh = false;
    };

    // EngineWindowHandler
    void PaintPage(HDC dc, const RECT& client) override;
    void Pointer(PointerInput input, POINT point) override;
    bool RunTestCommand(const std::wstring& text) override;
    void FetchDone(WPARAM serial) override;
    void OnloadDue(WPARAM serial) override;
    void ImageDone(WPARAM serial) override;
    void Resized(int width, int height) override;

    void StartLoad(const std::wstring& url, bool refresh);
    // Fetches the images the shown page's elements name.
    void StartImages();
    void ShowPage(PageScript script, const std::wstring& url, const std::wstring& source, bool errorPage,
                  bool refresh);
    // Runs the shown page's unload action once.
    void RunUnload();
    // Raises page events; an allowed default action follows each.
    void Raise(const std::vector<PointerStep>& steps);
    // A link of the page, or of a frame of it: the host hears of a frame's
    // navigation, which shows nothing here.
    void FollowLink(const std::wstring& href, bool inFrame);
    void Redraw(const RECT& area);
    // Gives the page's focus to an element (kNone: to none) and redraws both.
    void FocusElement(size_t index);
    // The focused field, if a field has the focus.
    ScriptedElement* FocusedField() const;
    // Answers the "field" test command: "<id> <text>".
    bool FieldHolds(const std::wstring& argument) const;

    PageHost& m_host;
    // The page is laid out in CSS pixels and drawn at this zoom, in percent,
    // as the platform browser does for a DPI-aware host.
    int m_zoom;
    // Host calls may end the engine; code that goes on after one checks this.
    std::shared_ptr<int> m_life = std::make_shared<int>(0);
    EngineWindow m_window;
    PageFonts m_fonts;
    std::unique_ptr<ShownPage> m_page;
    WPARAM m_pageSerial = 0;
    std::shared_ptr<FetchJob> m_job;  // the navigation in flight
    Load m_load;
    WPARAM m_loadSerial = 0;
    WPARAM m_imageSerial = 0;
    PointerModel m_pointer;
    size_t m_focus = PageScript::kNone;  // in m_page->elements
    bool m_silent = false;
    bool m_closing = false;
};

}  // namespace scripted
