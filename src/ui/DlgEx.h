#pragma once
// CDlgEx: the base of every framed window of the launcher. It removes the
// system caption and frame and draws the whole window from one background
// bitmap: a title band, edges and corners that keep their size while the
// middle stretches, the icon and title, and up to three image buttons at the
// top right. It cuts its corners to the magenta pixels of the bitmap, lets
// the player drag it by its title band and size it by its border, and
// maximises to the work area of the display it is on itself. Maximised or in
// full screen it follows that display: a new resolution, scale or work area
// (a taskbar moved) and it fills the display's work area, or the whole
// display, again.
#include <optional>
#include <string>

#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "ui/BtnEx.h"
#include "ui/DpiScale.h"
#include "ui/SkinFrame.h"

// The images of a skinned window. The background and the maximise and
// restore strips stay with the window; the close and minimise strips only
// make their buttons. Any image may be absent.
struct DialogSkin {
    fw::BitmapHandle background;
    bool resizeToImage = false;  // the window takes the background's size
    bool nineGrid = false;       // edges and corners keep their size, the middle stretches
    fw::BitmapHandle close;
    fw::BitmapHandle minimise;
    fw::BitmapHandle maximise;
    fw::BitmapHandle restore;
};

// The same skin by resource ids, which a window can load again at another
// display scale (0: that image is absent).
struct DialogSkinIds {
    UINT background = 0;
    bool resizeToImage = false;
    bool nineGrid = false;
    UINT close = 0;
    UINT minimise = 0;
    UINT maximise = 0;
    UINT restore = 0;
};
// The images of `ids` drawn for `dpi`.
DialogSkin LoadDialogSkin(const DialogSkinIds& ids, int dpi);

// The small dialogs' skin: the dialog frame stretched by nine-grid, with a
// close button.
DialogSkinIds SmallDialogSkin();

class CDlgEx : public CDialog {
public:
    explicit CDlgEx(UINT templateId, CWnd* parent = nullptr);
    // The window and its children go before the font they were given.
    ~CDlgEx() override;

    // The frame settings, by the derived class after the base's
    // OnInitDialog, before SetSkin.
    void SetFrameMetrics(int captionHeight, int border, int btnRight, int btnTop, int btnGap) {
        m_nCaptionHeight = captionHeight;
        m_nBorder = border;
        m_nBtnRight = btnRight;
        m_nBtnTop = btnTop;
        m_nBtnGap = btnGap;
    }
    // The frame most of the launcher's windows have: a 30-pixel title band,
    // a 4-pixel border, the caption buttons in the top-right corner.
    void SetStandardFrameMetrics() { SetFrameMetrics(30, 4, 0, 0, 0); }
    // Whether the player may size the window by its border.
    void SetResizable(bool resizable) { m_bResizable = resizable; }
    bool IsMaximized() const { return m_bMaximized; }
    // Full screen: the window covers the whole display it is on, with no
    // corners cut, no caption buttons, and no sizing or dragging by its
    // frame; leaving puts it back where it stood. The maximised state is
    // kept through it.
    void EnterFullScreen();
    void LeaveFullScreen();
    bool IsFullScreen() const { return m_fullScreen; }

    virtual void OnTitleClose();
    virtual void OnTitleMinimize();
    virtual void ToggleMaximize();
    // Shows the restore image on the maximise button (true) or the maximise image.
    virtual void SetMaxButtonImage(bool restore);

    bool SetSkin(DialogSkin skin);
    // The skin of `ids` at the window's scale, loaded again when the window
    // moves to a display of another DPI.
    bool SetSkin(const DialogSkinIds& ids);
    // The window's display scale: every 96-DPI number of its skin and layout
    // is placed through it.
    const DpiScale& scale() const { return m_scale; }
    void SetTitle(const std::wstring& text);
    void UpdateWindowRegion();
    // The background for the current window size.
    void PaintSkin(HDC dc);
    void InvalidateTitleButtons();

