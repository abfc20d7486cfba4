#pragma once

#include "decor/frame_settings.h"
#include "imaging/raster_image.h"

namespace quillstone {

// The frame stage: enlarges the canvas by the width of the frames that are on (outer plus
// inner, on every side), keeps the image in the middle and paints the whole new border:
// the outer frame along the edge, the inner frame directly inside it (or at the edge
// when the outer frame is off). With both frames off the image is left as it is.
// Widths outside 1..100 are brought into that range.
void DrawFrames(RasterImage& image, const FrameSettings& settings);

// How many pixels the frames add on each side: the widths of those that are on, each
// brought into 1..100.
int FrameBorderWidth(const FrameSettings& settings);

// The same with a scratch raster for the enlargement (see ExpandCanvas); the render keeps
// one between runs so that framing allocates nothing once warm.
void DrawFrames(RasterImage& image, const FrameSettings& settings, RasterImage& scratch);

// The side of the frame window's example, in pixels.
inline constexpr int kFramePreviewSide = 100;

// Draws the frame window's example into preview: a teal square kFramePreviewSide wide with
// a one-pixel outline in the outer colour at its edge and one in the inner colour just
// inside it, each only while that frame is on. The widths do not show in the example.
void DrawFramePreview(RasterImage& preview, const FrameSettings& settings);

}  // namespace quillstone
