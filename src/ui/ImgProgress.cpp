#include "ui/ImgProgress.h"

#include <commctrl.h>

#include <string>

#include "ui/ControlLayout.h"
#include "ui/Offscreen.h"
#include "ui/SkinImage.h"
#include "ui/SkinPixels.h"

void CImgProgress::SetImages(fw::BitmapHandle background, fw::BitmapHandle fill) {
    m_hbmBack = std::move(background);
    m_hbmFill = std::move(fill);
    const SIZE back = BitmapSize(m_hbmBack.get());
    SetWindowPos(nullptr, 0, 0, back.cx, back.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_rcBack = RECT{0, 0, back.cx, back.cy};
    const SIZE fillSize = BitmapSize(m_hbmFill.get());
    const int dx = (back.cx - fillSize.cx) / 2;
    const int dy = (back.cy - fillSize.cy) / 2;
    m_rcFill = RECT{dx, dy, dx + fillSize.cx, dy + fillSize.cy};
}

void CImgProgress::OnPaint() {
    fw::PaintDc paint(m_hWnd);
    const int cx = m_rcBack.right - m_rcBack.left;
    const int cy = m_rcBack.bottom - m_rcBack.top;
    OffscreenImage image(paint.get(), cx, cy);
    if (!image.ok()) return;
    PaintParentBackground(m_hWnd, image.dc());

    // GDI's own name for the transparent copy, as in CBtnEx.
    fw::MemoryDc source(::CreateCompatibleDC(paint.get()));
    if (m_hbmBack) {
        fw::SelectScope select(source.get(), m_hbmBack.get());
        ::GdiTransparentBlt(image.dc(), 0, 0, cx, cy, source.get(), 0, 0, cx, cy, kMaskColour);
    }

    PBRANGE range{};
    SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    const int position = static_cast<int>(SendMessage(PBM_GETPOS));
    const int fillHeight = m_rcFill.bottom - m_rcFill.top;
    const ProgressFill fill =
        ComputeProgressFill(m_rcFill.left, m_rcFill.right - m_rcFill.left, range.iLow, range.iHigh, position);
    if (m_hbmFill) {
        fw::SelectScope select(source.get(), m_hbmFill.get());
        for (const FillPiece& piece : {fill.left, fill.right}) {
            if (piece.width <= 0) continue;
            ::GdiTransparentBlt(image.dc(), piece.dstX, m_rcFill.top, piece.width, fillHeight, source.get(),
                                piece.srcX, 0, piece.width, fillHeight, kMaskColour);
        }
    }

    if (m_bShowText) {
        const std::wstring text = ProgressPercentText(range.iLow, range.iHigh, position);
        ::SetBkMode(image.dc(), TRANSPARENT);
        ::SetTextColor(image.dc(), m_crText);
        RECT area = m_rcBack;
        ::DrawTextW(image.dc(), text.c_str(), static_cast<int>(text.size()), &area,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    image.CopyTo(paint.get());
}

LRESULT CImgProgress::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return 0;
    default:
        return CProgressCtrl::WindowProc(msg, wp, lp);
    }
}
