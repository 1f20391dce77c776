#pragma once
// CDlgEx: the base of every framed window of the launcher. It removes the
// system caption and frame, lets the player drag the window by its title band
// and size it by its border, and maximises to the desktop work area itself.
#include <string>

#include "framework/Dialog.h"
#include "ui/SkinFrame.h"

class CDlgEx : public CDialog {
public:
    explicit CDlgEx(UINT templateId, CWnd* parent = nullptr);

    // Skin settings: set by the derived class after the base's OnInitDialog.
    bool m_bShowTitle = true;
    int m_nCaptionHeight = -1;  // -1: the whole window acts as title band
    int m_nBtnRight = 5;
    int m_nBtnTop = 1;
    int m_nBtnGap = 0;
    int m_nBorder = 3;
    COLORREF m_crTitle = RGB(255, 255, 255);

    bool m_bResizable = false;
    bool m_bMaximized = false;
    SIZE m_szMax{1440, 900};  // the work area measured at initialisation
    RECT m_rcRestore{};       // where the window goes when it leaves the maximised state

    virtual void OnTitleClose();
    virtual void OnTitleMinimize();
    virtual void ToggleMaximize();

    void SetTitle(const std::wstring& text);
    void InvalidateTitleButtons();

    // Control ids of the title buttons.
    static constexpr UINT kIdTitleClose = 50000;
    static constexpr UINT kIdTitleMin = 50001;
    static constexpr UINT kIdTitleMax = 50002;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnCommand(UINT id, UINT code, HWND ctl) override;

    // Draws the window's background for its current size.
    virtual void PaintSkin(HDC dc);
    // The skin's own hit test for a point in screen coordinates.
    LRESULT SkinHitTestAt(POINT screen);

    LRESULT OnNcLButtonDown(WPARAM hit, LPARAM lp);
    LRESULT OnNcLButtonDblClk(WPARAM hit, LPARAM lp);
    LRESULT OnLButtonDblClk(WPARAM wp, LPARAM lp);

private:
    SkinFrameMetrics Metrics() const;
    // Where the title text starts, in client coordinates.
    POINT TitleTextOrigin() const;
};
