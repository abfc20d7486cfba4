#include "pipeline/preview.h"

#include <cstdint>
#include <vector>

#include "imaging/arithmetic.h"

namespace quillstone {

PreviewSize PreviewSizeFor(int width, int height, int boxWidth, int boxHeight) {
  if (width <= 0 || height <= 0 || boxWidth < 1 || boxHeight < 1) return {};
  const double scaleX = static_cast<double>(width) / boxWidth;
  const double scaleY = static_cast<double>(height) / boxHeight;
  if (scaleX >= scaleY) return {boxWidth, Trunc(height / scaleX)};
  return {Trunc(width / scaleY), boxHeight};
}

std::string SizeLabel(const RasterImage& image) {
  return std::to_string(image.Width()) + "x" + std::to_string(image.Height());
}

namespace {

// One source index and its share of a target pixel, in 1/65536 of the target pixel.
struct Tap {
  int index;
  std::uint32_t weight;
};

// For each of `to` target cells, the source cells of 0..from-1 it covers and their shares.
// The shares of one target cell sum to exactly 65536.
std::vector<std::vector<Tap>> AreaTaps(int from, int to) {
  std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
  const double scale = static_cast<double>(from) / to;
  for (int t = 0; t < to; ++t) {
    const double begin = t * scale;
    const double end = (t + 1) * scale;
    auto& list = taps[static_cast<std::size_t>(t)];
    std::uint32_t total = 0;
    for (int s = static_cast<int>(begin); s < from && s < end; ++s) {
      const double lo = s > begin ? s : begin;
      const double hi = s + 1 < end ? s + 1 : end;
      const auto w = static_cast<std::uint32_t>((hi - lo) / scale * 65536.0 + 0.5);
      if (w == 0) continue;
      list.push_back({s, w});
      total += w;
    }
    if (list.empty()) list.push_back({static_cast<int>(begin) < from ? static_cast<int>(begin) : from - 1, 0});
    list.back().weight += 65536 - total;  // rounding remainder to the last tap
  }
  return taps;
}

}  // namespace

void AreaAverageResize(const RasterImage& source, int width, int height, RasterImage& target) {
  if (source.Empty() || width <= 0 || height <= 0) {
    target.Resize(0, 0);
    return;
  }
  target.Resize(width, height);
  const auto xTaps = AreaTaps(source.Width(), width);
  const auto yTaps = AreaTaps(source.Height(), height);
  // Horizontal reduction of one source row at a time, accumulated with the row's vertical
  // share; every source row is read once per target row it touches.
  std::vector<std::uint32_t> rowSum(static_cast<std::size_t>(width) * 3);
  std::vector<std::uint64_t> acc(static_cast<std::size_t>(width) * 3);
  for (int ty = 0; ty < height; ++ty) {
    std::fill(acc.begin(), acc.end(), 0);
    for (const Tap& vy : yTaps[static_cast<std::size_t>(ty)]) {
      const std::uint8_t* row = source.Row(vy.index);
      for (int tx = 0; tx < width; ++tx) {
        std::uint32_t b = 0, g = 0, r = 0;
        for (const Tap& vx : xTaps[static_cast<std::size_t>(tx)]) {
          const std::uint8_t* p = row + 3 * vx.index;
          b += p[0] * vx.weight;
          g += p[1] * vx.weight;
          r += p[2] * vx.weight;
        }
        rowSum[3 * tx] = b;
        rowSum[3 * tx + 1] = g;
        rowSum[3 * tx + 2] = r;
      }
      for (std::size_t i = 0; i < acc.size(); ++i) acc[i] += std::uint64_t{rowSum[i]} * vy.weight;
    }
    std::uint8_t* out = target.Row(ty);
    for (std::size_t i = 0; i < acc.size(); ++i) {
      out[i] = static_cast<std::uint8_t>((acc[i] + (std::uint64_t{1} << 31)) >> 32);
    }
  }
}

}  // namespace quillstone
