#include "imagefiles/sharpen_resize.h"

namespace quillstone {

void SharpenResize(const RasterImage& source, RasterImage& destination) {
  if (source.Width() < 3 || source.Height() < 3) {
    destination = source;
    return;
  }
  Convolve3x3(source, destination, kSharpenKernel, 0);
}

}  // namespace quillstone
