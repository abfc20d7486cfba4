#pragma once

#include <string_view>

#include "decor/texture_settings.h"
#include "imaging/color_value.h"
#include "workspace/flow_result.h"

namespace quillstone {

class Workspace;

inline constexpr std::string_view kLoadTextureTitle = "Load an image file";

// "Load a texture": asks for a picture (the types of the image open dialog, starting in
// the user directory) and makes it the margin texture, through the decoder every picture
// takes, then renders. A file that cannot be read keeps the texture and is named in a
// message and fails. Cancelled with the dialog.
FlowResult LoadTextureCommand(Workspace& workspace);

// "Width of the texture -> Left" / "-> Right" and "Height of the texture -> Top" /
// "-> Bottom": the margin of that side becomes the texture's width (left, right) or height
// (top, bottom), at most kMaxTextureMargin. Without a texture nothing changes and the
// result is cancelled.
FlowResult TextureSizeToMargin(Workspace& workspace, MarginSide side);

// The texture window's fifth swatch: every side takes the colour.
void SetAllMarginColors(TextureSettings& settings, ColorValue color);

}  // namespace quillstone
