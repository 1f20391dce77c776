#include "mainwnd/TabStrip.h"

#include <commctrl.h>

#include "mainwnd/AccountZoomRules.h"
#include "resource.h"
#include "ui/RectConvert.h"
#include "ui/SkinImage.h"

namespace {
fw::ImageListHandle ThreeFrames(UINT id, int dpi) {
    fw::BitmapHandle bitmap = LoadSkinBitmap(id, dpi);
    const SIZE size = BitmapSize(bitmap.get());
    return MakeMaskedImageList(bitmap.get(), size.cx / 3, size.cy, 3);
}
}  // namespace

void TabStrip::Create(HWND owner, const DpiScale& scale) {
    m_owner = owner;
    LoadImages(scale);
    if (!m_tip.CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, RECT{}, owner, 0)) return;
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = owner;
    ti.uId = reinterpret_cast<UINT_PTR>(owner);
    ti.lpszText = const_cast<wchar_t*>(L"");
    m_tip.SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    m_tip.SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, 500);
    m_tip.SendMessage(TTM_ACTIVATE, FALSE);
}

void TabStrip::LoadImages(const DpiScale& scale) {
    m_ilTab = ThreeFrames(IDB_TAB, scale.dpi());
    m_ilClose = ThreeFrames(IDB_TAB_CLOSE, scale.dpi());
    m_muteMarks = ThreeFrames(IDB_TAB_MUTED, scale.dpi());
}

void TabStrip::Draw(HDC dc, HFONT font, const PageBook& pages, int current, const DpiScale& scale) const {
    fw::SelectScope selectFont(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));  // the title before left white in the image
    for (int i = 0; i < pages.count(); ++i) {
        const Rect tab = TabRect(i, scale);
        const int frame = i == current ? 2 : i == m_hover.hotTab ? 1 : 0;
        if (m_ilTab) DrawImageScaled(m_ilTab.get(), frame, dc, tab.left, tab.top, tab.width(), tab.height());
        if (i == m_hover.hotTab && m_hover.closeState >= 0 && m_ilClose) {
            const Rect box = TabCloseBoxRect(i, scale);
            DrawImageScaled(m_ilClose.get(), m_hover.closeState, dc, box.left, box.top, box.width(), box.height());
        }
        const bool muted = pages.muted(i);
        if (muted && m_muteMarks) {
            const Rect mark = TabMuteMarkRect(i, scale);
            DrawImageScaled(m_muteMarks.get(), frame, dc, mark.left, mark.top, mark.width(), mark.height());
        }
        RECT text = ToRECT(TabCaptionRect(i, muted, scale));
        const std::wstring& caption = pages.caption(i);
        ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE);
    }
}

void TabStrip::TrackMouse(POINT client, const PageBook& pages, bool onCaption, const DpiScale& scale) {
    const TabHit hit = HitTestTabs(client.x, client.y, pages.count(), scale);
    const TabHoverChange change = TrackTabHover(m_hover, m_bTipActive, hit, (::GetKeyState(VK_LBUTTON) & 0x8000) != 0, scale);
    Invalidate(change.invalidateOld);
    Invalidate(change.invalidateNew);
    m_hover = change.next;
    if (change.tipActivate) {
        m_tip.SendMessage(TTM_ACTIVATE, TRUE);
        UpdateTipText(pages, hit.tab);
    }
    if (change.tipDeactivate) m_tip.SendMessage(TTM_ACTIVATE, FALSE);
    m_bTipActive = change.tipFlag;
    if (!m_bTracking && !onCaption) {
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_owner;
        tme.dwHoverTime = HOVER_DEFAULT;
        m_bTracking = ::TrackMouseEvent(&tme) != FALSE;
    }
}

void TabStrip::UpdateTipText(const PageBook& pages, int tab) {
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = m_owner;
    ti.uId = reinterpret_cast<UINT_PTR>(m_owner);
    std::wstring text = TabTipText(pages.caption(tab), pages.zoom(tab));
    ti.lpszText = &text[0];
    m_tip.SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void TabStrip::RefreshTip(const PageBook& pages, int tab) {
    if (m_bTipActive && m_hover.hotTab == tab) UpdateTipText(pages, tab);
}

void TabStrip::ClearHover(bool clearTracking, const DpiScale& scale) {
    if (m_hover.hotTab >= 0) Invalidate(HoverLeaveArea(m_hover, scale));
    m_hover = TabHover{};
    if (clearTracking) m_bTracking = false;
}

void TabStrip::PressCloseBox(int tab, const DpiScale& scale) {
    m_hover = TabHover{tab, 2};
    Invalidate(TabCloseBoxRect(tab, scale));
}

void TabStrip::InvalidateTab(int index, const DpiScale& scale) const {
    if (index >= 0) Invalidate(TabRect(index, scale));
}

void TabStrip::InvalidateStrip(int count, const DpiScale& scale) const { Invalidate(TabStripRect(count, scale)); }

void TabStrip::RelayEvent(MSG* msg) {
    if (m_tip.m_hWnd) m_tip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}

void TabStrip::Invalidate(const Rect& area) const {
    if (area == Rect{}) return;
    RECT rc = ToRECT(area);
    ::InvalidateRect(m_owner, &rc, TRUE);
}
