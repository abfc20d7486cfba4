#include "text/three_d_text.h"

#include <algorithm>
#include <cstdlib>

namespace quillstone {

std::vector<OutlineCopy> ThreeDOutlineCopies(const ThreeDSettings& threeD) {
  std::vector<OutlineCopy> copies;
  if (!threeD.enabled) return copies;
  if (threeD.doubleStrength) {
    const int strength = std::clamp(threeD.additionalStrength, 2, 10);
    for (int k = 2; k <= strength; ++k) {
      for (int d = 0; d < kThreeDDirectionCount; ++d) {
        if (threeD.directions[d])
          copies.push_back({{kThreeDDirections[d].dx * k, kThreeDDirections[d].dy * k}, true});
      }
    }
  }
  for (int d = 0; d < kThreeDDirectionCount; ++d) {
    if (threeD.directions[d]) copies.push_back({kThreeDDirections[d], false});
  }
  return copies;
}

int OutlineReach(const std::vector<OutlineCopy>& copies) {
  int reach = 0;
  for (const OutlineCopy& c : copies) reach = std::max({reach, std::abs(c.offset.dx), std::abs(c.offset.dy)});
  return reach;
}

void Draw3DOutlines(TextPainter& painter, int x, int y, const TextLineFormat& format,
                    const std::vector<OutlineCopy>& copies) {
  for (const OutlineCopy& copy : copies) {
    painter.Draw(x + copy.offset.dx, y + copy.offset.dy,
                 copy.doubleColor ? format.doubleColor : format.singleColor);
  }
}

void DrawShinyLine(const Font& font, std::string_view text, int x, int y, const RasterImage& image,
                   int stripTop, bool invertedSource, GlyphRegion& region, RasterImage& strip) {
  region.Record(font, x, y, text, strip.Width(), strip.Height());
  CopyInsideRegion(region, image, stripTop, invertedSource, strip);
  region.Clear();
}

}  // namespace quillstone
