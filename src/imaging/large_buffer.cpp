#include "imaging/large_buffer.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace quillstone {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

void FreeLargeBuffer::operator()(std::uint8_t* p) const {
  std::free(p);
}

LargeBuffer AllocateLargeBuffer(std::size_t bytes) {
  void* p = nullptr;
  if (bytes >= 2 * kHugePage) {
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    p = std::aligned_alloc(kHugePage, rounded);
    if (p != nullptr) madvise(p, rounded, MADV_HUGEPAGE);
  } else {
    p = std::malloc(bytes);
  }
  if (p == nullptr) throw std::bad_alloc();
  return LargeBuffer(static_cast<std::uint8_t*>(p));
}

}  // namespace quillstone
