// fuzz-layer: text
// Applies format tags to arbitrary lines from an arbitrary base format.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/format_tags.h"

using namespace quillstone;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  TextLineFormat base;
  base.points = in.ConsumeIntegral<int>();
  base.bold = in.ConsumeBool();
  base.normalColor = in.ConsumeIntegral<ColorValue>();
  const std::string line = in.ConsumeRemainingBytesAsString();

  const FormattedLine result = ApplyFormatTags(line, base);
  // Tags are only ever removed, and the size moves by whole steps of 2 points.
  if (result.text.size() > line.size()) std::abort();
  if (result.format.bold < base.bold) std::abort();
  if ((static_cast<long long>(result.format.points) - base.points) % 2 != 0) std::abort();
  return 0;
}
