#include "imagefiles/decode_limits.h"

#include <algorithm>

namespace quillstone {

std::string DecodeSizeProblem(std::int64_t width, std::int64_t height, std::int64_t maxPixels) {
  const std::string size = std::to_string(width) + "x" + std::to_string(height);
  if (width < 1 || height < 1) return "image size " + size + " has no pixels";
  if (width > RasterImage::kMaxSide || height > RasterImage::kMaxSide) {
    return "image size " + size + " exceeds 65535 pixels per side";
  }
  const std::int64_t limit = std::min(maxPixels, RasterImage::kMaxPixels);
  if (width * height > limit) {
    return limit == RasterImage::kMaxPixels
               ? "image size " + size + " exceeds 2^28 pixels"
               : "image size " + size + " exceeds the limit of " + std::to_string(limit) + " pixels";
  }
  return {};
}

}  // namespace quillstone
