#pragma once

#include <array>
#include <cstdint>

namespace quillstone::detail {

// Row loops of the effects work on blocks of 16 pixels (48 bytes). A per-channel constant
// repeats every 3 bytes, so one 48-byte pattern covers a whole block, and the fixed block
// length lets the compiler turn each block into whole vector operations without a
// scalar remainder. The pixels after the last whole block are done one by one.
inline constexpr int kBlockPixels = 16;
inline constexpr int kBlockBytes = 3 * kBlockPixels;

template <class T>
using BytePattern = std::array<T, kBlockBytes>;

// A pattern holding the given per-channel values in pixel byte order (blue, green, red).
template <class T>
constexpr BytePattern<T> RepeatPerChannel(T blue, T green, T red) {
  BytePattern<T> p{};
  for (int i = 0; i < kBlockBytes; i += 3) {
    p[i] = blue;
    p[i + 1] = green;
    p[i + 2] = red;
  }
  return p;
}

// Bit operations per byte: d = ((d & keep) | set) ^ flip. Covers channel fills (keep, set)
// and inversions (flip, since 255 - c == c ^ 255).
struct BitPattern {
  BytePattern<std::uint8_t> keep = RepeatPerChannel<std::uint8_t>(0xFF, 0xFF, 0xFF);
  BytePattern<std::uint8_t> set{};
  BytePattern<std::uint8_t> flip{};
};

// Applies `pattern` to `pixels` pixels starting at `row`.
[[gnu::always_inline]] inline void ApplyBitPattern(std::uint8_t* row, int pixels, const BitPattern& pattern) {
  const BitPattern p = pattern;  // a local copy cannot alias the row, so the block vectorises
  int x = 0;
  for (; x + kBlockPixels <= pixels; x += kBlockPixels, row += kBlockBytes) {
    for (int i = 0; i < kBlockBytes; ++i)
      row[i] = static_cast<std::uint8_t>(((row[i] & p.keep[i]) | p.set[i]) ^ p.flip[i]);
  }
  const int rest = 3 * (pixels - x);
  for (int i = 0; i < rest; ++i)
    row[i] = static_cast<std::uint8_t>(((row[i] & p.keep[i]) | p.set[i]) ^ p.flip[i]);
}

// The percent blend of a constant colour, per byte: d = add + (scale * s) div 100, where for
// a coloured channel add = (a * colour) div 100 and scale = 100 - a, and for a channel
// that keeps the source add = 0 and scale = 100 (which gives s exactly).
struct BlendPattern {
  BytePattern<std::uint8_t> add{};
  BytePattern<std::uint16_t> scale{};
};

// The blend of one channel value: add + (scale * v) div 100, low 8 bits kept; scale * v
// <= 100 * 255 fits 16 bits, and division by the constant 100 becomes a multiply-high, so
// blocks of it run in 16-bit vector lanes.
[[gnu::always_inline]] inline std::uint8_t BlendByte(std::uint8_t add, std::uint16_t scale, std::uint8_t v) {
  return static_cast<std::uint8_t>(add + static_cast<std::uint16_t>(scale * v) / 100);
}

namespace blend {
// The block loop for a given pair of rows; Dest and Source are the same pointer type for
// the in-place case, restrict-qualified for distinct rows, so the compiler knows how
// they overlap.
template <class DestPtr, class SourcePtr>
[[gnu::always_inline]] inline void Run(DestPtr dest, SourcePtr source, int pixels, const BlendPattern& p) {
  int x = 0;
  for (; x + kBlockPixels <= pixels; x += kBlockPixels, dest += kBlockBytes, source += kBlockBytes) {
    for (int i = 0; i < kBlockBytes; ++i) dest[i] = BlendByte(p.add[i], p.scale[i], source[i]);
  }
  const int rest = 3 * (pixels - x);
  for (int i = 0; i < rest; ++i) dest[i] = BlendByte(p.add[i], p.scale[i], source[i]);
}

[[gnu::always_inline]] inline void InPlace(std::uint8_t* row, int pixels, const BlendPattern& p) {
  Run(row, row, pixels, p);
}

[[gnu::always_inline]] inline void Apart(std::uint8_t* __restrict dest, const std::uint8_t* __restrict source,
                                         int pixels, const BlendPattern& p) {
  Run(dest, source, pixels, p);
}
}  // namespace blend

// Blends `pixels` pixels of `source` into `dest`; the two are the same row or do not overlap.
[[gnu::always_inline]] inline void ApplyBlendPattern(std::uint8_t* dest, const std::uint8_t* source,
                                                     int pixels, const BlendPattern& pattern) {
  const BlendPattern p = pattern;  // a local copy cannot alias the rows
  if (dest == source) {
    blend::InPlace(dest, pixels, p);
  } else {
    blend::Apart(dest, source, pixels, p);
  }
}

}  // namespace quillstone::detail
