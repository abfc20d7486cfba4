#include "imagefiles/jpeg_preview.h"

#include <algorithm>
#include <cstring>

#include "imagefiles/jpeg_decoder.h"

namespace quillstone {

void CropForJpegPreview(const RasterImage& image, int x, int y, ColorValue background, RasterImage& crop) {
  crop.Resize(kJpegPreviewSide, kJpegPreviewSide);
  crop.Fill(background);
  x = std::clamp(x, 0, JpegPreviewMaxOffset(image.Width()));
  y = std::clamp(y, 0, JpegPreviewMaxOffset(image.Height()));
  const int width = std::min(kJpegPreviewSide, image.Width() - x);
  const int height = std::min(kJpegPreviewSide, image.Height() - y);
  for (int row = 0; row < height; ++row) {
    std::memcpy(crop.Row(row), image.Row(y + row) + 3 * x, static_cast<std::size_t>(3 * width));
  }
}

Status JpegRoundTrip(const RasterImage& picture, const JpegOptions& options, RasterImage& decoded,
                     std::vector<std::uint8_t>& buffer) {
  if (Status status = EncodeJpeg(picture, options, buffer); !status) return status;
  return DecodeJpegMemory(buffer.data(), buffer.size(), decoded);
}

}  // namespace quillstone
