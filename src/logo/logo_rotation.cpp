#include "logo/logo_rotation.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "imaging/raster_size.h"
#include "imaging/rounding.h"

namespace quillstone {

Status RotateLogoByAngle(const RasterImage& reference, int angle, ColorValue fill, RasterImage& result) {
  if (&reference == &result) {
    const RasterImage copy = reference;
    return RotateLogoByAngle(copy, angle, fill, result);
  }
  const int W = reference.Width();
  const int H = reference.Height();
  if (reference.Empty()) {
    result = reference;
    return Status::Ok();
  }
  // Single precision throughout for the angle, its sine and its cosine; sin and cos are
  // evaluated in double and stored as float, i.e. correctly rounded.
  const float theta = static_cast<float>(angle) * 0.017453292f;
  const float s = static_cast<float>(std::sin(static_cast<double>(theta)));
  const float c = static_cast<float>(std::cos(static_cast<double>(theta)));
  if (std::fabs(static_cast<double>(theta)) * std::max(W, H) <= 1.0) {
    result = reference;
    return Status::Ok();
  }
  const double sd = s;
  const double cd = c;
  const long long newW = std::llabs(RoundHalfEven(H * sd)) + std::llabs(RoundHalfEven(W * cd));
  const long long newH = std::llabs(RoundHalfEven(W * sd)) + std::llabs(RoundHalfEven(H * cd));
  if (!RasterSizeProblem(newW, newH).empty()) {
    return Status::Error("The rotated logo would be " + std::to_string(newW) + "x" + std::to_string(newH) +
                         " pixels, more than an image may have.");
  }
  result.Resize(static_cast<int>(newW), static_cast<int>(newH));
  const Rgb fillColor = SplitColor(fill);
  for (int y = 0; y < newH; ++y) {
    std::uint8_t* d = result.Row(y);
    // Doubled offsets from the centre of the result, so that they stay whole numbers.
    const double yy = 2.0 * y - static_cast<double>(newH) + 1.0;
    for (int x = 0; x < newW; ++x, d += 3) {
      const double xx = 2.0 * x - static_cast<double>(newW) + 1.0;
      // Integer division truncates toward zero, as the mapping requires (-1 div 2 is 0).
      const long long sx = (RoundHalfEven(xx * cd - yy * sd) + W - 1) / 2;
      const long long sy = (RoundHalfEven(xx * sd + yy * cd) + H - 1) / 2;
      if (sx >= 0 && sx < W && sy >= 0 && sy < H) {
        const std::uint8_t* p = reference.Row(static_cast<int>(sy)) + 3 * sx;
        d[0] = p[0];
        d[1] = p[1];
        d[2] = p[2];
      } else {
        d[0] = fillColor.b;
        d[1] = fillColor.g;
        d[2] = fillColor.r;
      }
    }
  }
  return Status::Ok();
}

Status RotateLogoAlphaByAngle(std::span<const std::uint8_t> alpha, int width, int height, int angle,
                              std::vector<std::uint8_t>& result) {
  if (alpha.empty() || alpha.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    result.clear();
    return Status::Ok();
  }
  // The alpha travels as a grey picture through the very turn the pixels take.
  RasterImage grey(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = grey.Row(y);
    const std::uint8_t* a = alpha.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = a[x];
  }
  RasterImage turned;
  if (Status status = RotateLogoByAngle(grey, angle, colors::kBlack, turned); !status) return status;
  result.resize(static_cast<std::size_t>(turned.Width()) * static_cast<std::size_t>(turned.Height()));
  for (int y = 0; y < turned.Height(); ++y) {
    const std::uint8_t* row = turned.Row(y);
    std::uint8_t* a = result.data() + static_cast<std::size_t>(y) * turned.Width();
    for (int x = 0; x < turned.Width(); ++x) a[x] = row[3 * x];
  }
  return Status::Ok();
}

}  // namespace quillstone
