#pragma once
// CStaticEx: a label drawn over its parent's background. It can carry an
// image at its left or right, change colour and show a hand cursor while the
// mouse is over it (a link), and breaks its text between any two characters,
// growing downward to fit.
#include <string>

#include "framework/Controls.h"
#include "ui/DpiScale.h"
#include "ui/SkinImage.h"

class CStaticEx : public CStatic {
public:
    std::wstring m_strText;      // read from the window text when attached
    int m_nFontWidth = 0;        // 0 keeps the window font's
    int m_nFontWeight = -1;      // -1 keeps the window font's
    int m_nFontHeight = 0;       // 0 keeps the window font's
    bool m_bHandCursor = false;
    bool m_bUnderline = false;
    fw::FontHandle m_font;       // built at the first drawing at a DPI
    int m_fontDpi = 0;           // the DPI m_font was built for
    COLORREF m_crNormal = 0;
    COLORREF m_crHover = 0;
    int m_nLineSpacing = 3;
    bool m_bHoverColour = false;
    bool m_bHover = false;
    BOOL m_bTracking = FALSE;
    HICON m_hLabelIcon = nullptr;
    fw::ImageListHandle m_ilImage;
    int m_nImageWidth = 0;
    int m_nImageHeight = 0;
    bool m_bImageRight = false;
    int m_nImageIndex = 0;
    // The DPI the label's window lays it out at, when that window keeps its
    // own; 0: the label's display's. Drawn at another scale than it was
    // placed at, the label would grow out of its place.
    int m_layoutDpi = 0;

    // The whole bitmap becomes the label's one image (the bitmap stays the
    // caller's). False, with the old image kept, when it cannot be used.
    bool SetImage(HBITMAP bitmap);

    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    // Draws the text at the label's display scale; the label grows to fit it.
    virtual void DrawContent(HDC dc, const DpiScale& scale);

private:
    void OnPaint();
    HFONT LabelFont(const DpiScale& scale);
    UINT DrawFormat() const;
};
