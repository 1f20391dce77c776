#include "ui/MessageBox.h"

#include "resource.h"
#include "ui/ControlLayout.h"
#include "ui/RectConvert.h"
#include "ui/SkinCatalog.h"
#include "ui/SkinFrame.h"
#include "ui/WindowDpi.h"
#include "ui/WorkArea.h"

namespace {
const UINT kTemplateMessageBox = IDD_MESSAGE_BOX;
}  // namespace

CMessageBox::CMessageBox(CWnd* owner) : CDlgEx(kTemplateMessageBox, owner) {}

void CMessageBox::SetContent(int type, const std::wstring& text, fw::BitmapHandle background,
                             fw::BitmapHandle close, fw::BitmapHandle button1, fw::BitmapHandle button2) {
    m_nType = type;
    m_strCaption = L"KorvelFerrowind";
    m_strText = text;
    m_hbmFrame = std::move(background);
    m_hbmClose = std::move(close);
    m_hbmButton1 = std::move(button1);
    m_hbmButton2 = std::move(button2);
}

BOOL CMessageBox::OnInitDialog() {
    CDlgEx::OnInitDialog();
    SetStandardFrameMetrics();
    if (m_launcherImages) {
        SetSkin(SmallDialogSkin());  // by ids: the base draws it again at a new scale
        LoadButtonImages();
    } else {
        DialogSkin skin;
        skin.background = std::move(m_hbmFrame);  // goes on living as the dialog's skin
        skin.nineGrid = true;
        skin.close = std::move(m_hbmClose);
        SetSkin(std::move(skin));
    }
    SetTitle(m_strCaption);

    for (wchar_t ch : m_strText)
        if (ch == L'\n') ++m_nLines;
    // Drawn by PaintExtras; the label is never shown. The dialog destroys it.
    ::CreateWindowExW(0, L"STATIC", m_strText.c_str(), WS_CHILD, 0, 0, 0, 0, m_hWnd,
                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kIdText)), nullptr, nullptr);

    PlaceCentred();
    const MessageBoxButtons buttons = ButtonRects();
    if (buttons.hasSecond) {
        const bool yesNo = m_nType == kBoxYesNo;
        CreateButton(m_btn1, kIdButton1, buttons.first, m_hbmButton1.get(), L"", yesNo ? L"是" : L"确定");
        CreateButton(m_btn2, kIdButton2, buttons.second, m_hbmButton2.get(), L"", yesNo ? L"否" : L"取消");
    } else {
        // The one button also carries its caption as window text, where
        // screen readers look for it.
        CreateButton(m_btn1, kIdButton1, buttons.first, m_hbmButton1.get(), L"确定", L"确定");
    }
    SetButtonFont();
    return TRUE;
}

void CMessageBox::LoadButtonImages() {
    m_hbmButton1 = LoadSkinBitmap(IDB_PUSH_BUTTON, scale().dpi());
    m_hbmButton2 = LoadSkinBitmap(IDB_PUSH_BUTTON, scale().dpi());
}

Size CMessageBox::ButtonSize(int dpi) const {
    if (m_launcherImages) {
        const Size strip = SkinImageSize(IDB_PUSH_BUTTON, dpi);
        return Size{strip.cx / 4, strip.cy};
    }
    const SIZE strip = BitmapSize(m_hbmButton1.get());  // given images have the one scale
    return Size{strip.cx / 4, strip.cy};
}

Size CMessageBox::ContentSize(HFONT font, const DpiScale& scale, const Size& button) const {
    RECT text{0, 0, 0, 0};
    {
        fw::WindowDc dc(m_hWnd);
        fw::SelectScope select(dc.get(), font);
        ::DrawTextW(dc.get(), m_strText.c_str(), static_cast<int>(m_strText.size()), &text, DT_CALCRECT);
    }
    return MessageBoxWindowSize(text.right - text.left, text.bottom - text.top, m_nLines, button.cx, button.cy,
                                scale);
}

std::optional<SIZE> CMessageBox::SizeAtDpi(int dpi) {
    const DpiScale at(dpi);
    fw::FontHandle font = DialogFontAt(at);
    const Size size = ContentSize(font ? font.get() : GetFont(), at, ButtonSize(at.dpi()));
    return SIZE{size.cx, size.cy};
}

MessageBoxButtons CMessageBox::ButtonRects() const {
    const Size button = ButtonSize(scale().dpi());
    const RECT client = GetClientRect();
    return LayoutMessageBoxButtons(m_nType, client.right, client.bottom, button.cx, button.cy, scale());
}

