#pragma once
// How the scripted engine looks: the page's background and text, each element
// as a framed rectangle with its fill, image and label (sprite buttons with
// the frame they show; elements that are not plain with their id and tag),
// and a status line with the title, the address, the host flags and the
// body's scroll setting. This is what screenshots of the engine show.
#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/scripted/PageLook.h"
#include "engine/scripted/ScriptedElement.h"
#include "framework/Handles.h"

namespace scripted {

// The fonts of one engine window, made from the default GUI font so that
// Chinese text draws with whatever font the system maps it to.
class PageFonts {
public:
    PageFonts();
    HFONT label() const { return Pick(m_label); }
    HFONT caption() const { return Pick(m_caption); }
    HFONT bold() const { return Pick(m_bold); }
    HFONT heading() const { return Pick(m_heading); }
    // A label font `pixels` high, bold from 16 pixels on, made once.
    HFONT Sized(int pixels) const;

private:
    static HFONT Pick(const fw::FontHandle& font);
    LOGFONTW m_base{};
    fw::FontHandle m_label, m_caption, m_bold, m_heading;
    mutable std::map<int, fw::FontHandle> m_sized;
};

struct PagePicture {
    bool hasDocument = false;
    bool errorPage = false;  // drawn as the built-in error page
    std::optional<uint32_t> background;
    const std::vector<std::wstring>* text = nullptr;
    const std::vector<std::shared_ptr<ScriptedElement>>* elements = nullptr;  // [0] is the body
    size_t focused = PageScript::kNone;  // the element with the page's focus, marked
    StatusFacts status;
};

// Height of the status line along the bottom edge, drawn over the page.
constexpr int kStatusLineHeight = 20;

void PaintPage(HDC dc, const RECT& client, const PagePicture& picture, const PageFonts& fonts);

}  // namespace scripted
