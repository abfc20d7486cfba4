// fuzz-layer: platform
// Reads arbitrary text as a string value that the desktop's settings tool printed.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/wallpaper.h"

using namespace quillstone;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto value = ParseGVariantString(text); value && value->size() + 2 > text.size()) std::abort();
  return 0;
}
