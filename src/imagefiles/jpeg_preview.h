#pragma once

#include <cstdint>
#include <vector>

#include "imagefiles/jpeg_writer.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// The JPEG quality preview compares one square of the marked image at several qualities.
inline constexpr int kJpegPreviewSide = 96;

// The largest crop offset along a side of `length` pixels: max(0, length - 96).
constexpr int JpegPreviewMaxOffset(int length) {
  return length > kJpegPreviewSide ? length - kJpegPreviewSide : 0;
}

// Makes `crop` the 96 x 96 square of `image` whose top-left corner is (x, y); offsets are
// clamped to 0..JpegPreviewMaxOffset, and whatever the image does not cover (an image
// smaller than the square) shows `background`.
void CropForJpegPreview(const RasterImage& image, int x, int y, ColorValue background, RasterImage& crop);

// Encodes `picture` as JPEG in memory with the options and decodes it again into
// `decoded`: the picture as the file would show it. `buffer` receives the compressed bytes
// (its size is the size of the file) and is reused between calls.
Status JpegRoundTrip(const RasterImage& picture, const JpegOptions& options, RasterImage& decoded,
                     std::vector<std::uint8_t>& buffer);

}  // namespace quillstone
