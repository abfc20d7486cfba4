// fuzz-layer: imagefiles
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "imagefiles/image_metadata.h"
#include "imagefiles/jpeg_writer.h"

// Any bytes as a photo file's metadata, then what was read written into a
// small JPEG and read back: reading never fails a picture, and what it kept can always be written.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillstone;
  const ImageMetadata read = ReadImageMetadata(data, size);
  if (read.orientation < 1 || read.orientation > 8) __builtin_trap();
  static const std::string kJpeg = [] {
    std::vector<std::uint8_t> bytes;
    (void)EncodeJpeg(RasterImage(8, 8), {}, bytes);
    return std::string(bytes.begin(), bytes.end());
  }();
  std::string file = kJpeg;
  if (EmbedMetadata(file, read, 8, 8).ok()) {
    (void)ReadImageMetadata(reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
  } else if (file != kJpeg) {
    __builtin_trap();  // a failure leaves the file as it was
  }
  return 0;
}
