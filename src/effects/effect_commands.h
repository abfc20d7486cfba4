#pragma once

#include <array>
#include <string_view>

#include "effects/effect_sequence.h"
#include "imaging/raster_image.h"

namespace quillstone {

// A named effect of the effect window: its button caption, the word a macro stores for
// it, and what it applies.
struct EffectCommand {
  std::string_view caption;    // "Enhance 1"
  std::string_view macroWord;  // "enhance1"
  EffectSequence sequence;
};

inline constexpr int kEffectCommandCount = 18;

// The commands in the order the effect window lists them.
extern const std::array<EffectCommand, kEffectCommandCount> kEffectCommands;

// The command whose macro word equals `word` exactly (case-sensitive, no trimming), or null.
const EffectCommand* FindEffectCommand(std::string_view word);

// Applies the command named by the macro word to the image. A word that names no command
// changes nothing and gives false.
bool RunEffectCommand(RasterImage& image, std::string_view word);

}  // namespace quillstone
