#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace quillstone {

// Memory for photo-size buffers (rasters, whole-image coefficient arrays). Buffers of a few
// megabytes and more are aligned to 2 MiB and offered to the kernel for huge pages: first
// touching 36 MB in 4 KiB pages costs thousands of page faults, as much as decoding the
// JPEG that fills it.
struct FreeLargeBuffer {
  void operator()(std::uint8_t* p) const;
};
using LargeBuffer = std::unique_ptr<std::uint8_t[], FreeLargeBuffer>;

// Throws std::bad_alloc when the memory cannot be had. The contents are undefined.
LargeBuffer AllocateLargeBuffer(std::size_t bytes);

// The same memory for a standard container that grows to photo size.
template <typename T>
struct LargeBufferAllocator {
  using value_type = T;
  LargeBufferAllocator() = default;
  template <typename U>
  LargeBufferAllocator(const LargeBufferAllocator<U>&) {}
  T* allocate(std::size_t n) { return reinterpret_cast<T*>(AllocateLargeBuffer(n * sizeof(T)).release()); }
  void deallocate(T* p, std::size_t) { FreeLargeBuffer{}(reinterpret_cast<std::uint8_t*>(p)); }
  bool operator==(const LargeBufferAllocator&) const = default;
};
template <typename T>
using LargeVector = std::vector<T, LargeBufferAllocator<T>>;

}  // namespace quillstone
