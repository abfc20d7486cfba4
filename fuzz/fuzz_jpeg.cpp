// fuzz-layer: imagefiles
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "imagefiles/jpeg_block_keeper.h"
#include "imagefiles/jpeg_decoder.h"

// Any bytes as a JPEG stream. Pictures are capped at 4 megapixels so that every input decodes in
// milliseconds; the size checks themselves are the same as for the full limit. A stream that
// decodes undamaged is also written again on its own blocks with its first pixel changed, so
// that every layout its header may describe reaches the unit encoder.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quillstone::RasterImage out;
  std::string damage;
  const quillstone::Status status =
      quillstone::DecodeJpegMemory(data, size, out, &damage, std::int64_t{1} << 22);
  // A success yields a picture, a failure an empty raster and a reason.
  if (status.ok() == out.Empty() || status.ok() != status.message().empty()) __builtin_trap();
  if (!status.ok() || !damage.empty()) return 0;
  const std::span<const std::uint8_t> file(data, size);
  if (!quillstone::JpegBlocksProblem(file).empty()) return 0;
  quillstone::RasterImage marked = out;
  marked.SetPixel(0, 0, quillstone::Rgb{1, 2, 3});
  quillstone::MemorySink sink;
  quillstone::KeptBlocksCount count;
  (void)quillstone::EncodeKeepingBlocks(marked, {file, out}, sink, "fuzz.jpg", &count);
  if (count.encoded > 1) __builtin_trap();  // one pixel changes one unit at most
  return 0;
}
