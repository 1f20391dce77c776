#include "extras/PopInfoDlg.h"

#include <shellapi.h>

#include "base/BuildConfig.h"
#include "base/PathText.h"
#include "base/PlayerBrowser.h"
#include "base/ProgramPaths.h"
#include "base/SettingsStore.h"
#include "extras/NoticeDate.h"
#include "net/HttpClient.h"
#include "resource.h"
#include "ui/RectConvert.h"
#include "ui/SkinImage.h"
#include "ui/WorkArea.h"

namespace {
constexpr UINT_PTR kTimerNoticeShowing = 1;  // a showing is over
constexpr UINT_PTR kTimerNoticePause = 2;    // the pause before the next showing is over
constexpr size_t kPopInfoChars = 1024;
constexpr size_t kPopEnableChars = 8;
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kHoverColour = RGB(22, 122, 235);
// A notice picture is a small image; a larger answer is refused unwritten.
constexpr uint64_t kMaxPictureBytes = 2 * 1024 * 1024;

std::wstring TodayText() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return FormatNoticeDay(now.wYear, now.wMonth, now.wDay);
}

std::wstring PictureFilePath() { return FolderOfPath(GetExePath()) + L"\\PopWnd.jpg"; }

// The look every clickable label of the notice shares.
void MakeClickable(CStaticEx& label, COLORREF normal) {
    label.m_crNormal = normal;
    label.m_bHandCursor = true;
    label.m_bUnderline = false;
    label.ModifyStyle(0, SS_NOTIFY);
    label.m_crHover = kHoverColour;
    label.m_bHoverColour = true;
}
}  // namespace

CPopInfoDlg::CPopInfoDlg() : CDlgEx(IDD_NOTICE) {}

void CPopInfoDlg::DoDataExchange() {
    DDX_Control(IDC_NOTICE_PICTURE, m_lblPicture);
    DDX_Control(IDC_NOTICE_TITLE, m_lblTitle);
    DDX_Control(IDC_NOTICE_TEXT, m_lblText);
    DDX_Control(IDC_NOTICE_DETAILS, m_lnkDetails);
}

bool CPopInfoDlg::ShouldShowNotice(const std::wstring& record) const {
    if (record.empty()) return false;
    return ShouldShowNoticeRecord(record, ReadZuvaValue(IniLocation::ExeFolder, L"PopInfo", L"", kPopInfoChars),
                                  ReadZuvaValue(IniLocation::ExeFolder, L"PopEnable", L"", kPopEnableChars));
}

bool CPopInfoDlg::FetchNotice() {
    const std::wstring address = L"http://" + std::wstring(buildcfg::kServiceHost) + L"/notice/zuva.txt";
    std::wstring fetched;
    if (!IsPortalAddress(address) || !HttpFetchText(address, &fetched)) return false;
    const std::wstring record = TrimNoticeText(fetched);
    if (!ShouldShowNotice(record)) return false;
    const std::optional<NoticeRecord> notice = ParseNoticeRecord(record);
    if (!notice || IsPastLastDay(notice->lastDay, TodayText())) return false;
    m_notice = *notice;
    WriteZuvaValue(IniLocation::ExeFolder, L"PopInfo", record);
    WriteZuvaValue(IniLocation::ExeFolder, L"PopEnable", L"1");
    return true;
}

BOOL CPopInfoDlg::OnInitDialog() {
    CDlgEx::OnInitDialog();
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);  // no taskbar button
    m_hasNotice = FetchNotice();
    m_showings = NoticeShowings(m_notice.showings);

    const NoticeLayout layout = ChooseNoticeLayout(m_notice.picture, m_notice.text);
    ApplySkin(NoticeSkinOf(layout));
    if (layout == NoticeLayout::PictureOnly) {
        // The picture's own magenta shows what lies behind the window.
        ModifyStyleEx(0, WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(m_hWnd, kMagenta, 0, LWA_COLORKEY);
    }
    PlaceLabels(layout);
    PlaceOnScreen();
    SetTimer(kTimerNoticeShowing, buildcfg::kNoticeShowMs);
    return TRUE;
}

void CPopInfoDlg::ApplySkin(const NoticeSkin& skin) {
    SetFrameMetrics(skin.captionHeight, skin.border, skin.btnRight, skin.btnTop, skin.btnGap);
    DialogSkinIds images;
    images.background = skin.background;
    images.resizeToImage = true;
    images.close = skin.closeButton;
    SetSkin(images);
}

fw::BitmapHandle CPopInfoDlg::FetchPicture() const {
    const std::wstring file = PictureFilePath();
    // A failed download leaves an earlier picture to show, if there is one.
    if (IsPortalAddress(m_notice.picture))
        HttpDownloadFile(m_notice.picture, file, NoticeFetchLimit(), kMaxPictureBytes);
    int width = 0, height = 0;
    return LoadPictureFile(file, &width, &height, scale());
}