void CMessageBox::LayOutButtons() {
    const MessageBoxButtons rects = ButtonRects();
    const std::pair<CBtnEx*, Rect> buttons[] = {{&m_btn1, rects.first}, {&m_btn2, rects.second}};
    for (const auto& [button, rc] : buttons) {
        if (!button->m_hWnd) continue;
        button->SetWindowPos(nullptr, rc.left, rc.top, rc.width(), rc.height(), SWP_NOZORDER | SWP_NOACTIVATE);
        button->StoreWindowRect();
    }
}

void CMessageBox::SetButtonFont() {
    HFONT font = scale().IsBase() && SystemScale().IsBase() ? nullptr : GetFont();
    for (CBtnEx* button : {&m_btn1, &m_btn2})
        if (button->m_hWnd) button->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void CMessageBox::OnScaleChanged() {
    if (m_launcherImages) {
        LoadButtonImages();
        if (m_btn1.m_hWnd) m_btn1.SetImage(m_hbmButton1.get(), false);
        if (m_btn2.m_hWnd) m_btn2.SetImage(m_hbmButton2.get(), false);
    }
    SetButtonFont();
}

void CMessageBox::PlaceCentred() {
    // Over the owner when it is on screen, else in the middle of the work
    // area of the owner's display (the primary one without an owner). A
    // move onto a display of another scale lays the box out again at that
    // scale: it is centred once more at its size there.
    for (int tries = 0; tries < 2; ++tries) {
        const int dpi = scale().dpi();
        const Size size = ContentSize(GetFont(), scale(), ButtonSize(dpi));
        RECT area{};
        HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
        if (!owner || !::IsWindowVisible(owner) || ::IsIconic(owner) || !::GetWindowRect(owner, &area) ||
            area.right - area.left < size.cx || area.bottom - area.top < size.cy)
            area = WorkAreaOfWindow(owner);
        const Rect at = CentredRect(ToRect(area), size);
        SetWindowPos(nullptr, at.left, at.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        if (scale().dpi() == dpi) return;
    }
}

void CMessageBox::CreateButton(CBtnEx& button, UINT id, const Rect& rc, HBITMAP strip, const wchar_t* windowText,
                               const wchar_t* caption) {
    if (!button.CreateEx(0, L"BUTTON", windowText, WS_CHILD | WS_VISIBLE, ToRECT(rc), m_hWnd, id)) return;
    if (strip) button.SetImage(strip, true);
    button.m_strText = caption;
    button.Invalidate(TRUE);
}

bool CMessageBox::OnCommand(UINT id, UINT code, HWND ctl) {
    if (id == kIdButton1 || id == kIdButton2) {
        EndDialog(MessageBoxResult(m_nType, id));
        return true;
    }
    return CDlgEx::OnCommand(id, code, ctl);
}

void CMessageBox::PaintExtras(HDC dc) {
    // Asked at each paint: the font is made again when the box changes DPI.
    fw::SelectScope font(dc, GetFont());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));  // the title left its own colour in the image
    RECT measured{0, 0, 0, 0};
    ::DrawTextW(dc, m_strText.c_str(), static_cast<int>(m_strText.size()), &measured, DT_CALCRECT);
    const RECT client = GetClientRect();
    const std::vector<std::wstring> lines = SplitLines(m_strText);
    const std::vector<Rect> rects = MessageTextLineRects(client.right, measured.right - measured.left,
                                                         measured.bottom - measured.top, m_nLines, scale());
    for (size_t i = 0; i < lines.size() && i < rects.size(); ++i) {
        RECT r = ToRECT(rects[i]);
        ::DrawTextW(dc, lines[i].c_str(), static_cast<int>(lines[i].size()), &r, 0);
    }
}

LRESULT CMessageBox::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE:
        EndDialog(IDCANCEL);
        return 0;
    case WM_SIZE: {
        const LRESULT result = CDlgEx::WindowProc(msg, wp, lp);
        LayOutButtons();
        return result;
    }
    default:
        return CDlgEx::WindowProc(msg, wp, lp);
    }
}

int ShowSkinnedMessageBox(HWND owner, const std::wstring& text, fw::BitmapHandle background,
                          fw::BitmapHandle close, fw::BitmapHandle button1, fw::BitmapHandle button2, int type) {
    CMessageBox box(nullptr);
    box.SetOwnerWindow(owner);
    box.SetContent(type, text, std::move(background), std::move(close), std::move(button1), std::move(button2));
    return static_cast<int>(box.DoModal());
}

int ShowMessageBox(int type, const std::wstring& text, HWND owner) {
    // The box opens over its owner, on the owner's display, and draws its
    // images at the scale of the display it is on.
    CMessageBox box(nullptr);
    box.SetOwnerWindow(owner);
    box.SetContent(type, text, fw::BitmapHandle(), fw::BitmapHandle(), fw::BitmapHandle(), fw::BitmapHandle());
    box.UseLauncherImages();
    return static_cast<int>(box.DoModal());
}
