#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imagefiles/decode_limits.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// Decodes the first page of a TIFF held in memory into `out` through libtiff's RGBA reader:
// strips and tiles, contiguous and planar samples, 1 to 16 bits, bilevel, grey, palette, RGB,
// CMYK and YCbCr, with every compression the library was built with (none, PackBits, LZW,
// Deflate, JPEG among them). Rows come out in the order they are stored; the file's
// orientation tag is left to the caller like a JPEG's EXIF orientation. With `alpha`, an
// image with an alpha channel gives its alpha bytes there (one per pixel, rows without
// padding) and its colours; an image without one empties it. Without `alpha`, transparent
// pixels are composited onto white. libtiff's warnings (unknown tags and the like) are not
// damage of the picture and are dropped; any error of the library fails the decode, as does
// a size above the limits (checked before any allocation). On failure `out` is empty (its
// memory kept for reuse) and the status holds libtiff's reason.
Status DecodeTiffMemory(const std::uint8_t* bytes, std::size_t size, RasterImage& out,
                        std::vector<std::uint8_t>* alpha = nullptr, std::string* damage = nullptr,
                        std::int64_t maxPixels = kDecodeMaxPixels);

// Empty when the leading bytes of a file may start a TIFF (classic or BigTIFF, either byte
// order), otherwise the reason.
std::string TiffSignatureProblem(std::string_view leading);

}  // namespace quillstone
