#pragma once

#include <string_view>

#include "imaging/raster_image.h"
#include "imaging/status.h"
#include "workspace/flow_result.h"

namespace quillstone {

class Workspace;

inline constexpr std::string_view kResetAngleQuestion =
    "Do you really want to reset the rotation angle to zero ?";
inline constexpr std::string_view kSaveLogoTitle = "Save your logo";
inline constexpr std::string_view kUseLogoAsImageQuestion =
    "Do you really want to use the logo as image for watermarking ?";
inline constexpr std::string_view kUseImageAsLogoQuestion =
    "Do you really want to use the watermarked image as logo ?";
inline constexpr std::string_view kNoLogoMessage = "There is no logo yet.";

// The commands of the "Logo effects" panel and the two swaps between logo and picture.
// The logo's untouched copy (Workspace::logoCopy) is where every turn starts, so turning
// by 10 and then by 20 degrees gives the logo turned by 20, with no rounding piled up.

// Turns the untouched copy by the logo tools' angle onto their fill colour (the same turn
// the command line makes with logoangle and logorotationfill) and makes the result the
// logo blended; the untouched copy stays. The caller asks for the render. A turned logo
// larger than a picture may be is refused with a message and leaves the logo as it was.
FlowResult TurnLogo(Workspace& workspace);

// "Use transparent": the fill colour becomes the logo's transparent colour, so the corners
// a turn adds blend as transparent, and the logo is turned again.
FlowResult UseTransparentAsFill(Workspace& workspace);

// "R": asks whether to reset the angle; on Yes the angle becomes 0 without turning, and
// the logo as it is turned now becomes the untouched copy, so a later angle turns it
// further. Nothing is rendered. False on No.
FlowResult ResetLogoAngle(Workspace& workspace);

// "Autocrop logo": cuts the uniform border, of the colour of the corner the crop corner
// setting names, off the logo and renders; the untouched copy keeps the uncropped logo.
void AutocropLogoCommand(Workspace& workspace);

// "Save logo as bitmap" and the logo special window's "Save your logo": asks for a bitmap
// file ("Save your logo", asking before replacing one) and writes `logo` as BMP. A failed
// write is shown with its reason. True when a file was written.
FlowResult SaveLogoAsBitmap(Workspace& workspace, const RasterImage& logo);

// "Use logo for watermarking": on Yes the logo becomes the source image through the
// holding file "temp.bmp" of the user directory (OpenImageAsTemporaryFile) and is
// rendered. A logo that cannot be written is named in a message and changes nothing.
// False on No, without a logo, or when the holding file could not be written.
FlowResult UseLogoAsImage(Workspace& workspace);

// "Use watermarked image as logo": on Yes the marked picture becomes the logo and its
// untouched copy; nothing is rendered. False on No or while nothing is marked.
FlowResult UseMarkedImageAsLogo(Workspace& workspace);

}  // namespace quillstone
