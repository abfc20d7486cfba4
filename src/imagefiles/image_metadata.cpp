#include "imagefiles/image_metadata.h"

namespace quillstone {

ImageMetadata ReadImageMetadata(const std::uint8_t* /*bytes*/, std::size_t /*size*/) {
  return {};
}

}  // namespace quillstone
