#pragma once

#include <span>

#include "imaging/raster_image.h"

namespace quillstone {

// Sepia toning. Each colour becomes a brown tone of its luminance
// Y = (77 R + 150 G + 29 B + 128) >> 8: red = redTable[Y], green = Y, blue = blueTable[Y],
// where redTable[v] = 255 (v / 255)^0.75 and blueTable[v] = 255 (v / 255)^1.33, each
// rounded to the nearest integer (ties to even). Black stays black and white stays white.
Rgb SepiaColor(Rgb c);

// Tones every pixel in place.
void SepiaTone(RasterImage& image);

// Tones the entries of a palette, so that an image reduced to that palette and toned with
// SepiaTone(image) still holds only palette colours.
void SepiaTone(std::span<Rgb> palette);

}  // namespace quillstone
