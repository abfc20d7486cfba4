#pragma once

namespace quillstone {

// Units (interleaved MCUs) of a JPEG picture: [x0, x1) across, [y0, y1) down.
struct UnitRect {
  int x0 = 0;
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;

  bool Contains(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

}  // namespace quillstone
