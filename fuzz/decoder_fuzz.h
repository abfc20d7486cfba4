#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "imagefiles/decode_limits.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

// Any bytes through a decoder of the alpha-aware contract (PNG, TIFF, WebP), once composited
// onto white and once with its alpha channel. Pictures are capped at 4 megapixels so that
// every input decodes in milliseconds; the size checks themselves are the same as for the
// full limit.
template <typename Decode>
int FuzzDecoder(Decode decode, const std::uint8_t* data, std::size_t size) {
  quillstone::RasterImage out;
  std::vector<std::uint8_t> alpha;
  std::string damage;
  for (std::vector<std::uint8_t>* wanted : {static_cast<std::vector<std::uint8_t>*>(nullptr), &alpha}) {
    const quillstone::Status status = decode(data, size, out, wanted, &damage, std::int64_t{1} << 22);
    // A success yields a picture (and an alpha byte per pixel, or none), a failure an empty
    // raster and a reason.
    if (status.ok() == out.Empty() || status.ok() != status.message().empty()) __builtin_trap();
    const std::size_t pixels = static_cast<std::size_t>(out.Width()) * static_cast<std::size_t>(out.Height());
    if (!alpha.empty() && alpha.size() != pixels) __builtin_trap();
  }
  return 0;
}
