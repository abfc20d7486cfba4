#include "imaging/color_value.h"

namespace quillstone {

ColorValue ContrastColor(ColorValue c) {
  const Rgb rgb = SplitColor(c);
  const double luminance = 0.3 * rgb.r + 0.59 * rgb.g + 0.11 * rgb.b;
  return luminance <= 127.5 ? colors::kWhite : colors::kBlack;
}

}  // namespace quillstone
