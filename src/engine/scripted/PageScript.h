#pragma once
// A page script: the small line-based text the scripted page engine reads
// where a browser would read HTML. tools/portal/README.md ("Page scripts")
// describes the format for page authors.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scripted {

// One element as its script line gives it. Positions are document
// coordinates (the engine window's client coordinates), never relative to
// the parent: the tree says what belongs to what, not where it is.
struct ElementDef {
    std::wstring id;
    std::wstring tag;        // as written: "DIV" stays "DIV"
    std::wstring className;  // the class attribute, as written
    std::wstring href;
    std::wstring text;
    int x = 0, y = 0, width = 0, height = 0;
    bool disabled = false;
    std::optional<uint32_t> background;  // 0xRRGGBB; none: no fill of its own
    std::optional<uint32_t> fade;        // with a background: the fill's colour at the bottom edge
    std::wstring src;                    // an image's address, as written; empty: none
    int labelSize = 0;                   // the label's height in pixels; 0: the engine's own
    bool plain = false;                  // drawn without the marks that name it in screenshots
    bool inFrame = false;                // its link navigates a frame of the page, not the page
    size_t parent = 0;                   // index in PageScript::elements; the body is its own

    // Left and top edges inside, right and bottom outside.
    bool Contains(int px, int py) const;
    // A one-line text field (tag "input", any letter case): the player types
    // and pastes into it; its text= is what it holds at first.
    bool IsField() const;
};

struct PageScript {
    static constexpr size_t kNone = static_cast<size_t>(-1);
    // Bounds that keep a hostile page from costing much to draw.
    static constexpr size_t kMaxElements = 1000;
    static constexpr size_t kMaxTextLines = 200;
    static constexpr int kMaxCoordinate = 30000;
    static constexpr size_t kMaxImages = 16;  // elements with an image; later ones get none
    static constexpr int kMaxImageSide = 2048;
    static constexpr int kMinLabelSize = 8;
    static constexpr int kMaxLabelSize = 72;

    std::wstring title;                  // empty: the page has none
    std::optional<uint32_t> background;  // of the body
    std::vector<std::wstring> text;      // lines drawn on the body
    std::vector<ElementDef> elements;   // [0] is the body, then file order: later ones on top
    std::wstring onloadNavigate;         // empty: the page stays
    std::optional<std::wstring> onunloadAlert;

    PageScript();  // a blank page: the body alone
    // The index of the element with this id ("body" is 0); kNone when none.
    size_t Find(std::wstring_view id) const;
    // The topmost element containing the point, else the body.
    size_t HitTest(int x, int y) const;
};

// Reads a script. Never fails: lines it does not understand are skipped,
// and so are element lines without an id and a tag or with an id in use.
PageScript ParsePageScript(std::string_view utf8);

}  // namespace scripted
