#include "decor/frames.h"

#include <algorithm>

#include "decor/band_fill.h"
#include "decor/expand_canvas.h"

namespace quillstone {

namespace {

// Paints a ring `width` pixels wide whose outer edge is inset `inset` pixels from the
// raster's edge: the same pixels as `width` nested one-pixel outlines.
void PaintRing(RasterImage& image, int inset, int width, ColorValue color) {
  // The canvas was enlarged by at least inset + width on every side, so the four
  // strips never cross.
  const int W = image.Width();
  const int H = image.Height();
  const int outerX1 = W - inset;
  const int outerY1 = H - inset;
  const int innerY0 = inset + width;
  const int innerY1 = H - inset - width;
  FillRect(image, inset, inset, outerX1, innerY0, color);                // top
  FillRect(image, inset, innerY1, outerX1, outerY1, color);              // bottom
  FillRect(image, inset, innerY0, inset + width, innerY1, color);        // left
  FillRect(image, W - inset - width, innerY0, outerX1, innerY1, color);  // right
}

}  // namespace

void DrawFramePreview(RasterImage& preview, const FrameSettings& settings) {
  preview.Resize(kFramePreviewSide, kFramePreviewSide);
  preview.Fill(MakeColor(0, 128, 128));
  if (settings.outerOn) PaintRing(preview, 0, 1, settings.outerColor);
  if (settings.innerOn) PaintRing(preview, 1, 1, settings.innerColor);
}

void DrawFrames(RasterImage& image, const FrameSettings& settings) {
  RasterImage scratch;
  DrawFrames(image, settings, scratch);
}

namespace {

int OuterFrameWidth(const FrameSettings& settings) {
  return settings.outerOn ? std::clamp(settings.outerWidth, kMinFrameWidth, kMaxFrameWidth) : 0;
}

int InnerFrameWidth(const FrameSettings& settings) {
  return settings.innerOn ? std::clamp(settings.innerWidth, kMinFrameWidth, kMaxFrameWidth) : 0;
}

}  // namespace

int FrameBorderWidth(const FrameSettings& settings) {
  return OuterFrameWidth(settings) + InnerFrameWidth(settings);
}

void DrawFrames(RasterImage& image, const FrameSettings& settings, RasterImage& scratch) {
  if (!settings.outerOn && !settings.innerOn) return;
  const int outer = OuterFrameWidth(settings);
  const int inner = InnerFrameWidth(settings);
  const int border = outer + inner;
  ExpandCanvas(image, border, border, border, border, scratch);
  if (outer > 0) PaintRing(image, 0, outer, settings.outerColor);
  if (inner > 0) PaintRing(image, outer, inner, settings.innerColor);
}

}  // namespace quillstone
