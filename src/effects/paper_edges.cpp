#include "effects/paper_edges.h"

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

void DrawShape(Canvas& canvas, PaperStyle style, Pass pass, int x1, int y1, int x2, int y2,
               ColorValue color) {
  if (style == PaperStyle::kEllipses) {
    canvas.FillEllipse(x1, y1, x2, y2, color);
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
  for (Pass pass : {Pass::kLeft, Pass::kRight, Pass::kTop, Pass::kBottom}) {
    const int last = pass == Pass::kLeft || pass == Pass::kRight ? H : W;
    for (int t = -1; t <= last; ++t) {
      if (t % interval != 0) continue;
      // Each corner value draws in turn, as listed above.
      switch (pass) {
        case Pass::kLeft: {
          const int x2 = random.Below(r) + 5;
          const int y2 = t + random.Below(r) + 5;
          DrawShape(canvas, style, pass, -5, t, x2, y2, color);
          break;
        }
        case Pass::kRight: {
          const int x2 = W - random.Below(r) - 5;
          const int y2 = t + random.Below(r) + 5;
          DrawShape(canvas, style, pass, W + 4, t, x2, y2, color);
          break;
        }
        case Pass::kTop: {
          const int x2 = t + random.Below(r) + 5;
          const int y2 = random.Below(r) + 5;
          DrawShape(canvas, style, pass, t, -5, x2, y2, color);
          break;
        }
        case Pass::kBottom: {
          const int y1 = H - random.Below(r) - 5;
          const int x2 = t + random.Below(r) + 5;
          DrawShape(canvas, style, pass, t, y1, x2, H + 5, color);
          break;
        }
      }
    }
  }
}

}  // namespace quillstone
