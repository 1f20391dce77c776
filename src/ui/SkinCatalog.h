#pragma once
// What the launcher knows of its skin images without loading them: each
// image's size and frames at 96 DPI, and which packed set serves a DPI.
#include "ui/Geometry.h"

struct SkinImageInfo {
    unsigned id;
    int width;   // at 96 DPI, all frames
    int height;
    int frames;  // a strip's frames lie side by side, each width / frames wide
};

// The image `id` (a 96-DPI id), or nullptr for one the skin has not.
const SkinImageInfo* FindSkinImage(unsigned id);

// Image `id` at `dpi`: each frame is the scaled frame width wide (so a
// strip of odd-width frames can be a pixel or two wider than its scaled
// width), the height scaled. 0 x 0 for an unknown id.
Size SkinImageSize(unsigned id, int dpi);

// A set of packed images, drawn for one DPI, at resource ids id + idOffset.
struct SkinSet {
    int dpi;
    unsigned idOffset;
};

// The set nearest to `dpi` (a tie goes to the larger set, which is then
// scaled down rather than up: 120 DPI takes the 144-DPI set).
SkinSet SkinSetFor(int dpi);
