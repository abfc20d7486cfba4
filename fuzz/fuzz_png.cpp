// fuzz-layer: imagefiles
#include <cstddef>
#include <cstdint>

#include "decoder_fuzz.h"
#include "imagefiles/png_decoder.h"

// Any bytes as a PNG file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzDecoder(quillstone::DecodePngMemory, data, size);
}
