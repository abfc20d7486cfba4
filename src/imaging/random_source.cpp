#include "imaging/random_source.h"

#include <chrono>

namespace quillstone {

RandomSource::RandomSource() {
  Reseed();
}

RandomSource::RandomSource(std::uint64_t seed) : state_(seed), fixedSeed_(seed), fixed_(true) {}

void RandomSource::Reseed() {
  if (fixed_) {
    state_ = fixedSeed_;
    return;
  }
  state_ = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

}  // namespace quillstone
