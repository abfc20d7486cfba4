// fuzz-layer: imagefiles
#include <cstddef>
#include <cstdint>

#include "decoder_fuzz.h"
#include "imagefiles/tiff_decoder.h"

// Any bytes as a TIFF file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzDecoder(quillstone::DecodeTiffMemory, data, size);
}
