#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "imagefiles/decode_limits.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// Decodes a Windows or OS/2 bitmap held in memory into `out`.
//
// Accepted: 1, 2, 4 and 8 bits per pixel with a colour table (tables shorter or longer than
// the bit depth allows; indices beyond the table give black), 16 bits (5-5-5) and 32 bits
// (B, G, R, unused) uncompressed, 24 bits, 16 and 32 bits with colour masks of any width
// (BI_BITFIELDS, BI_ALPHABITFIELDS; an n-bit channel becomes round(v * 255 / (2^n - 1)), alpha
// is ignored), RLE8 and RLE4, bottom-up and top-down rows, and headers of 12 bytes (OS/2 1.x),
// 16 to 64 bytes (Windows 3.x and OS/2 2.x), 108 (V4) and 124 (V5) bytes.
//
// RLE: pixels that the data skips (delta codes, early end of line or of bitmap, data that
// stops without an end code) take colour table entry 0; runs beyond the right edge are cut
// off, and a move below the last row ends the picture.
//
// Refused, each with its reason and before any allocation: a size above the limits, a header
// cut short or of unknown size, unknown compression or bit depth, a colour table or masks that
// extend beyond the file, a pixel offset outside the file, uncompressed pixel data shorter
// than the header promises (a truncated file is refused, not padded), RLE data that ends in
// the middle of a code, embedded JPEG/PNG data, OS/2 Huffman and RLE24 data, bitmap arrays.
// On failure `out` is empty (its memory kept for reuse).
Status DecodeBmpMemory(const std::uint8_t* bytes, std::size_t size, RasterImage& out,
                       std::int64_t maxPixels = kDecodeMaxPixels);

// Empty when the leading bytes of a file may start a bitmap ("BM"), otherwise the reason.
std::string BmpSignatureProblem(std::string_view leading);

}  // namespace quillstone
