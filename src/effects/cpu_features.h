#pragma once

namespace quillstone {

#if defined(__x86_64__) || defined(__i386__)
// Whether the processor runs AVX2 code, asked once for the whole program. The effects
// with a 256-bit variant pick it by this.
inline bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}
#endif

}  // namespace quillstone
