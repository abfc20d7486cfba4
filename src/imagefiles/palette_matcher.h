#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/color_value.h"

namespace quillstone {

// Finds the palette entry nearest to a colour: the smallest squared distance
// (r - r')^2 + (g - g')^2 + (b - b')^2, and among entries at the same distance the one with
// the lowest index. The answer is exact for any palette of 1..256 entries.
//
// The colour cube is cut into 16 x 16 x 16 cells; each cell keeps the few entries that can
// be nearest to some colour inside it (those whose smallest distance to the cell is no
// more than the smallest largest distance of any entry), so a lookup compares a handful of
// entries instead of all of them. A small cache of recent answers serves the runs of equal
// colours that reduced and flat images are made of.
class PaletteMatcher {
 public:
  // An empty palette is treated as one black entry.
  explicit PaletteMatcher(std::span<const Rgb> palette);

  std::uint8_t Nearest(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const std::uint32_t key = (std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b) + 1;
    const std::uint32_t slot = (key * 2654435761u) >> (32 - kCacheBits);
    if (cacheKey_[slot] == key) return cacheIndex_[slot];
    const std::uint8_t index = Search(r, g, b);
    cacheKey_[slot] = key;
    cacheIndex_[slot] = index;
    return index;
  }

  const std::vector<Rgb>& Palette() const { return palette_; }

  static int Distance(Rgb a, Rgb b) {
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
  }

 private:
  static constexpr int kCellShift = 4;  // cells of 16 values per channel
  static constexpr int kCellsPerSide = 256 >> kCellShift;
  static constexpr int kCacheBits = 12;

  std::uint8_t Search(std::uint8_t r, std::uint8_t g, std::uint8_t b) const;

  std::vector<Rgb> palette_;
  // Candidates of cell c are candidates_[cellStart_[c] .. cellStart_[c + 1]), lowest index first.
  std::vector<std::uint32_t> cellStart_;
  std::vector<std::uint8_t> candidates_;
  std::vector<std::uint32_t> cacheKey_;  // colour + 1, 0 for an empty slot
  std::vector<std::uint8_t> cacheIndex_;
};

}  // namespace quillstone
