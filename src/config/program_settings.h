#pragma once

#include <string>

#include "imagefiles/orientation_settings.h"
#include "imagefiles/resize_settings.h"
#include "imaging/color_value.h"
#include "logo/logo_tool_settings.h"
#include "pipeline/watermark_settings.h"

namespace quillstone {

// The banner window's values: the two size fields as typed (digits, accepted 1..2048 when
// the banner is made), the background colour, and the margin added on every side of a
// size calculated from the text (not stored; 0 at every start).
struct BannerFields {
  std::string width = "470";
  std::string height = "60";
  ColorValue background = MakeColor(255, 255, 198);
  int margin = 0;  // pixels, 0..45
  friend bool operator==(const BannerFields&, const BannerFields&) = default;
};

// Every value the configuration file stores or a setting name reaches: the watermark
// settings, the load-time resize and orientation choices, the logo tools, and the few
// program values kept beside them. Member defaults are the window's
// initial values, not the values a missing configuration key yields.
struct ProgramSettings {
  WatermarkSettings watermark;
  ResizeSettings resize;            // size preset applied to every loaded image
  OrientationSettings orientation;  // turn before marking, and back before saving
  LogoToolSettings logoTools;       // angle, fill colour and crop corner of the logo tools
  std::string logoFileName;         // path of the logo in use; empty when none
  BannerFields banner;
  // Set once the program has written its default configuration; false on the very first
  // run, which then shows the list of changes.
  bool configurationWritten = false;
  friend bool operator==(const ProgramSettings&, const ProgramSettings&) = default;
};

}  // namespace quillstone
