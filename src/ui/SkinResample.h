#pragma once
// Skin images at a DPI no set was drawn for: the nearest set's image,
// resampled.
#include "ui/PackedImage.h"

// `image` (a strip of `frames` frames side by side) resampled so that each
// frame is frameSize big, frame by frame, with a Catmull-Rom filter. A keyed
// image's magenta counts as transparent while filtering and its edges are
// cut hard again after, so no magenta bleeds into the colours; a layered
// image is filtered premultiplied. Empty when the sizes make no sense.
SkinRaster ResampleSkin(const SkinRaster& image, int frames, Size frameSize);

// Skin image `id` at `dpi` from `fromSet`, that image of the set chosen for
// the DPI: itself when it already has the size, else resampled. Empty when
// the id is unknown or the image is not the set's image of it.
SkinRaster SkinImageAtDpi(SkinRaster fromSet, unsigned id, int dpi);
