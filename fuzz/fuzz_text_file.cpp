// fuzz-layer: platform
// Decodes arbitrary file bytes as text and splits them into lines.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/text_file.h"

using namespace quillstone;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = DecodeTextBytes(bytes);
  // The result is valid UTF-8: decoding it again changes nothing (the leading "a" keeps a
  // byte-order mark in the text from being dropped).
  if (DecodeTextBytes("a" + text) != "a" + text) std::abort();
  std::size_t total = 0;
  for (const std::string& line : SplitTextLines(text)) total += line.size();
  if (total > text.size()) std::abort();
  return 0;
}
