#include "imagefiles/palette_matcher.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace quillstone {
namespace {

// Distance along one channel from value v to the nearest and the farthest value of [lo, hi].
int NearGap(int v, int lo, int hi) {
  return v < lo ? lo - v : (v > hi ? v - hi : 0);
}
int FarGap(int v, int lo, int hi) {
  return std::max(std::abs(v - lo), std::abs(hi - v));
}

}  // namespace

PaletteMatcher::PaletteMatcher(std::span<const Rgb> palette)
    : palette_(palette.begin(), palette.begin() + std::min<std::size_t>(palette.size(), 256)),
      cacheKey_(std::size_t{1} << kCacheBits, 0),
      cacheIndex_(std::size_t{1} << kCacheBits, 0) {
  if (palette_.empty()) palette_.push_back(Rgb{});
  const int cellCount = kCellsPerSide * kCellsPerSide * kCellsPerSide;
  constexpr int kSide = 1 << kCellShift;
  cellStart_.reserve(static_cast<std::size_t>(cellCount) + 1);
  std::vector<int> nearest(palette_.size());
  for (int cell = 0; cell < cellCount; ++cell) {
    const int rLo = (cell / (kCellsPerSide * kCellsPerSide)) * kSide;
    const int gLo = (cell / kCellsPerSide % kCellsPerSide) * kSide;
    const int bLo = (cell % kCellsPerSide) * kSide;
    int bound = INT_MAX;  // the smallest distance within which every colour of the cell has an entry
    for (std::size_t i = 0; i < palette_.size(); ++i) {
      const Rgb& e = palette_[i];
      const int nr = NearGap(e.r, rLo, rLo + kSide - 1), ng = NearGap(e.g, gLo, gLo + kSide - 1),
                nb = NearGap(e.b, bLo, bLo + kSide - 1);
      const int fr = FarGap(e.r, rLo, rLo + kSide - 1), fg = FarGap(e.g, gLo, gLo + kSide - 1),
                fb = FarGap(e.b, bLo, bLo + kSide - 1);
      nearest[i] = nr * nr + ng * ng + nb * nb;
      bound = std::min(bound, fr * fr + fg * fg + fb * fb);
    }
    cellStart_.push_back(static_cast<std::uint32_t>(candidates_.size()));
    for (std::size_t i = 0; i < palette_.size(); ++i) {
      if (nearest[i] <= bound) candidates_.push_back(static_cast<std::uint8_t>(i));
    }
  }
  cellStart_.push_back(static_cast<std::uint32_t>(candidates_.size()));
}

std::uint8_t PaletteMatcher::Search(std::uint8_t r, std::uint8_t g, std::uint8_t b) const {
  const int cell =
      ((r >> kCellShift) * kCellsPerSide + (g >> kCellShift)) * kCellsPerSide + (b >> kCellShift);
  const Rgb colour{r, g, b};
  std::uint8_t best = 0;
  int bestDistance = INT_MAX;
  // Candidates are in index order, so a strict comparison keeps the lowest index on ties.
  for (std::uint32_t k = cellStart_[cell]; k < cellStart_[cell + 1]; ++k) {
    const std::uint8_t index = candidates_[k];
    const int d = Distance(colour, palette_[index]);
    if (d < bestDistance) {
      bestDistance = d;
      best = index;
    }
  }
  return best;
}

}  // namespace quillstone
