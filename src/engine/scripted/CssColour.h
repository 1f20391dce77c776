#pragma once
// The colours a page script may give an element: the CSS forms our pages use.
#include <cstdint>
#include <optional>
#include <string_view>

namespace scripted {

// 0xRRGGBB from "#rgb", "#rrggbb", "rgb(r, g, b)" (0..255 each) or one of
// the sixteen basic colour names plus "orange", in any letter case. Empty
// for anything else, "transparent" included: the element then has no fill.
std::optional<uint32_t> ParseCssColour(std::wstring_view text);

}  // namespace scripted
