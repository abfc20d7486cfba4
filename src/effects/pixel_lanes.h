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

// A vector of bytes (16 or 32) as they lie in memory, and its store.
template <class V = Bytes>
[[gnu::always_inline]] inline V LoadBytes(const std::uint8_t* p) {
  V b;
  std::memcpy(&b, p, sizeof b);
  return b;
}

template <class V>
[[gnu::always_inline]] inline void StoreBytes(std::uint8_t* p, const V& b) {
  std::memcpy(p, &b, sizeof b);
}

// Written in this form (bounds as vectors, the kept value first) the compiler emits one
// maximum and one minimum instruction.
[[gnu::always_inline]] inline Lanes Limit(Lanes v, std::int16_t lo, std::int16_t hi) {
  const Lanes low = (v - v) + lo;
  const Lanes high = (v - v) + hi;
  const Lanes raised = v > low ? v : low;
  return raised < high ? raised : high;
}

// Thirty-two pixels (96 bytes, blue green red) taken apart into one 256-bit vector per
// channel, and put back together. The vectors hold two blocks of 16 pixels (48 bytes), the
// first block in their first 128 bits and the second in their last 128 bits, so that
// every byte move stays within its half: constant shuffles within halves are single
// byte-shuffle instructions on 256-bit vectors where the processor has them.
using WideBytes = std::uint8_t __attribute__((vector_size(32)));
inline constexpr int kPlanePixels = 2 * kLaneCount;  // pixels of one PixelPlanes
inline constexpr int kHalfBytes = 3 * kLaneCount;    // bytes of the first block

struct PixelPlanes {
  WideBytes blue;
  WideBytes green;
  WideBytes red;
};

namespace planes {
// Byte shuffles with a mask vector: lane j takes byte mask[j] of a (0..n-1) or of b
// (n..2n-1). GCC has them built in; clang (the fuzzing builds) gets the same in plain code.
#if defined(__clang__)
template <class V>
[[gnu::always_inline]] inline V Shuffle(V a, V b, V mask) {
  constexpr int n = sizeof(V);
  V r;
  for (int j = 0; j < n; ++j) {
    const int m = mask[j] & (2 * n - 1);
    r[j] = m < n ? a[m] : b[m - n];
  }
  return r;
}
template <class V>
[[gnu::always_inline]] inline V Shuffle(V a, V mask) {
  return Shuffle(a, a, mask & (sizeof(V) - 1));
}
#else
template <class V>
[[gnu::always_inline]] inline V Shuffle(V a, V b, V mask) {
  return __builtin_shuffle(a, b, mask);
}
template <class V>
[[gnu::always_inline]] inline V Shuffle(V a, V mask) {
  return __builtin_shuffle(a, mask);
}
#endif

// A shuffle mask within halves: lane j of either half picks byte at(j mod 16) of its own
// half of the sources, at(j) < 16 from the first source and 16..31 from the second.
template <class At, std::size_t... j>
constexpr WideBytes Mask(At at, std::index_sequence<j...>) {
  constexpr int n = kLaneCount;
  const auto pick = [at](int lane) {
    const int half = lane / n;
    const int m = at(lane % n);
    return static_cast<std::uint8_t>(m < n ? half * n + m : 2 * n + half * n + m - n);
  };
  return WideBytes{pick(static_cast<int>(j))...};
}
template <class At>
constexpr WideBytes Mask(At at) {
  return Mask(at, std::make_index_sequence<2 * kLaneCount>{});
}

// For channel c, lane j of a half takes byte 3j + c of that half's block: first from its
// first 32 bytes into the lanes that lie there, then the rest from the last 16.
constexpr WideBytes FirstPart(int c) {
  return Mask([c](int j) { return 3 * j + c < 32 ? 3 * j + c : 0; });
}
constexpr WideBytes LastPart(int c) {
  return Mask([c](int j) { return 3 * j + c < 32 ? j : kLaneCount + 3 * j + c - 32; });
}
template <int c>
[[gnu::always_inline]] inline WideBytes Channel(const WideBytes& v0, const WideBytes& v1,
                                                const WideBytes& v2) {
  constexpr WideBytes kFirst = FirstPart(c);
  constexpr WideBytes kLast = LastPart(c);
  return Shuffle(Shuffle(v0, v1, kFirst), v2, kLast);
}

// For output part k (bytes 16k..16k+15 of a block), byte t is channel (16k + t) mod 3 of
// pixel (16k + t) div 3: blue and green first, then red.
constexpr WideBytes BlueGreen(int k) {
  return Mask([k](int t) {
    const int i = kLaneCount * k + t;
    return i % 3 == 2 ? 0 : (i % 3) * kLaneCount + i / 3;
  });
}
constexpr WideBytes AddRed(int k) {
  return Mask([k](int t) {
    const int i = kLaneCount * k + t;
    return i % 3 == 2 ? kLaneCount + i / 3 : t;
  });
}
// The same pixel value in all three channels.
constexpr WideBytes Repeat(int k) {
  return Mask([k](int t) { return (kLaneCount * k + t) / 3; });
}

template <std::size_t... j>
[[gnu::always_inline]] inline WideBytes Join(Bytes a, Bytes b, std::index_sequence<j...>) {
  return __builtin_shufflevector(a, b, static_cast<int>(j)...);
}
template <std::size_t... j>
[[gnu::always_inline]] inline Bytes Part(WideBytes v, std::index_sequence<j...>) {
  return __builtin_shufflevector(v, v, static_cast<int>(j)...);
}
template <std::size_t... j>
[[gnu::always_inline]] inline Bytes SecondPart(WideBytes v, std::index_sequence<j...>) {
  return __builtin_shufflevector(v, v, static_cast<int>(j + kLaneCount)...);
}
}  // namespace planes

