#pragma once

namespace quillstone {

// A width and height in pixels.
struct ImageSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const ImageSize&, const ImageSize&) = default;
};

// The aspect-preserving fit of a width x height picture into a boxWidth x boxHeight box:
// the box's width when the picture is relatively wider (width/boxWidth >= height/boxHeight),
// the other side scaled by the same factor and truncated; otherwise the box's height.
// Small pictures are enlarged. Floating division in double precision. A box or picture
// with a side below 1 leaves the size as it is.
ImageSize FitIntoBox(int width, int height, int boxWidth, int boxHeight);

}  // namespace quillstone