void CPopInfoDlg::PlaceLabels(NoticeLayout layout) {
    const RECT client = GetClientRect();
    const NoticeLabels labels = LayOutNoticeLabels(layout, Size{client.right, client.bottom}, m_notice.text, scale());
    fw::BitmapHandle picture;
    if (layout != NoticeLayout::TextOnly) picture = FetchPicture();

    // Labels a layout does not use would show their template texts.
    const std::pair<CStaticEx*, const NoticeLabel*> all[] = {{&m_lblPicture, &labels.picture},
                                                             {&m_lblTitle, &labels.title},
                                                             {&m_lblText, &labels.text},
                                                             {&m_lnkDetails, &labels.link}};
    for (const auto& [label, place] : all) {
        if (!place->placed) {
            label->ShowWindow(SW_HIDE);
            continue;
        }
        label->MoveWindow(ToRECT(place->rect), TRUE);
    }

    if (labels.pictureInText) {
        m_lblText.SetImage(picture.get());
        m_lblText.m_strText.clear();
        m_lblText.m_bHandCursor = true;
        m_lblText.m_bUnderline = false;
        m_lblText.ModifyStyle(0, SS_NOTIFY);
        return;
    }
    if (labels.picture.placed) {
        m_lblPicture.SetImage(picture.get());
        m_lblPicture.m_strText.clear();
    }
    m_lblTitle.m_strText = m_notice.title;
    m_lblTitle.m_nFontWeight = FW_BOLD;
    MakeClickable(m_lblTitle, RGB(19, 43, 67));
    m_lblText.m_strText = labels.shownText;
    MakeClickable(m_lblText, RGB(30, 39, 46));
    MakeClickable(m_lnkDetails, RGB(30, 39, 46));
}

void CPopInfoDlg::PlaceOnScreen() {
    if (!m_hasNotice) {
        ShowWindow(SW_HIDE);
        PostMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);  // closes it, its fate untouched
        return;
    }
    // The corner of the display the game is on: the owner's (the primary
    // display's for a notice without one).
    const RECT work = WorkAreaOfWindow(::GetWindow(m_hWnd, GW_OWNER));
    const RECT client = GetClientRect();
    const Rect place = NoticePlacement(ToRect(work), Size{client.right, client.bottom});
    SetWindowPos(HWND_TOPMOST, place.left, place.top, 0, 0, SWP_NOSIZE);
    ::BringWindowToTop(m_hWnd);
}

void CPopInfoDlg::OnTimer(UINT_PTR id) {
    if (id == kTimerNoticeShowing) {
        KillTimer(kTimerNoticeShowing);
        if (!m_showings.MoreToCome()) {
            Close(NoticeEnd::RanItsCourse);
            return;
        }
        SetTimer(kTimerNoticePause, buildcfg::kNoticePauseMs);
        ShowWindow(SW_HIDE);
    } else if (id == kTimerNoticePause) {
        m_showings.NextShowing();
        KillTimer(kTimerNoticePause);
        SetTimer(kTimerNoticeShowing, buildcfg::kNoticeShowMs);
        HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
        if (owner && ::IsWindowVisible(owner)) ShowWindow(SW_SHOW);
    }
}

void CPopInfoDlg::OnNoticeClick() {
    const std::wstring link = m_notice.link;
    Close(NoticeEnd::Dismissed);
    // In the player's browser, as the player: not elevated as this process is.
    if (IsOpenableNoticeLink(link)) OpenInPlayersBrowser(link, SW_SHOWMAXIMIZED);
}

void CPopInfoDlg::Close(NoticeEnd end) {
    KillTimer(kTimerNoticeShowing);
    KillTimer(kTimerNoticePause);
    if (const wchar_t* enable = PopEnableAfter(end)) WriteZuvaValue(IniLocation::ExeFolder, L"PopEnable", enable);
    DestroyWindow();
}

bool CPopInfoDlg::OnSysCommand(WPARAM command) {
    switch (command & 0xFFF0) {
    case SC_CLOSE:  // the skin's close button
        Close(NoticeEnd::Dismissed);
        return true;
    case SC_MINIMIZE:  // nothing to show
        Close(NoticeEnd::Unseen);
        return true;
    default:
        return false;
    }
}

BOOL CPopInfoDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_SYSCOMMAND && msg->hwnd == m_hWnd && OnSysCommand(msg->wParam)) return TRUE;
    return CDlgEx::PreTranslateMessage(msg);
}

bool CPopInfoDlg::OnCommand(UINT id, UINT code, HWND ctl) {
    if (code == STN_CLICKED && (id == IDC_NOTICE_TITLE || id == IDC_NOTICE_TEXT || id == IDC_NOTICE_DETAILS)) {
        OnNoticeClick();
        return true;
    }
    return CDlgEx::OnCommand(id, code, ctl);
}

LRESULT CPopInfoDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SYSCOMMAND:
        // Sent rather than posted, the command misses the pre-translation.
        if (OnSysCommand(wp)) return 0;
        break;
    default:
        break;
    }
    return CDlgEx::WindowProc(msg, wp, lp);
}