// A wide vector made of two halves.
[[gnu::always_inline]] inline WideBytes Join(Bytes low, Bytes high) {
  return planes::Join(low, high, std::make_index_sequence<2 * kLaneCount>{});
}

namespace planes {
// Lane j of the 16-bit lanes: byte j of the first (kSecond: last) 8 of its half, the
// high byte 0 from the second source (zero).
template <bool kSecond, std::size_t... j>
constexpr WideBytes WidenMask(std::index_sequence<j...>) {
  const auto at = [](int lane) {
    const int half = lane / kLaneCount;
    const int t = lane % kLaneCount;
    return static_cast<std::uint8_t>(t % 2 ? 2 * kLaneCount : half * kLaneCount + (kSecond ? 8 : 0) + t / 2);
  };
  return WideBytes{at(static_cast<int>(j))...};
}
// The low bytes of the lanes of both sources, the first source's in the first 8 bytes of
// each half.
template <std::size_t... j>
constexpr WideBytes NarrowMask(std::index_sequence<j...>) {
  const auto at = [](int lane) {
    const int half = lane / kLaneCount;
    const int t = lane % kLaneCount;
    return static_cast<std::uint8_t>(t < 8 ? half * kLaneCount + 2 * t
                                           : 2 * kLaneCount + half * kLaneCount + 2 * (t - 8));
  };
  return WideBytes{at(static_cast<int>(j))...};
}
}  // namespace planes

// A wide vector as two vectors of 16-bit lanes without moving bytes between its halves:
// the first holds bytes 0..7 and 16..23 (pixels 0..7 and 16..23 of a channel), the second
// bytes 8..15 and 24..31. Narrow puts them back (lane values within 0..255).
[[gnu::always_inline]] inline Lanes WidenFirst(WideBytes v) {
  constexpr WideBytes kMask = planes::WidenMask<false>(std::make_index_sequence<2 * kLaneCount>{});
  return reinterpret_cast<Lanes>(planes::Shuffle(v, WideBytes{}, kMask));
}
[[gnu::always_inline]] inline Lanes WidenSecond(WideBytes v) {
  constexpr WideBytes kMask = planes::WidenMask<true>(std::make_index_sequence<2 * kLaneCount>{});
  return reinterpret_cast<Lanes>(planes::Shuffle(v, WideBytes{}, kMask));
}
[[gnu::always_inline]] inline WideBytes Narrow(Lanes first, Lanes second) {
  constexpr WideBytes kMask = planes::NarrowMask(std::make_index_sequence<2 * kLaneCount>{});
  return planes::Shuffle(reinterpret_cast<WideBytes>(first), reinterpret_cast<WideBytes>(second), kMask);
}

// Byte operations that stop at 0 and 255, written with a minimum.
[[gnu::always_inline]] inline WideBytes SubtractSaturated(WideBytes a, WideBytes b) {
  return a - (a < b ? a : b);
}
[[gnu::always_inline]] inline WideBytes AddSaturated(WideBytes a, WideBytes b) {
  const WideBytes room = ~a;
  return a + (b < room ? b : room);
}

// Each byte c moved away from m by its distance to m: clamped(2c - m), which is c + (c - m)
// when c >= m and c - (m - c) below, each stopping at 255 or 0; byte operations only, so
// nothing is widened.
[[gnu::always_inline]] inline WideBytes AwayFrom(WideBytes c, WideBytes m) {
  return SubtractSaturated(AddSaturated(c, SubtractSaturated(c, m)), SubtractSaturated(m, c));
}

// Part k (bytes 16k..16k+15) of both blocks, and its store.
[[gnu::always_inline]] inline WideBytes LoadPart(const std::uint8_t* p, int k) {
  return Join(LoadBytes(p + kLaneCount * k), LoadBytes(p + kHalfBytes + kLaneCount * k));
}
[[gnu::always_inline]] inline void StorePart(std::uint8_t* p, int k, WideBytes v) {
  StoreBytes(p + kLaneCount * k, planes::Part(v, std::make_index_sequence<kLaneCount>{}));
  StoreBytes(p + kHalfBytes + kLaneCount * k, planes::SecondPart(v, std::make_index_sequence<kLaneCount>{}));
}

