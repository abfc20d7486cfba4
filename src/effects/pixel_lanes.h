#pragma once

#include <cstdint>
#include <cstring>
#include <utility>

namespace quillstone::detail {

// Sixteen channel values in 16-bit lanes, and the same as bytes; written with the
// compiler's vector types so that every step on them is one vector instruction. The
// helpers taking and returning them are all inlined, so no call passes them (which is what
// the ABI note about 32-byte vectors without AVX is about).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"
using Lanes = std::int16_t __attribute__((vector_size(32)));
using Bytes = std::uint8_t __attribute__((vector_size(16)));
using UnsignedLanes = std::uint16_t __attribute__((vector_size(32)));
inline constexpr int kLaneCount = 16;

[[gnu::always_inline]] inline Bytes LoadBytes(const std::uint8_t* p) {
  Bytes b;
  std::memcpy(&b, p, sizeof b);
  return b;
}

[[gnu::always_inline]] inline void StoreBytes(std::uint8_t* p, Bytes b) {
  std::memcpy(p, &b, sizeof b);
}

[[gnu::always_inline]] inline Lanes ToLanes(Bytes b) {
  return __builtin_convertvector(b, Lanes);
}

// Values must be within 0..255.
[[gnu::always_inline]] inline Bytes ToBytes(Lanes v) {
  return __builtin_convertvector(v, Bytes);
}

[[gnu::always_inline]] inline Lanes LoadLanes(const std::uint8_t* p) {
  return ToLanes(LoadBytes(p));
}

// Values must be within 0..255.
[[gnu::always_inline]] inline void StoreLanes(std::uint8_t* p, Lanes v) {
  StoreBytes(p, ToBytes(v));
}

// Written in this form (bounds as vectors, the kept value first) the compiler emits one
// maximum and one minimum instruction.
[[gnu::always_inline]] inline Lanes Limit(Lanes v, std::int16_t lo, std::int16_t hi) {
  const Lanes low = (v - v) + lo;
  const Lanes high = (v - v) + hi;
  const Lanes raised = v > low ? v : low;
  return raised < high ? raised : high;
}

// Sixteen pixels (48 bytes, blue green red) taken apart into one vector per channel, and
// put back together. The byte moves are constant shuffles, which become byte-shuffle
// instructions where the processor has them.
struct PixelPlanes {
  Bytes blue;
  Bytes green;
  Bytes red;
};

namespace planes {
// Byte shuffles with a mask vector: lane j takes byte mask[j] of a (0..15) or of b
// (16..31). GCC has them built in; clang (the fuzzing builds) gets the same in plain code.
#if defined(__clang__)
[[gnu::always_inline]] inline Bytes Shuffle(Bytes a, Bytes b, Bytes mask) {
  Bytes r;
  for (int j = 0; j < kLaneCount; ++j) {
    const int m = mask[j] & (2 * kLaneCount - 1);
    r[j] = m < kLaneCount ? a[m] : b[m - kLaneCount];
  }
  return r;
}
[[gnu::always_inline]] inline Bytes Shuffle(Bytes a, Bytes mask) {
  return Shuffle(a, a, mask & (kLaneCount - 1));
}
#else
[[gnu::always_inline]] inline Bytes Shuffle(Bytes a, Bytes b, Bytes mask) {
  return __builtin_shuffle(a, b, mask);
}
[[gnu::always_inline]] inline Bytes Shuffle(Bytes a, Bytes mask) {
  return __builtin_shuffle(a, mask);
}
#endif

// A shuffle mask: lane j picks byte at(j).
template <class At, std::size_t... j>
constexpr Bytes Mask(At at, std::index_sequence<j...>) {
  return Bytes{static_cast<std::uint8_t>(at(static_cast<int>(j)))...};
}
template <class At>
constexpr Bytes Mask(At at) {
  return Mask(at, std::make_index_sequence<kLaneCount>{});
}

// For channel c, lane j takes byte 3j + c of the 48: first from the first 32 bytes into
// the lanes that lie there, then the rest from the last 16.
constexpr Bytes FirstPart(int c) {
  return Mask([c](int j) { return 3 * j + c < 32 ? 3 * j + c : 0; });
}
constexpr Bytes LastPart(int c) {
  return Mask([c](int j) { return 3 * j + c < 32 ? j : kLaneCount + 3 * j + c - 32; });
}
template <int c>
[[gnu::always_inline]] inline Bytes Channel(Bytes v0, Bytes v1, Bytes v2) {
  constexpr Bytes kFirst = FirstPart(c);
  constexpr Bytes kLast = LastPart(c);
  return Shuffle(Shuffle(v0, v1, kFirst), v2, kLast);
}

// For output part k (bytes 16k..16k+15 of the 48), byte t is channel (16k + t) mod 3 of
// pixel (16k + t) div 3: blue and green first, then red.
constexpr Bytes BlueGreen(int k) {
  return Mask([k](int t) {
    const int i = kLaneCount * k + t;
    return i % 3 == 2 ? 0 : (i % 3) * kLaneCount + i / 3;
  });
}
constexpr Bytes AddRed(int k) {
  return Mask([k](int t) {
    const int i = kLaneCount * k + t;
    return i % 3 == 2 ? kLaneCount + i / 3 : t;
  });
}
// The same pixel value in all three channels.
constexpr Bytes Repeat(int k) {
  return Mask([k](int t) { return (kLaneCount * k + t) / 3; });
}

template <int k>
[[gnu::always_inline]] inline void StorePart(std::uint8_t* p, const Bytes& blue, const Bytes& green,
                                             const Bytes& red) {
  constexpr Bytes kBlueGreen = BlueGreen(k);
  constexpr Bytes kAddRed = AddRed(k);
  StoreBytes(p + kLaneCount * k, Shuffle(Shuffle(blue, green, kBlueGreen), red, kAddRed));
}

template <int k>
[[gnu::always_inline]] inline void StoreGreyPart(std::uint8_t* p, const Bytes& grey) {
  constexpr Bytes kRepeat = Repeat(k);
  StoreBytes(p + kLaneCount * k, Shuffle(grey, kRepeat));
}
}  // namespace planes

[[gnu::always_inline]] inline PixelPlanes LoadPlanes(const std::uint8_t* p) {
  const Bytes v0 = LoadBytes(p);
  const Bytes v1 = LoadBytes(p + kLaneCount);
  const Bytes v2 = LoadBytes(p + 2 * kLaneCount);
  return {planes::Channel<0>(v0, v1, v2), planes::Channel<1>(v0, v1, v2), planes::Channel<2>(v0, v1, v2)};
}

[[gnu::always_inline]] inline void StorePlanes(std::uint8_t* p, const PixelPlanes& v) {
  planes::StorePart<0>(p, v.blue, v.green, v.red);
  planes::StorePart<1>(p, v.blue, v.green, v.red);
  planes::StorePart<2>(p, v.blue, v.green, v.red);
}

// Stores the 16 values as grey pixels (all three channels the same).
[[gnu::always_inline]] inline void StoreGrey(std::uint8_t* p, Bytes grey) {
  planes::StoreGreyPart<0>(p, grey);
  planes::StoreGreyPart<1>(p, grey);
  planes::StoreGreyPart<2>(p, grey);
}
#pragma GCC diagnostic pop

}  // namespace quillstone::detail
