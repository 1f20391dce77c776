#include "ui/MessageBox.h"

#include "resource.h"
#include "ui/ControlLayout.h"
#include "ui/RectConvert.h"
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
    DialogSkin skin;
    skin.background = std::move(m_hbmFrame);  // goes on living as the dialog's skin
    skin.nineGrid = true;
    skin.close = std::move(m_hbmClose);
    SetSkin(std::move(skin));
    SetTitle(m_strCaption);

    for (wchar_t ch : m_strText)
        if (ch == L'\n') ++m_nLines;
    // Drawn by PaintExtras; the label is never shown. The dialog destroys it.
    ::CreateWindowExW(0, L"STATIC", m_strText.c_str(), WS_CHILD, 0, 0, 0, 0, m_hWnd,
                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kIdText)), nullptr, nullptr);

    RECT text{0, 0, 0, 0};
    {
        fw::WindowDc dc(m_hWnd);
        fw::SelectScope font(dc.get(), GetFont());
        ::DrawTextW(dc.get(), m_strText.c_str(), static_cast<int>(m_strText.size()), &text, DT_CALCRECT);
    }
    const SIZE strip = BitmapSize(m_hbmButton1.get());
    const int buttonWidth = strip.cx / 4;
    const int buttonHeight = strip.cy;
    const Size size = MessageBoxWindowSize(text.right - text.left, text.bottom - text.top, m_nLines,
                                           buttonWidth, buttonHeight, scale());
    PlaceCentred(size);

    const RECT client = GetClientRect();
    const MessageBoxButtons buttons =
        LayoutMessageBoxButtons(m_nType, client.right, client.bottom, buttonWidth, buttonHeight, scale());
    if (buttons.hasSecond) {
        const bool yesNo = m_nType == kBoxYesNo;
        CreateButton(m_btn1, kIdButton1, buttons.first, m_hbmButton1.get(), L"", yesNo ? L"是" : L"确定");
        CreateButton(m_btn2, kIdButton2, buttons.second, m_hbmButton2.get(), L"", yesNo ? L"否" : L"取消");
    } else {
        // The one button also carries its caption as window text, where
        // screen readers look for it.
        CreateButton(m_btn1, kIdButton1, buttons.first, m_hbmButton1.get(), L"确定", L"确定");
    }
    return TRUE;
}

void CMessageBox::PlaceCentred(const Size& size) {
    // Over the owner when it is on screen, else in the middle of the work
    // area of the owner's display (the primary one without an owner).
    RECT area{};
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (!owner || !::IsWindowVisible(owner) || ::IsIconic(owner) || !::GetWindowRect(owner, &area) ||
        area.right - area.left < size.cx || area.bottom - area.top < size.cy)
        area = WorkAreaOfWindow(owner);
    const Rect at = CentredRect(ToRect(area), size);
    SetWindowPos(nullptr, at.left, at.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMessageBox::CreateButton(CBtnEx& button, UINT id, const Rect& rc, HBITMAP strip, const wchar_t* windowText,
                               const wchar_t* caption) {
    // No font of its own: the button draws its caption in the stock GUI font.
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
    // The box opens over its owner, on the owner's display.
    const int dpi = ScaleOfWindow(owner).dpi();  // the screen's without an owner
    return ShowSkinnedMessageBox(owner, text, LoadSkinBitmap(IDB_DIALOG_FRAME, dpi),
                                 LoadSkinBitmap(IDB_CLOSE_BUTTON, dpi), LoadSkinBitmap(IDB_PUSH_BUTTON, dpi),
                                 LoadSkinBitmap(IDB_PUSH_BUTTON, dpi), type);
}
