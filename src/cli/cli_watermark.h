#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "config/program_settings.h"
#include "effects/effect_sequence.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// Everything a render reads besides the image, as the command line sets it up.
struct CliWatermark {
  ProgramSettings settings;
  std::vector<std::string> text;
  RasterImage logo;
  RasterImage untouchedLogo;
  std::vector<std::uint8_t> logoAlpha;       // of `logo`; empty: none
  std::vector<std::uint8_t> untouchedAlpha;  // of `untouchedLogo`
  RasterImage texture;
  std::vector<EffectCall> macro;  // the calls of --macro's commands; empty without it
};

// Builds the watermark from the options, in this order: the configuration and its
// companion text (--config; a file that is not there is an error, unlike in the window),
// the text file (--text), the settings given by name (--set, in order), --rotate-back,
// then the logo (--logo, else the configuration's logo when it takes part), turned by the
// logoangle setting onto logorotationfill (RotateLogoByAngle of the untouched copy), and
// the texture, and the macro (--macro).
// The first failure comes back as an error of one line naming the file or setting.
Status PrepareWatermark(const CliOptions& options, CliWatermark& watermark);

// The table `quillstone-cli settings` prints: one line per setting with its name, type,
// range, default (the value the command line starts from) and section/key ("-" when the
// configuration file does not keep it).
std::string SettingsListing();

}  // namespace quillstone
