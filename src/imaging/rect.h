#pragma once

namespace quillstone {

// A rectangle of a grid (pixels, or the units of a JPEG picture): left <= x < right,
// top <= y < bottom.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace quillstone
