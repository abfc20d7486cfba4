#pragma once

#include <filesystem>

#include "imagefiles/storage_format.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"
#include "platform/byte_sink.h"

namespace quillstone {

// Writes an uncompressed, single-strip, little-endian TIFF 6.0 file in one of three fixed
// layouts chosen by the format's depth. Every file holds the header ("II", 42, offset of
// the directory), X and Y resolution 877/10 per inch, the software text "Harrowfell" (ten
// characters, no terminating zero) and one directory whose entries are in ascending tag
// order, followed by the next-directory offset 0. Blocks in file order:
//
//   24, 32 bits (RGB, 15 entries): header; X resolution at 8; Y resolution at 16; bits per
//     sample 8, 8, 8 at 24; software text at 30; strip at 40 (rows top first, red, green,
//     blue, 3 * W bytes per row, no padding); directory. A 2 x 2 image is 238 bytes with its
//     directory at 52. 32-bit images are written exactly like 24-bit ones.
//   4, 8 bits (palette, 15 entries): header; colour map at 8 (2^b red values, then green,
//     then blue, each component * 256); X and Y resolution; software text; strip (rows top
//     first, palette indexes, high nibble first at 4 bits); directory.
//   1 bit (bilevel, black is zero, 14 entries): header; strip at 8 (rows of (W + 7) div 8
//     bytes, leftmost pixel in the most significant bit, 1 = white); X and Y resolution;
//     software text; directory.
//
// A 4-bit row holds all W pixels in (W + 1) div 2 bytes, so no column is lost.
// The file is replaced only when it was written completely (see AtomicFile); an empty image
// is refused and writes nothing.
Status WriteTiff(const std::filesystem::path& path, const RasterImage& image,
                 const StorageFormat& format = {});
// Encodes the same file into a sink.
Status EncodeTiff(ByteSink& sink, const RasterImage& image, const StorageFormat& format);

}  // namespace quillstone
