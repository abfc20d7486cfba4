#pragma once

#include <cstdint>
#include <vector>

namespace quillstone {

// Little-endian numbers appended to a byte buffer, as BMP, TIFF and EMF store them.
inline void PutLe16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v >> 16));
  out.push_back(static_cast<std::uint8_t>(v >> 24));
}

inline void PutLe32(std::vector<std::uint8_t>& out, std::int32_t v) {
  PutLe32(out, static_cast<std::uint32_t>(v));
}

}  // namespace quillstone
