#pragma once
// CImgProgress: a progress bar drawn from two skin images, a background and
// a fill, over its parent's background. Range and position are the platform
// control's.
#include "framework/Controls.h"
#include "framework/Handles.h"

class CImgProgress : public CProgressCtrl {
public:
    fw::BitmapHandle m_hbmBack;
    fw::BitmapHandle m_hbmFill;
    RECT m_rcBack{};
    RECT m_rcFill{};
    bool m_bShowText = false;
    COLORREF m_crText = 0xFFFFFFFF;

    // Takes both bitmaps and sizes the control to the background.
    void SetImages(fw::BitmapHandle background, fw::BitmapHandle fill);

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void OnPaint();
};
