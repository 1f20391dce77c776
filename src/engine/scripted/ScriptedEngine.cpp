#include "engine/scripted/ScriptedEngine.h"

#include <algorithm>

#include "engine/PageDpi.h"
#include "engine/scripted/LifeCheck.h"
#include "engine/scripted/NavigationRules.h"
#include "engine/scripted/WebMessage.h"
#include "ui/SkinImage.h"
#include "ui/WindowDpi.h"

namespace scripted {

namespace {

PageScript ErrorPage(const std::wstring& url, long status) {
    PageScript page;
    page.title = kErrorPageTitle;
    page.text = {kErrorPageTitle, L"地址：" + url, L"状态：" + DescribeStatus(status)};
    return page;
}

}  // namespace

// The elements' way back to the engine while their page is shown.
class DocumentLink : public ElementOwner {
public:
    explicit DocumentLink(ScriptedEngine& engine) : m_engine(engine) {}
    void FollowLink(const std::wstring& href, bool inFrame) override { m_engine.FollowLink(href, inFrame); }
    void Redraw(const RECT& area) override { m_engine.Redraw(area); }

private:
    ScriptedEngine& m_engine;
};

ScriptedEngine::ShownPage::~ShownPage() {
    for (ImageFetch& image : images) image.job->Abandon();
}

ScriptedEngine::ScriptedEngine(PageHost& host, HWND parent, const RECT& area)
    : m_host(host), m_zoom(PageZoomPercent(ScaleOfWindow(parent))), m_window(*this) {
    m_window.Create(parent, area);
}

bool ScriptedEngine::ZoomTo(int percent) {
    m_zoom = percent > 0 ? percent : kBaseZoom;
    const RECT client = m_window.GetClientRect();
    Resized(client.right, client.bottom);
    m_window.Invalidate(FALSE);
    return m_page != nullptr;
}

ScriptedEngine::~ScriptedEngine() {
    m_closing = true;
    if (m_job) m_job->Abandon();
    m_job.reset();
    RunUnload();
    m_page.reset();
    m_window.DestroyWindow();
}

bool ScriptedEngine::Navigate(const std::wstring& url) {
    if (m_closing || !ok()) return false;
    LifeCheck life(m_life);
    bool cancel = false;
    m_host.OnBeforeNavigate(url, true, &cancel);
    if (life.gone() || m_closing) return false;
    if (!cancel) StartLoad(url, false);
    return true;
}

void ScriptedEngine::Refresh() {
    if (m_closing || !m_page) return;
    StartLoad(m_page->source, true);
}

bool ScriptedEngine::SetBodyScroll(const std::wstring& value) {
    if (!m_page) return false;
    m_page->bodyScroll = value;
    m_window.Invalidate(FALSE);
    return true;
}

std::wstring ScriptedEngine::CurrentUrl() const { return m_page ? m_page->url : std::wstring(); }

void ScriptedEngine::StartLoad(const std::wstring& url, bool refresh) {
    if (m_job) m_job->Abandon();  // a newer navigation supersedes it
    m_load = Load{url, refresh};
    m_job = std::make_shared<FetchJob>(m_window.m_hWnd, WM_ENGINE_FETCH_DONE, ++m_loadSerial);
    StartFetch(m_job, url);
    m_window.Invalidate(FALSE);
}

void ScriptedEngine::FetchDone(WPARAM serial) {
    if (m_closing || !m_job || serial != m_loadSerial) return;
    FetchOutcome outcome;
    if (!m_job->Take(&outcome)) return;
    m_job.reset();
    const Load load = m_load;
    if (IsSuccessStatus(outcome.status)) {
        ShowPage(ParsePageScript(outcome.body), load.url, load.url, false, load.refresh);
        return;
    }
    LifeCheck life(m_life);
    bool cancel = false;
    m_host.OnNavigateError(load.url, outcome.status, &cancel);
    if (life.gone()) return;
    m_window.Invalidate(FALSE);
    // Cancelled, the old page stays. A navigation the host started meanwhile
    // decides what comes next.
    if (cancel || serial != m_loadSerial) return;
    ShowPage(ErrorPage(load.url, outcome.status), ErrorPageAddress(load.url), load.url, true, load.refresh);
}

void ScriptedEngine::ShowPage(PageScript script, const std::wstring& url, const std::wstring& source,
                              bool errorPage, bool refresh) {
    LifeCheck life(m_life);
    const WPARAM loadSerial = m_loadSerial;
    RunUnload();
    // While the unload box was up, the engine may have ended or moved on.
    if (life.gone() || m_closing || loadSerial != m_loadSerial) return;

    // Like the platform browser, each document starts at the default zoom;
    // its host zooms it to the window's display once it has completed.
    m_zoom = DocumentDefaultZoom(ScaleOfWindow(m_window.m_hWnd), SystemScale());
    auto page = std::make_unique<ShownPage>();
    page->link = std::make_shared<DocumentLink>(*this);
    const RECT client = m_window.GetClientRect();
    for (const ElementDef& def : script.elements)
        page->elements.push_back(std::make_shared<ScriptedElement>(def, page->link));
    page->elements.front()->SetSize(CssLengthCovering(client.right, m_zoom),
                                    CssLengthCovering(client.bottom, m_zoom));
    page->script = std::move(script);
    page->url = url;
    page->source = source;
    page->errorPage = errorPage;
    // Copies: the host's calls below may replace the page.
    const std::wstring title = page->script.title;
    const std::wstring onload = page->script.onloadNavigate;
    m_page = std::move(page);
    const WPARAM pageSerial = ++m_pageSerial;
    m_pointer.Reset();
    m_focus = PageScript::kNone;
    StartImages();

    const DWORD flags = HostFlagsAtScale(m_host.GetHostFlags(0), ScaleOfWindow(m_window.m_hWnd));
    if (life.gone()) return;
    if (m_pageSerial == pageSerial) m_page->hostFlags = flags;
    m_window.Invalidate(FALSE);

    if (!refresh) {
        m_host.OnNavigateComplete(url, true);
        if (life.gone()) return;
    }
    if (!title.empty()) {
        m_host.OnTitleChange(title);
        if (life.gone()) return;
    }
    m_host.OnDocumentComplete(url, true);
    if (life.gone()) return;
    if (!onload.empty()) m_window.PostMessage(WM_ENGINE_ONLOAD_DUE, pageSerial);
}

void ScriptedEngine::StartImages() {
    for (size_t i = 1; i < m_page->elements.size(); ++i) {
        const std::wstring& src = m_page->elements[i]->def().src;
        if (src.empty()) continue;
        auto job = std::make_shared<FetchJob>(m_window.m_hWnd, WM_ENGINE_IMAGE_DONE, ++m_imageSerial);
        m_page->images.push_back(ImageFetch{m_imageSerial, i, job});
        StartFetch(job, ResolveAddress(m_page->source, src), FetchKind::Image);
    }
}

void ScriptedEngine::ImageDone(WPARAM serial) {
    if (m_closing || !m_page) return;
    std::vector<ImageFetch>& images = m_page->images;
    const auto fetch =
        std::find_if(images.begin(), images.end(), [serial](const ImageFetch& f) { return f.serial == serial; });
    if (fetch == images.end()) return;  // of a page no longer shown
    FetchOutcome outcome;
    const bool taken = fetch->job->Take(&outcome);
    const size_t element = fetch->element;
    images.erase(fetch);
    // An image that cannot be had leaves its element as drawn without it.
    if (!taken || !IsSuccessStatus(outcome.status)) return;
    int width = 0, height = 0;
    fw::BitmapHandle image = LoadPictureBytes(outcome.body, PageScript::kMaxImageSide, &width, &height);
    if (image) m_page->elements[element]->SetImage(std::move(image), SIZE{width, height});
}

void ScriptedEngine::OnloadDue(WPARAM serial) {
    // Only for the page that asked, and not when the host has moved on.
    if (m_closing || !m_page || serial != m_pageSerial || m_job) return;
    const std::wstring target = ResolveAddress(m_page->source, m_page->script.onloadNavigate);
    Navigate(target);
}

void ScriptedEngine::RunUnload() {
    if (!m_page || !m_page->script.onunloadAlert) return;
    const std::wstring text = *m_page->script.onunloadAlert;
    m_page->script.onunloadAlert.reset();
    ShowWebMessage(m_host, m_window.m_hWnd, text);
}

void ScriptedEngine::FollowLink(const std::wstring& href, bool inFrame) {
    if (m_closing || !m_page) return;
    const std::wstring url = ResolveAddress(m_page->source, href);
    if (!inFrame) {
        Navigate(url);
        return;
    }
    bool cancel = false;
    m_host.OnBeforeNavigate(url, false, &cancel);
}

void ScriptedEngine::Redraw(const RECT& area) {
    const Rect device = DeviceRectOfCss(Rect{area.left, area.top, area.right, area.bottom}, m_zoom);
    m_window.InvalidateRect(RECT{device.left, device.top, device.right, device.bottom}, FALSE);
}

void ScriptedEngine::Resized(int width, int height) {
    if (m_page)
        m_page->elements.front()->SetSize(CssLengthCovering(width, m_zoom), CssLengthCovering(height, m_zoom));
}

bool ScriptedEngine::DrawPage(HDC dc) {
    if (!m_page || !ok()) return false;
    PaintPage(dc, m_window.GetClientRect());
    return true;
}

void ScriptedEngine::PaintPage(HDC dc, const RECT& client) {
    PagePicture picture;
    if (m_page) {
        picture.hasDocument = true;
        picture.errorPage = m_page->errorPage;
        picture.background = m_page->script.background;
        picture.text = &m_page->script.text;
        picture.elements = &m_page->elements;
        picture.focused = m_focus;
        picture.status.hasDocument = true;
        picture.status.title = m_page->script.title;
        picture.status.url = m_page->url;
        picture.status.hostFlags = m_page->hostFlags;
        picture.status.bodyScroll = m_page->bodyScroll;
    }
    if (m_job) picture.status.loading = m_load.url;
    if (m_zoom == kBaseZoom) {
        scripted::PaintPage(dc, client, picture, m_fonts);
        return;
    }
    // Drawn in CSS pixels through a scaling transform: text and edges are
    // drawn at the display's resolution, not stretched afterwards.
    const int oldMode = ::SetGraphicsMode(dc, GM_ADVANCED);
    XFORM oldTransform{};
    ::GetWorldTransform(dc, &oldTransform);
    const float zoom = static_cast<float>(m_zoom) / kBaseZoom;
    const XFORM toDevice{zoom, 0.0f, 0.0f, zoom, 0.0f, 0.0f};
    ::SetWorldTransform(dc, &toDevice);
    const RECT css{0, 0, CssLengthCovering(client.right, m_zoom), CssLengthCovering(client.bottom, m_zoom)};
    scripted::PaintPage(dc, css, picture, m_fonts);
    ::SetWorldTransform(dc, &oldTransform);
    ::SetGraphicsMode(dc, oldMode);
}

}  // namespace scripted

std::unique_ptr<PageEngine> CreateScriptedPageEngine(PageHost& host, HWND parent, const RECT& area) {
    auto engine = std::make_unique<scripted::ScriptedEngine>(host, parent, area);
    if (!engine->ok()) return nullptr;
    return engine;
}
