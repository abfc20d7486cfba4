#pragma once

#include <vector>

#include "imagefiles/storage_format.h"
#include "imaging/raster_image.h"

namespace quillstone {

// The palettes the colour-depth reduction maps onto. Each has exactly 2^bits entries.

// 1 bit: black (index 0) and white (index 1).
std::vector<Rgb> BlackWhitePalette();

// 4 bits: the 16-colour system palette in its usual order: black, maroon (128, 0, 0),
// green (0, 128, 0), olive (128, 128, 0), navy (0, 0, 128), purple (128, 0, 128),
// teal (0, 128, 128), silver (192, 192, 192), grey (128, 128, 128), red, lime, yellow, blue,
// fuchsia, aqua, white (the last seven at full intensity 255).
std::vector<Rgb> SystemPalette16();

// 8 bits: the halftone palette.
//   Indexes 0..215: the colour cube, index 36 * i + 6 * j + k = (51 i, 51 j, 51 k) for
//   i, j, k in 0..5 (so 0 is black and 215 white).
//   Indexes 216..255: 40 greys between the cube's six, index 216 + 8 * i + (k - 1) =
//   grey 51 i + (51 k) div 9 for i in 0..4 and k in 1..8 (5, 11, 17, 22, 28, 34, 39, 45, 56, ...).
std::vector<Rgb> HalftonePalette256();

// The palette of a depth: one of the three above for 1, 4 and 8 bits, empty otherwise.
std::vector<Rgb> PaletteFor(ColorDepth depth);

// Brings the image to a depth. For 1, 4 and 8 bits every pixel becomes the nearest colour
// of the depth's palette (smallest squared RGB distance, lowest index on ties; see
// PaletteMatcher), so for 1 bit a pixel turns white exactly when r + g + b >= 383. For 24
// and 32 bits the pixels stay as they are. Returns the format the writers store it in.
StorageFormat ReduceColorDepth(RasterImage& image, ColorDepth depth);

}  // namespace quillstone
