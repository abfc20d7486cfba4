#include "effects/paper_edges.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "platform/canvas.h"

namespace quillstone {

namespace {

int IntervalOf(PaperStyle style) {
  switch (style) {
    case PaperStyle::kRectangles:
      return 10;
    case PaperStyle::kRoundedLeft:
      return 3;
    case PaperStyle::kEllipses:
      return 1;
  }
  return 1;
}

enum class Pass { kLeft, kRight, kTop, kBottom };

// The corner ellipse of the rounded rectangles, in pixels.
constexpr int kCornerSize = 5;

// The pixels the canvas fills for an ellipse in a box of one size, as runs of columns per
// row relative to the box's top-left corner. Drawing is the same wherever the box lies, so
// each size is drawn once on a small raster of its own and its runs are then filled at
// every box of that size, clipped to the image: paper 3 draws thousands of small ellipses
// of a few sizes, and a fill of a few runs costs far less than a drawing call. A thin
// ellipse can reach a few pixels beyond its box, so the box is drawn with a wide margin
// around it; a size whose drawing reaches the margin's edge is drawn through the canvas.
struct EllipseRun {
  int y;
  int x0;
  int x1;
};

struct EllipseShape {
  bool fits = true;  // the drawing stayed within the margin
  std::vector<EllipseRun> runs;
};

// Boxes beyond this side are drawn through the canvas: their raster would cost more than
// the drawing saves.
constexpr int kMaxCachedSide = 128;

class EllipseShapes {
 public:
  const EllipseShape& For(int w, int h) {
    auto [it, fresh] = shapes_.try_emplace({w, h});
    if (fresh) it->second = Draw(w, h);
    return it->second;
  }

 private:
  static EllipseShape Draw(int w, int h) {
    const int margin = w + h + 4;
    const int width = w + 2 * margin;
    const int height = h + 2 * margin;
    RasterImage mask(width, height, colors::kBlack);
    {
      Canvas canvas(mask);
      canvas.FillEllipse(margin, margin, margin + w, margin + h, colors::kWhite);
    }
    EllipseShape shape;
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* row = mask.Row(y);
      for (int x = 0; x < width;) {
        if (row[3 * x] == 0) {
          ++x;
          continue;
        }
        const int x0 = x;
        while (x < width && row[3 * x] != 0) ++x;
        if (y == 0 || y == height - 1 || x0 == 0 || x == width) shape.fits = false;
        shape.runs.push_back({y - margin, x0 - margin, x - margin});
      }
    }
    return shape;
  }

  std::map<std::pair<int, int>, EllipseShape> shapes_;
};

void FillEllipse(RasterImage& image, Canvas& canvas, EllipseShapes& shapes, int x1, int y1, int x2, int y2,
                 ColorValue color) {
  const int left = std::min(x1, x2);
  const int top = std::min(y1, y2);
  const int w = std::max(x1, x2) - left;
  const int h = std::max(y1, y2) - top;
  if (w <= 0 || h <= 0) return;
  const EllipseShape* shape = w <= kMaxCachedSide && h <= kMaxCachedSide ? &shapes.For(w, h) : nullptr;
  if (shape == nullptr || !shape->fits) {
    canvas.FillEllipse(x1, y1, x2, y2, color);
    return;
  }
  const Rgb rgb = SplitColor(color);
  for (const EllipseRun& run : shape->runs) {
    const int y = top + run.y;
    if (y < 0 || y >= image.Height()) continue;
    const int from = std::max(left + run.x0, 0);
    const int to = std::min(left + run.x1, image.Width());
    std::uint8_t* p = image.Row(y) + 3 * static_cast<std::ptrdiff_t>(from);
    for (int x = from; x < to; ++x, p += 3) {
      p[0] = rgb.b;
      p[1] = rgb.g;
      p[2] = rgb.r;
    }
  }
}

void DrawShape(RasterImage& image, Canvas& canvas, EllipseShapes& ellipses, PaperStyle style, Pass pass,
               int x1, int y1, int x2, int y2, ColorValue color) {
  if (style == PaperStyle::kEllipses) {
    FillEllipse(image, canvas, ellipses, x1, y1, x2, y2, color);
  } else if (style == PaperStyle::kRoundedLeft && pass == Pass::kLeft) {
    canvas.FillRoundRectangle(x1, y1, x2, y2, kCornerSize, kCornerSize, color);
  } else {
    canvas.FillRectangle(x1, y1, x2, y2, color);
  }
}

}  // namespace

void PaperEdges(RasterImage& image, PaperStyle style, ColorValue color, int strength, RandomSource& random) {
  if (image.Empty()) return;
  random.Reseed();
  const int W = image.Width();
  const int H = image.Height();
  const int interval = IntervalOf(style);
  const int r = strength;
  Canvas canvas(image);
  EllipseShapes ellipses;
  for (Pass pass : {Pass::kLeft, Pass::kRight, Pass::kTop, Pass::kBottom}) {
    const int last = pass == Pass::kLeft || pass == Pass::kRight ? H : W;
    for (int t = -1; t <= last; ++t) {
      if (t % interval != 0) continue;
      // Each corner value draws in turn, as listed above.
      switch (pass) {
        case Pass::kLeft: {
          const int x2 = random.Below(r) + 5;
          const int y2 = t + random.Below(r) + 5;
          DrawShape(image, canvas, ellipses, style, pass, -5, t, x2, y2, color);
          break;
        }
        case Pass::kRight: {
          const int x2 = W - random.Below(r) - 5;
          const int y2 = t + random.Below(r) + 5;
          DrawShape(image, canvas, ellipses, style, pass, W + 4, t, x2, y2, color);
          break;
        }
        case Pass::kTop: {
          const int x2 = t + random.Below(r) + 5;
          const int y2 = random.Below(r) + 5;
          DrawShape(image, canvas, ellipses, style, pass, t, -5, x2, y2, color);
          break;
        }
        case Pass::kBottom: {
          const int y1 = H - random.Below(r) - 5;
          const int x2 = t + random.Below(r) + 5;
          DrawShape(image, canvas, ellipses, style, pass, t, y1, x2, H + 5, color);
          break;
        }
      }
    }
  }
}

}  // namespace quillstone
