#pragma once

#include <string>

#include "imaging/raster_image.h"
#include "imaging/rect.h"

namespace quillstone {

// A rectangle of logo pixels.
using LogoRect = Rect;

// Makes destination a copy of the rectangle of source, its top-left pixel at (0, 0). The
// rectangle is first limited to the source; source and destination may be the same
// raster. An empty rectangle leaves destination untouched and returns false.
bool CopyLogoRect(const RasterImage& source, const LogoRect& rect, RasterImage& destination);

// The rectangle a crop drag from (x1, y1) to (x2, y2) selects on a W x H logo: corners
// ordered, the drag end itself outside (right and bottom exclusive), every edge limited to
// the logo, so a drag that reaches W and H keeps the last column and row.
LogoRect CropSelectionRect(int x1, int y1, int x2, int y2, int W, int H);

// Crops the logo to what a drag from (x1, y1) to (x2, y2) selects. Returns false, leaving
// the logo as it is, when the selection holds no pixel.
bool CropLogoToSelection(RasterImage& logo, int x1, int y1, int x2, int y2);

// The question asked when a crop drag ends: "Do you like to crop the selected area ?",
// a line break, then "New size: width=" w " height=" h.
std::string CropQuestion(int width, int height);

// Draws the one-pixel outline of the rectangle between the two corners (ordered, right and
// bottom exclusive, clipped to the raster) by inverting every pixel under it, so drawing
// it again restores them. Nothing is drawn unless both corners have x > 0 and y > 0.
void InvertSelectionOutline(RasterImage& image, int x1, int y1, int x2, int y2);

}  // namespace quillstone
