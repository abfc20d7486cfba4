// fuzz-layer: imagefiles
#include <cstddef>
#include <cstdint>

#include "imagefiles/jpeg_decoder.h"

// Any bytes as a JPEG stream. Pictures are capped at 4 megapixels so that every input decodes in
// milliseconds; the size checks themselves are the same as for the full limit.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quillstone::RasterImage out;
  const quillstone::Status status =
      quillstone::DecodeJpegMemory(data, size, out, nullptr, std::int64_t{1} << 22);
  // A success yields a picture, a failure an empty raster and a reason.
  if (status.ok() == out.Empty() || status.ok() != status.message().empty()) __builtin_trap();
  return 0;
}
