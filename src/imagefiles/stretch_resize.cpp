#include "imagefiles/stretch_resize.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace quillstone {

namespace {

// The source index under the centre of target cell i of `to` cells over `from` cells.
inline int CentreSource(int i, int from, int to) {
  return static_cast<int>((std::int64_t{2} * i + 1) * from / (std::int64_t{2} * to));
}

}  // namespace

void StretchResize(const RasterImage& source, RasterImage& destination, int newWidth, int newHeight) {
  if (source.Empty() || newWidth < 1 || newHeight < 1) {
    destination.Resize(0, 0);
    return;
  }
  destination.Resize(newWidth, newHeight);
  // Byte offset of the source pixel for every target column.
  std::vector<std::size_t> offsets(static_cast<std::size_t>(newWidth));
  for (int x = 0; x < newWidth; ++x)
    offsets[x] = 3 * static_cast<std::size_t>(CentreSource(x, source.Width(), newWidth));

  const std::size_t rowBytes = 3 * static_cast<std::size_t>(newWidth);
  int previous = -1;
  for (int y = 0; y < newHeight; ++y) {
    const int sy = CentreSource(y, source.Height(), newHeight);
    std::uint8_t* out = destination.Row(y);
    if (sy == previous) {
      std::memcpy(out, destination.Row(y - 1), rowBytes);
      continue;
    }
    previous = sy;
    const std::uint8_t* in = source.Row(sy);
    for (const std::size_t offset : offsets) {
      out[0] = in[offset];
      out[1] = in[offset + 1];
      out[2] = in[offset + 2];
      out += 3;
    }
  }
}

}  // namespace quillstone
