// fuzz-layer: imagefiles
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "imagefiles/jpeg_block_keeper.h"
#include "imagefiles/jpeg_decoder.h"

// Any bytes as a JPEG stream. Pictures are capped at 4 megapixels so that every input decodes in
// milliseconds; the size checks themselves are the same as for the full limit. A stream that
// decodes undamaged is also written again on its own blocks with its first pixel changed, so
// that every layout its header may describe reaches the unit encoder, both by copying its
// bits and through the library, and its first units are decoded on their own.
namespace {
const std::uint8_t* Bytes(const std::string& s) {
  return reinterpret_cast<const std::uint8_t*>(s.data());
}
}  // namespace

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
  // Written by copying the source's bits where it can, and through the library's
  // coefficient arrays: the two decode alike.
  quillstone::MemorySink copied, library;
  quillstone::KeptBlocksCount count;
  const bool bits =
      quillstone::EncodeKeepingBlocks(marked, {.file = file, .decoded = out}, copied, "fuzz.jpg", &count)
          .ok();
  if (count.encoded > 1) __builtin_trap();  // one pixel changes one unit at most
  if (bits && count.copiedBits &&
      quillstone::EncodeKeepingBlocks(marked, {.file = file, .decoded = out, .throughLibrary = true}, library,
                                      "fuzz.jpg")
          .ok()) {
    quillstone::RasterImage a, b;
    if (!quillstone::DecodeJpegMemory(Bytes(copied.bytes), copied.bytes.size(), a) ||
        !quillstone::DecodeJpegMemory(Bytes(library.bytes), library.bytes.size(), b) || !(a == b))
      __builtin_trap();
  }
  // The first units decoded on their own are the whole decode inside their ring.
  quillstone::KeptBlocksMemory memory;
  if (!quillstone::ScanJpegSource(file, memory)) return 0;
  const quillstone::Rect units{0, 0, std::min(3, memory.scanLayout.unitsAcross),
                               std::min(3, memory.scanLayout.unitsDown)};
  quillstone::RasterImage target = out;
  target.Fill(0);
  if (!quillstone::DecodeScannedUnits(file, memory, units, target)) return 0;
  const int inside =
      memory.blockLayout.UnitWidth() * (units.right - (units.right < memory.scanLayout.unitsAcross));
  const int down =
      memory.blockLayout.UnitHeight() * (units.bottom - (units.bottom < memory.scanLayout.unitsDown));
  for (int y = 0; y < std::min(down, out.Height()); ++y)
    for (int x = 0; x < std::min(inside, out.Width()); ++x)
      if (!(target.Pixel(x, y) == out.Pixel(x, y))) __builtin_trap();
  return 0;
}
