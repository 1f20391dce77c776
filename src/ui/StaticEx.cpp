#include "ui/StaticEx.h"

#include "ui/BtnEx.h"
#include "ui/ControlLayout.h"
#include "ui/Offscreen.h"
#include "ui/WindowDpi.h"

namespace {
// Measures the sample that gives a line's height and an average character.
const wchar_t kSample[] = L"测试用汉字来获取宽度";
}

void CStaticEx::PreSubclassWindow() { m_strText = GetWindowText(); }

bool CStaticEx::SetImage(HBITMAP bitmap) {
    const SIZE size = BitmapSize(bitmap);
    fw::ImageListHandle list = MakeMaskedImageList(bitmap, size.cx, size.cy, 1);
    if (!list) return false;
    m_ilImage = std::move(list);
    m_nImageWidth = size.cx;
    m_nImageHeight = size.cy;
    m_bImageRight = false;
    return true;
}

HFONT CStaticEx::LabelFont(const DpiScale& scale) {
    if (m_font && m_fontDpi == scale.dpi()) return m_font.get();
    m_fontDpi = scale.dpi();
    HFONT base = GetFont();
    if (!base) base = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    LOGFONTW lf{};
    ::GetObjectW(base, sizeof(lf), &lf);
    // Set sizes are 96-DPI pixels; the window's own font is already at its DPI.
    if (m_nFontHeight != 0) lf.lfHeight = scale.Px(m_nFontHeight);
    if (m_nFontWeight != -1) lf.lfWeight = m_nFontWeight;
    if (m_nFontWidth != 0) lf.lfWidth = scale.Px(m_nFontWidth);
    if (m_bUnderline) lf.lfUnderline = TRUE;
    m_font.reset(::CreateFontIndirectW(&lf));
    return m_font ? m_font.get() : base;
}

UINT CStaticEx::DrawFormat() const {
    const DWORD style = static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
    UINT format = DT_WORDBREAK;
    if ((style & SS_TYPEMASK) == SS_CENTER) format |= DT_CENTER | DT_VCENTER;
    else if ((style & SS_TYPEMASK) == SS_RIGHT) format |= DT_RIGHT;
    if (style & SS_ENDELLIPSIS) format |= DT_END_ELLIPSIS;
    if (style & SS_PATHELLIPSIS) format |= DT_PATH_ELLIPSIS | DT_SINGLELINE;
    if (style & SS_CENTERIMAGE) format |= DT_VCENTER | DT_SINGLELINE;
    return format;
}

void CStaticEx::DrawContent(HDC dc, const DpiScale& scale) {
    RECT line = GetClientRect();
    line.left += LabelTextLeft(m_nImageWidth, scale);
    const UINT format = DrawFormat();
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, (m_bHoverColour && m_bHover) ? m_crHover : m_crNormal);
    fw::SelectScope font(dc, LabelFont(scale));

    RECT sample{0, 0, 0, 0};
    ::DrawTextW(dc, kSample, 11, &sample, DT_CALCRECT);
    const int lineHeight = sample.bottom - sample.top;
    const int minWidth = (sample.right - sample.left) / 11;
    line.bottom = line.top + lineHeight;
    if (line.right - line.left < minWidth) return;

    const int lineWidth = line.right - line.left;
    // Measured on one line: word breaking would keep every piece inside the width.
    auto measure = [&](const std::wstring& piece) {
        RECT r{0, 0, 0, 0};
        ::DrawTextW(dc, piece.c_str(), static_cast<int>(piece.size()), &r, DT_CALCRECT | DT_SINGLELINE);
        return static_cast<int>(r.right - r.left);
    };
    const std::vector<std::wstring> lines = BreakLabelLines(m_strText, lineWidth, measure);
    for (const std::wstring& text : lines) {
        RECT r = line;
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
        ::OffsetRect(&line, 0, LabelLinePitch(lineHeight, m_nLineSpacing, scale));
    }

    // Grow downward (never shrink) so that every line shows.
    const int needed = LabelHeightFor(static_cast<int>(lines.size()), lineHeight, m_nLineSpacing, scale);
    RECT wr = GetWindowRect();
    if (wr.bottom - wr.top < needed) {
        HWND parent = ::GetParent(m_hWnd);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&wr), 2);
        MoveWindow(wr.left, wr.top, wr.right - wr.left, needed, TRUE);
    }
}

void CStaticEx::OnPaint() {
    fw::PaintDc paint(m_hWnd);
    RECT client = GetClientRect();
    OffscreenImage image(paint.get(), client.right, client.bottom);
    if (!image.ok()) return;
    PaintParentBackground(m_hWnd, image.dc());

    const DpiScale scale = m_layoutDpi > 0 ? DpiScale(m_layoutDpi) : ScaleOfWindow(m_hWnd);
    const Rect at = LabelPictureRect(Size{client.right, client.bottom}, Size{m_nImageWidth, m_nImageHeight},
                                     m_bImageRight, scale);
    if (m_ilImage) {
        ::ImageList_Draw(m_ilImage.get(), m_nImageIndex, image.dc(), at.left, at.top, ILD_TRANSPARENT);
    } else if (m_hLabelIcon) {
        const Size icon = scale.Of(Size{16, 16});
        ::DrawIconEx(image.dc(), at.left, at.top, m_hLabelIcon, icon.cx, icon.cy, 0, nullptr, DI_NORMAL);
    }
    DrawContent(image.dc(), scale);
    image.CopyTo(paint.get());
}

LRESULT CStaticEx::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (HandleHoverTracking(m_hWnd, msg, m_bTracking, m_bHover)) return 0;
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_SETFONT:
        m_font.reset();  // the label's font follows the new one at the next paint
        break;
    case WM_SETCURSOR:
        if (m_bHandCursor) ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    default:
        break;
    }
    return CStatic::WindowProc(msg, wp, lp);
}
