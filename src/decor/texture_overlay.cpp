#include "decor/texture_overlay.h"

namespace quillstone {

void TextureOverlay(RasterImage& destination, const RasterImage& source, const TextureSettings& /*settings*/,
                    const RasterImage& /*texture*/) {
  destination = source;
}

}  // namespace quillstone