[[gnu::always_inline]] inline PixelPlanes LoadPlanes(const std::uint8_t* p) {
  const WideBytes v0 = LoadPart(p, 0);
  const WideBytes v1 = LoadPart(p, 1);
  const WideBytes v2 = LoadPart(p, 2);
  return {planes::Channel<0>(v0, v1, v2), planes::Channel<1>(v0, v1, v2), planes::Channel<2>(v0, v1, v2)};
}

// The channels of 16 pixels of a PixelPlanes-sized block in 16-bit lanes, in the lane order
// of WidenFirst (pixels 0..7 of either half) or WidenSecond (pixels 8..15).
struct ChannelLanes {
  Lanes blue;
  Lanes green;
  Lanes red;
};

struct PixelLanes {
  ChannelLanes first;
  ChannelLanes second;
};

namespace planes {
// Lane t/2 of a half (its bytes t and t + 1) takes pixel t/2 (kSecond: t/2 + 8) of the
// half's block: blue and green, or red in both bytes. The pixels lie within two parts,
// given as the two sources.
template <bool kSecond, bool kRed>
constexpr WideBytes PairMask() {
  return Mask([](int t) {
    const int i = 3 * ((kSecond ? 8 : 0) + t / 2) + (kRed ? 2 : t % 2);
    return kSecond ? i - kLaneCount : i;
  });
}

// Two shuffles give the channels of 8 pixels per half: blue and green as the low and high
// byte of one lane, red as the low byte of another.
template <bool kSecond>
[[gnu::always_inline]] inline ChannelLanes PairLanes(const WideBytes& a, const WideBytes& b) {
  constexpr WideBytes kPairs = PairMask<kSecond, false>();
  constexpr WideBytes kReds = PairMask<kSecond, true>();
  const auto pairs = reinterpret_cast<UnsignedLanes>(Shuffle(a, b, kPairs));
  const auto reds = reinterpret_cast<UnsignedLanes>(Shuffle(a, b, kReds));
  return {reinterpret_cast<Lanes>(pairs & 0xFF), reinterpret_cast<Lanes>(pairs >> 8),
          reinterpret_cast<Lanes>(reds & 0xFF)};
}
}  // namespace planes

// The channels of 32 pixels in 16-bit lanes, straight from the bytes: fewer byte moves than
// LoadPlanes and widening, for effects that need the lanes only.
[[gnu::always_inline]] inline PixelLanes LoadPixelLanes(const std::uint8_t* p) {
  const WideBytes v0 = LoadPart(p, 0);
  const WideBytes v1 = LoadPart(p, 1);
  const WideBytes v2 = LoadPart(p, 2);
  return {planes::PairLanes<false>(v0, v1), planes::PairLanes<true>(v1, v2)};
}

// The same with every byte passed through `step` (a byte-wise step on wide vectors) first.
template <class Step>
[[gnu::always_inline]] inline PixelLanes LoadPixelLanes(const std::uint8_t* p, Step step) {
  const WideBytes v0 = step(LoadPart(p, 0));
  const WideBytes v1 = step(LoadPart(p, 1));
  const WideBytes v2 = step(LoadPart(p, 2));
  return {planes::PairLanes<false>(v0, v1), planes::PairLanes<true>(v1, v2)};
}

template <int k>
[[gnu::always_inline]] inline WideBytes Interleave(const PixelPlanes& v) {
  constexpr WideBytes kBlueGreen = planes::BlueGreen(k);
  constexpr WideBytes kAddRed = planes::AddRed(k);
  return planes::Shuffle(planes::Shuffle(v.blue, v.green, kBlueGreen), v.red, kAddRed);
}

[[gnu::always_inline]] inline void StorePlanes(std::uint8_t* p, const PixelPlanes& v) {
  StorePart(p, 0, Interleave<0>(v));
  StorePart(p, 1, Interleave<1>(v));
  StorePart(p, 2, Interleave<2>(v));
}

// Part k of the grey pixels whose values `grey` holds (all three channels the same).
template <int k>
[[gnu::always_inline]] inline WideBytes GreyPart(WideBytes grey) {
  constexpr WideBytes kRepeat = planes::Repeat(k);
  return planes::Shuffle(grey, kRepeat);
}

// Stores the 32 values as grey pixels.
[[gnu::always_inline]] inline void StoreGrey(std::uint8_t* p, WideBytes grey) {
  StorePart(p, 0, GreyPart<0>(grey));
  StorePart(p, 1, GreyPart<1>(grey));
  StorePart(p, 2, GreyPart<2>(grey));
}
#pragma GCC diagnostic pop

}  // namespace quillstone::detail
