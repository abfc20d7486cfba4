#pragma once

#include <cstdint>

namespace quillstone {

// The pseudo-random source of the random colour option and the paper styles. A render
// takes one by reference, so tests (and batch jobs) can fix the sequence: a source built
// with a seed reseeds to that same seed, one built without seeds from the clock.
class RandomSource {
 public:
  RandomSource();                             // seeded from the clock
  explicit RandomSource(std::uint64_t seed);  // fixed sequence, also after Reseed()

  // A value drawn uniformly from 0..n-1; 0 when n <= 0.
  int Below(int n) {
    if (n <= 0) return 0;
    return static_cast<int>((Next() >> 32) * static_cast<std::uint64_t>(n) >> 32);
  }
  void Reseed();

 private:
  std::uint64_t Next() {
    // splitmix64: small, fast and good enough for colour noise.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  std::uint64_t state_ = 0;
  std::uint64_t fixedSeed_ = 0;
  bool fixed_ = false;
};

}  // namespace quillstone
