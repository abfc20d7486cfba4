#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// Runs `decode` (returning a Status) under what every library-backed decoder promises: `out`,
// `alpha` and `damage` (each when given) start empty, bytes that do not start like the kind
// of file `signatureProblem` checks for are refused with its reason before the library sees
// them, running out of memory is a failure named `kind` ("not enough memory for the PNG
// image"), and a failure leaves `out` (its memory kept for reuse) and `alpha` empty.
template <typename Decode>
Status DecodeUnderContract(const std::uint8_t* bytes, std::size_t size, RasterImage& out,
                           std::vector<std::uint8_t>* alpha, std::string* damage,
                           std::string (*signatureProblem)(std::string_view), std::string_view kind,
                           Decode&& decode) {
  out.Clear();
  if (alpha != nullptr) alpha->clear();
  if (damage != nullptr) damage->clear();
  const std::string_view leading(reinterpret_cast<const char*>(bytes), bytes == nullptr ? 0 : size);
  if (std::string problem = signatureProblem(leading); !problem.empty()) return Status::Error(problem);
  Status status;
  try {
    status = decode();
  } catch (const std::bad_alloc&) {
    status = Status::Error("not enough memory for the " + std::string(kind) + " image");
  }
  if (!status) {
    out.Clear();
    if (alpha != nullptr) alpha->clear();
    if (damage != nullptr) damage->clear();
  }
  return status;
}

}  // namespace quillstone
