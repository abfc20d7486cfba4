#include "imagefiles/fit_into_box.h"

#include "imaging/arithmetic.h"

namespace quillstone {

ImageSize FitIntoBox(int width, int height, int boxWidth, int boxHeight) {
  if (boxWidth < 1 || boxHeight < 1 || width < 1 || height < 1) return {width, height};
  const double scaleX = static_cast<double>(width) / boxWidth;
  const double scaleY = static_cast<double>(height) / boxHeight;
  if (scaleX >= scaleY) return {boxWidth, Trunc(height / scaleX)};
  return {Trunc(width / scaleY), boxHeight};
}

}  // namespace quillstone
