#include "engine/scripted/PagePainter.h"

#include <algorithm>

namespace scripted {

namespace {

constexpr uint32_t kPageFill = 0xF4F6F9;
constexpr uint32_t kBorder = 0x5B6770;
constexpr uint32_t kDisabledBorder = 0xA8A8A8;
constexpr uint32_t kInk = 0x202428;
constexpr uint32_t kFaintInk = 0x6B7780;
constexpr uint32_t kLinkInk = 0x1A56B0;
constexpr uint32_t kStatusFill = 0x263238;
constexpr uint32_t kStatusInk = 0xECEFF1;
constexpr int kTextMargin = 12;
constexpr uint32_t kFieldFill = 0xFFFFFF;
constexpr uint32_t kSelectionFill = 0xB3D4FC;
constexpr uint32_t kFocusInk = 0xF57C00;  // no script colour is this loud: the mark stands out
constexpr int kFieldPadding = 4;

COLORREF Colour(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

void Fill(HDC dc, const RECT& rc, uint32_t rgb) {
    fw::BrushHandle brush(::CreateSolidBrush(Colour(rgb)));
    ::FillRect(dc, &rc, brush.get());
}

void Frame(HDC dc, const RECT& rc, uint32_t rgb) {
    fw::BrushHandle brush(::CreateSolidBrush(Colour(rgb)));
    ::FrameRect(dc, &rc, brush.get());
}

void Text(HDC dc, const std::wstring& text, RECT rc, HFONT font, uint32_t ink, UINT format) {
    fw::SelectScope select(dc, font);
    ::SetTextColor(dc, Colour(ink));
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, format | DT_NOPREFIX);
}

int LineHeight(HDC dc, HFONT font) {
    fw::SelectScope select(dc, font);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    return tm.tmHeight + 4;
}

// The frame number of a sprite button, in a white badge at its right end.
RECT DrawFrameBadge(HDC dc, const RECT& rc, int frame, const PageFonts& fonts) {
    const int side = std::min<int>(18, std::max<int>(0, rc.bottom - rc.top - 6));
    if (side < 10 || rc.right - rc.left < side + 12) return rc;
    const int top = rc.top + (rc.bottom - rc.top - side) / 2;
    const RECT badge{rc.right - side - 4, top, rc.right - 4, top + side};
    Fill(dc, badge, 0xFFFFFF);
    Frame(dc, badge, kBorder);
    Text(dc, std::to_wstring(frame), badge, fonts.bold(), FrameFill(frame), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RECT rest = rc;
    rest.right = badge.left;
    return rest;
}

// A vertical run from `top` at the top edge to `bottom` at the bottom one,
// through GDI's own name for the gradient, as in CBtnEx.
void FillFaded(HDC dc, const RECT& rc, uint32_t top, uint32_t bottom) {
    auto vertex = [](LONG x, LONG y, uint32_t rgb) {
        return TRIVERTEX{x, y, static_cast<COLOR16>(((rgb >> 16) & 0xFF) << 8),
                         static_cast<COLOR16>(((rgb >> 8) & 0xFF) << 8), static_cast<COLOR16>((rgb & 0xFF) << 8), 0};
    };
    TRIVERTEX corners[2] = {vertex(rc.left, rc.top, top), vertex(rc.right, rc.bottom, bottom)};
    GRADIENT_RECT run{0, 1};
    ::GdiGradientFill(dc, corners, 2, &run, 1, GRADIENT_FILL_RECT_V);
}

// An element's image over its whole rectangle, scaled when the sizes differ.
void DrawImage(HDC dc, const RECT& rc, HBITMAP image, SIZE size) {
    fw::MemoryDc source(::CreateCompatibleDC(dc));
    if (!source || size.cx <= 0 || size.cy <= 0) return;
    fw::SelectScope select(source.get(), image);
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    if (width == size.cx && height == size.cy) {
        ::BitBlt(dc, rc.left, rc.top, width, height, source.get(), 0, 0, SRCCOPY);
        return;
    }
    const int oldMode = ::SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    ::SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    ::StretchBlt(dc, rc.left, rc.top, width, height, source.get(), 0, 0, size.cx, size.cy, SRCCOPY);
    ::SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    ::SetStretchBltMode(dc, oldMode);
}

// An element's fill: a sprite button's frame colour, grey when disabled,
// else its own colour (faded when it says so). Answers the colour a label
// centred in it stands on; `under` when the element has no fill.
uint32_t FillElement(HDC dc, const RECT& rc, const ElementDef& def, bool button, int frame, uint32_t under) {
    if (def.disabled) {
        Fill(dc, rc, kDisabledFill);
        return kDisabledFill;
    }
    if (button) {
        Fill(dc, rc, FrameFill(frame));
        return FrameFill(frame);
    }
    if (!def.background) return under;
    if (!def.fade) {
        Fill(dc, rc, *def.background);
        return *def.background;
    }
    FillFaded(dc, rc, *def.background, *def.fade);
    return MiddleColour(*def.background, *def.fade);
}

// A container names itself and shows its label in its top line, where its
// children do not cover them; other elements centre their label. A plain
// element shows only its text; an image stands in for the label.
void DrawElement(HDC dc, const ScriptedElement& element, bool container, uint32_t pageFill,
                 const PageFonts& fonts) {
    const ElementDef& def = element.def();
    const RECT rc = element.OffsetRect();
    if (rc.right <= rc.left || rc.bottom <= rc.top) return;
    const bool button = HasClass(def.className, L"button");
    const int frame = ShownSpriteFrame(element.backgroundX(), def.width);

    const uint32_t under = FillElement(dc, rc, def, button, frame, pageFill);
    uint32_t ink = def.disabled ? kDisabledText : button ? 0xFFFFFF : def.href.empty() ? kInk : kLinkInk;
    if (def.plain && !def.disabled && !button) ink = InkOn(under);
    const bool imageShown = element.image() != nullptr;
    if (imageShown) DrawImage(dc, rc, element.image(), element.imageSize());
    Frame(dc, rc, def.disabled ? kDisabledBorder : kBorder);

    RECT labelArea = rc;
    ::InflateRect(&labelArea, -4, -2);
    const HFONT font = def.labelSize > 0 ? fonts.Sized(def.labelSize) : fonts.label();
    if (def.plain) {
        if (imageShown || def.text.empty()) return;
        const UINT format = container ? DT_LEFT | DT_TOP : DT_CENTER | DT_VCENTER;
        Text(dc, def.text, labelArea, font, ink, format | DT_SINGLELINE | DT_END_ELLIPSIS);
        return;
    }
    if (button) labelArea = DrawFrameBadge(dc, labelArea, frame, fonts);
    const uint32_t captionInk = def.disabled ? kDisabledText : button ? 0xFFFFFF : kFaintInk;
    const std::wstring caption = def.id + L" <" + def.tag + L">";
    if (container) {
        const std::wstring line = def.text.empty() ? caption : caption + L"  " + def.text;
        Text(dc, line, labelArea, fonts.caption(), captionInk, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS);
        return;
    }
    // Tall elements name themselves in the corner, so a screenshot tells
    // which script line drew them.
    if (rc.bottom - rc.top >= 36)
        Text(dc, caption, labelArea, fonts.caption(), captionInk, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS);
    if (imageShown) return;
    const std::wstring label = ElementLabel(def.id, def.text);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
    Text(dc, label, labelArea, font, ink, format);
    if (!def.href.empty() && !button) {
        // An underline under the centred label marks a link.
        fw::SelectScope select(dc, font);
        SIZE size{};
        ::GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
        const int width = std::min<int>(size.cx, labelArea.right - labelArea.left);
        const int left = (labelArea.left + labelArea.right - width) / 2;
        const int baseline = (labelArea.top + labelArea.bottom + size.cy) / 2;
        const RECT line{left, baseline, left + width, baseline + 1};
        if (baseline < labelArea.bottom) Fill(dc, line, ink);
    }
}

int TextWidth(HDC dc, HFONT font, std::wstring_view text) {
    fw::SelectScope select(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// A field: white, its text from the left, the selection behind the text and
// the caret while it has the focus. Empty and unfocused, it shows its id
// faintly (unless plain), so a screenshot tells which field it is.
void DrawField(HDC dc, const ScriptedElement& element, bool focused, const PageFonts& fonts) {
    const ElementDef& def = element.def();
    const FieldText& field = *element.field();
    const RECT rc = element.OffsetRect();
    if (rc.right <= rc.left || rc.bottom <= rc.top) return;
    Fill(dc, rc, def.disabled ? kDisabledFill : kFieldFill);
    Frame(dc, rc, def.disabled ? kDisabledBorder : kBorder);
    RECT area = rc;
    ::InflateRect(&area, -kFieldPadding, -2);
    const HFONT font = def.labelSize > 0 ? fonts.Sized(def.labelSize) : fonts.label();
    const UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    if (field.text.empty() && !focused) {
        if (!def.plain) Text(dc, def.id, area, fonts.caption(), kFaintInk, format);
        return;
    }
    const std::wstring_view text = field.text;
    auto xAt = [&](size_t index) {
        return std::min<int>(area.right, area.left + TextWidth(dc, font, text.substr(0, index)));
    };
    if (field.HasSelection())
        Fill(dc, RECT{xAt(field.SelectionStart()), area.top + 1, xAt(field.SelectionEnd()), area.bottom - 1},
             kSelectionFill);
    Text(dc, field.text, area, font, def.disabled ? kDisabledText : kInk, format);
    if (focused) {
        const int x = xAt(field.caret);
        Fill(dc, RECT{x, area.top + 2, x + 1, area.bottom - 2}, kInk);
    }
}

// Two pixels inside the element's edge, over whatever it drew.
void DrawFocusMark(HDC dc, const RECT& rc) {
    RECT mark = rc;
    for (int ring = 0; ring < 2; ++ring) {
        ::InflateRect(&mark, -1, -1);
        if (mark.right <= mark.left || mark.bottom <= mark.top) return;
        Frame(dc, mark, kFocusInk);
    }
}

void DrawBodyText(HDC dc, const RECT& client, const std::vector<std::wstring>& lines, const PageFonts& fonts) {
    const int step = LineHeight(dc, fonts.label());
    int y = kTextMargin;
    for (const std::wstring& line : lines) {
        RECT rc{kTextMargin, y, client.right - kTextMargin, y + step};
        Text(dc, line, rc, fonts.label(), kInk, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS);
        y += step;
        if (y > client.bottom) break;
    }
}

void DrawErrorPage(HDC dc, const RECT& client, const std::vector<std::wstring>& lines, const PageFonts& fonts) {
    const RECT band{0, 0, client.right, 6};
    Fill(dc, band, 0x1F5FA8);
    int y = 28;
    const int headingStep = LineHeight(dc, fonts.heading());
    const int step = LineHeight(dc, fonts.label());
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool heading = i == 0;
        RECT rc{28, y, client.right - 28, y + (heading ? headingStep : step)};
        Text(dc, lines[i], rc, heading ? fonts.heading() : fonts.label(), heading ? 0x1F5FA8 : kInk,
             DT_LEFT | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS);
        y += heading ? headingStep + 10 : step;
    }
}

void DrawStatusLine(HDC dc, const RECT& client, const StatusFacts& facts, const PageFonts& fonts) {
    const RECT band{0, client.bottom - kStatusLineHeight, client.right, client.bottom};
    Fill(dc, band, kStatusFill);
    RECT text = band;
    ::InflateRect(&text, -6, 0);
    Text(dc, StatusLine(facts), text, fonts.label(), kStatusInk,
         DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

}  // namespace

PageFonts::PageFonts() {
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(m_base), &m_base);
    m_base.lfQuality = DEFAULT_QUALITY;
    LOGFONTW lf = m_base;
    lf.lfHeight = -12;
    m_label.reset(::CreateFontIndirectW(&lf));
    lf.lfHeight = -11;
    m_caption.reset(::CreateFontIndirectW(&lf));
    lf.lfHeight = -12;
    lf.lfWeight = FW_BOLD;
    m_bold.reset(::CreateFontIndirectW(&lf));
    lf.lfHeight = -20;
    m_heading.reset(::CreateFontIndirectW(&lf));
}

HFONT PageFonts::Sized(int pixels) const {
    fw::FontHandle& font = m_sized[pixels];
    if (!font) {
        LOGFONTW lf = m_base;
        lf.lfHeight = -pixels;
        lf.lfWeight = pixels >= 16 ? FW_BOLD : FW_NORMAL;
        font.reset(::CreateFontIndirectW(&lf));
    }
    return Pick(font);
}

HFONT PageFonts::Pick(const fw::FontHandle& font) {
    return font ? font.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void PaintPage(HDC dc, const RECT& client, const PagePicture& picture, const PageFonts& fonts) {
    ::SetBkMode(dc, TRANSPARENT);
    Fill(dc, client, picture.errorPage ? 0xFFFFFF : picture.background.value_or(kPageFill));
    if (picture.hasDocument && picture.text) {
        if (picture.errorPage) DrawErrorPage(dc, client, *picture.text, fonts);
        else DrawBodyText(dc, client, *picture.text, fonts);
    }
    if (picture.hasDocument && picture.elements) {
        const auto& elements = *picture.elements;
        std::vector<bool> container(elements.size(), false);
        for (size_t i = 1; i < elements.size(); ++i) {
            const size_t parent = elements[i]->def().parent;
            if (parent < elements.size()) container[parent] = true;
        }
        const uint32_t pageFill = picture.background.value_or(kPageFill);
        for (size_t i = 1; i < elements.size(); ++i) {
            const bool focused = i == picture.focused;
            if (elements[i]->field()) DrawField(dc, *elements[i], focused, fonts);
            else DrawElement(dc, *elements[i], container[i], pageFill, fonts);
            if (focused) DrawFocusMark(dc, elements[i]->OffsetRect());
        }
    }
    DrawStatusLine(dc, client, picture.status, fonts);
}

}  // namespace scripted