    static constexpr UINT kIdTitleClose = 50000;
    static constexpr UINT kIdTitleMin = 50001;
    static constexpr UINT kIdTitleMax = 50002;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnCommand(UINT id, UINT code, HWND ctl) override;

    // The skin, the small icon and the title, as the window's background.
    void PaintBackground(HDC dc);
    // What a derived window draws over its background in the same off-screen
    // image (so nothing of it flickers).
    virtual void PaintExtras(HDC) {}
    // The size the window takes at `dpi` when its content decides it rather
    // than the system's proportional scaling; by default the picture's size
    // for a window sized by its picture.
    virtual std::optional<SIZE> SizeAtDpi(int dpi);
    // The dialog's template font made at `scale` (none when the template
    // names no size).
    fw::FontHandle DialogFontAt(const DpiScale& scale) const;
    // The skin's own hit test for a point in screen coordinates.
    LRESULT SkinHitTestAt(POINT screen);
    LRESULT OnNcLButtonDown(WPARAM hit, LPARAM lp);
    LRESULT OnNcLButtonDblClk(WPARAM hit, LPARAM lp);
    LRESULT OnLButtonDblClk(WPARAM wp, LPARAM lp);
    BOOL OnEraseBkgnd(HDC dc);
    void OnSize(WPARAM type, LPARAM lp);
    // WM_DPICHANGED: the new scale and skin, then the suggested rectangle
    // (none when the message carries none).
    void OnDpiChanged(int dpi, const RECT* suggested);
    // The window has a new scale: a derived window takes its images of that
    // scale. The size message that follows lays the window out at it, once.
    virtual void OnScaleChanged() {}
    // Moves the window to `to` (none: it stays; its size kept when
    // `keepSize`) and lays it out once where it then is: the move's size
    // message does, and when the size stayed and none came, one is sent.
    void PlaceAndLayOut(const RECT* to, bool keepSize);

    // The skin's own caption buttons.
    CBtnEx m_btnClose;  // 50000
    CBtnEx m_btnMin;    // 50001
    CBtnEx m_btnMax;    // 50002
    // The frame, in 96-DPI pixels.
    int m_nCaptionHeight = -1;  // -1: the whole window acts as title band
    int m_nBtnRight = 5;
    int m_nBtnTop = 1;
    int m_nBtnGap = 0;
    int m_nBorder = 3;

private:
    // The template's font made again at the window's scale, for the window
    // itself and for every child that showed the font it replaces.
    void RescaleDialogFont();
    SkinFrameMetrics Metrics() const;
    POINT TitleTextOrigin(bool hasIcon) const;
    void LayOutTitleButtons(int layoutWidth);
    // The display changed: what a maximised window (the work area) or one in
    // full screen (the display) covers on the display that holds the most of
    // `where`; none for any other window.
    std::optional<RECT> AreaToFill(const RECT& where);
    // The display changed: a maximised or full-screen window fills it again.
    void FollowDisplay();
    // Where the window goes at a new scale, `suggested` by the system (none:
    // it stays where it is).
    std::optional<RECT> PlaceAtScale(int dpi, const RECT* suggested);

    fw::BitmapHandle m_bmpSkin;
    bool m_bNineGrid = false;
    bool m_bResizable = false;
    bool m_bMaximized = false;
    fw::BitmapHandle m_bmpMax;
    fw::BitmapHandle m_bmpRestore;
    RECT m_rcRestore{};       // where the window goes when it leaves the maximised state
    bool m_fullScreen = false;
    RECT m_beforeFullScreen{};  // where the window goes when it leaves full screen
    DpiScale m_scale;
    std::optional<DialogSkinIds> m_skinIds;  // what the skin is loaded again from at another DPI
    unsigned m_sizeMessages = 0;  // WM_SIZE messages seen, to lay out once per scale change
    fw::FontHandle m_scaledFont;  // the dialog's font once the window has changed DPI
};
