#include "effects/effect_commands.h"

namespace quillstone {

using namespace effect_calls;

const std::array<EffectCommand, kEffectCommandCount> kEffectCommands = {{
    {"Enhance 1", "enhance1", {Contrast(1)}},
    {"Enhance 2", "enhance2", {Saturation(1)}},
    {"Small mosaic", "smallmosaic", {Mosaic(5)}},
    {"Color effect 1", "coloreffect1", {Saturation(10)}},
    {"Color effect 2", "coloreffect2", {Saturation(-10)}},
    {"Negative", "negative", {Contrast(-2)}},
    {"Negative special", "negativespecial", {Saturation(-1), Contrast(-10), Contrast(-2)}},
    {"Solarize grey", "solarizegrey", {Saturation(-1), Solarize(128)}},
    {"Solarize color", "solarizecolor", {Solarize(128)}},
    {"Emboss", "emboss", {Saturation(-1), Emboss()}},
    {"Average", "average", {Average(128)}},
    {"Smooth", "smooth", {Smooth()}},
    {"Full red", "fullred", {ChannelFill(ChannelFillMode::kFullRed)}},
    {"Full green", "fullgreen", {ChannelFill(ChannelFillMode::kFullGreen)}},
    {"Full blue", "fullblue", {ChannelFill(ChannelFillMode::kFullBlue)}},
    {"Greyscale", "greyscale", {Saturation(-1)}},
    {"Brightness more", "brightnessmore", {Brightness(10)}},
    {"Brightness less", "brightnessless", {Brightness(-10)}},
}};

const EffectCommand* FindEffectCommand(std::string_view word) {
  for (const EffectCommand& command : kEffectCommands) {
    if (command.macroWord == word) return &command;
  }
  return nullptr;
}

bool RunEffectCommand(RasterImage& image, std::string_view word) {
  const EffectCommand* command = FindEffectCommand(word);
  if (command == nullptr) return false;
  ApplyEffectSequence(image, command->sequence);
  return true;
}

}  // namespace quillstone
