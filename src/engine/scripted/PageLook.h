#pragma once
// What the scripted engine draws, decided without drawing: the sprite frame
// a button shows, its fill, and the words of the status line. Screenshots of
// the engine are read by people, so these stay plain and stable.
#include <cstdint>
#include <string>
#include <string_view>

namespace scripted {

// The frame of a horizontal sprite strip that a background shifted by
// `backgroundX` pixels shows in an element `width` pixels wide: 0 at 0,
// 1 at -width, 2 at -2 * width. Positions between frames round towards the
// frame whose part shows at the left edge; a width of 0 shows frame 0.
int ShownSpriteFrame(long backgroundX, int width);

// Whether the class attribute lists `name` among its blank-separated words.
bool HasClass(std::wstring_view classAttribute, std::wstring_view name);

// 0xRRGGBB fills of a sprite button by frame: normal, hover, pressed, and
// one for every other frame.
uint32_t FrameFill(int frame);
// The fill and text colour of a disabled element.
constexpr uint32_t kDisabledFill = 0xD4D4D4;
constexpr uint32_t kDisabledText = 0x8C8C8C;

// The label drawn in an element: its text, else its id.
std::wstring ElementLabel(std::wstring_view id, std::wstring_view text);

// The ink of a plain element's label on a `fill` (0xRRGGBB): dark on light
// fills, light on dark ones, so that the page author need not say.
uint32_t InkOn(uint32_t fill);
// The colour halfway between two: what a faded fill shows behind a label
// centred in it.
uint32_t MiddleColour(uint32_t a, uint32_t b);

struct StatusFacts {
    bool hasDocument = false;
    std::wstring title;
    std::wstring url;
    unsigned long hostFlags = 0;
    std::wstring bodyScroll;  // empty: never set
    std::wstring loading;     // the address being fetched, if any
};
// "title — url | flags 0x0000000C | scroll=no | loading http://..."
std::wstring StatusLine(const StatusFacts& facts);

}  // namespace scripted
