// fuzz-layer: effects
// Reads arbitrary bytes as an effect macro file, runs its commands on a small picture and
// checks that writing the lines back and reading them again gives the same lines.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "effects/effect_macro.h"
#include "imaging/raster_image.h"

using namespace quillstone;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  if (!ParseMacroText(bytes, lines)) return 0;
  RasterImage image(7, 5, MakeColor(40, 120, 200));
  ApplyEffectCalls(image, MacroCalls(lines));
  std::vector<std::string> again;
  if (!ParseMacroText(MacroFileText(lines), again) || again != lines) std::abort();
  return 0;
}
