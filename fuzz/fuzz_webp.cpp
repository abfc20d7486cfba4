// fuzz-layer: imagefiles
#include <cstddef>
#include <cstdint>

#include "decoder_fuzz.h"
#include "imagefiles/webp_decoder.h"

// Any bytes as a WebP file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzDecoder(quillstone::DecodeWebpMemory, data, size);
}
