#include "imagefiles/decode_limits.h"

#include "imaging/raster_size.h"

namespace quillstone {

std::string DecodeSizeProblem(std::int64_t width, std::int64_t height, std::int64_t maxPixels) {
  const std::string size = std::to_string(width) + "x" + std::to_string(height);
  if (width < 1 || height < 1) return "image size " + size + " has no pixels";
  if (const std::string problem = RasterSizeProblem(width, height); !problem.empty()) {
    return "image size " + size + " " + problem;
  }
  if (width * height > maxPixels) {
    return "image size " + size + " exceeds the limit of " + std::to_string(maxPixels) + " pixels";
  }
  return {};
}

}  // namespace quillstone
