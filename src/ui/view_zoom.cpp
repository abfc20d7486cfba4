#include "ui/view_zoom.h"

#include <algorithm>
#include <array>

namespace quillstone {
namespace {

// The zooms that zooming in and out stop at.
constexpr std::array<double, 15> kZoomSteps = {0.05, 0.1, 0.15, 0.2, 0.25, 1.0 / 3, 0.5,     2.0 / 3,
                                               1.0,  1.5, 2.0,  3.0, 4.0,  6.0,     kMaxZoom};
// A zoom that is a step up to rounding is that step.
constexpr double kSameStep = 1e-6;

}  // namespace

double FitZoom(int pictureWidth, int pictureHeight, int viewWidth, int viewHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0 || viewWidth <= 0 || viewHeight <= 0) return 1.0;
  const double across = static_cast<double>(viewWidth) / pictureWidth;
  const double down = static_cast<double>(viewHeight) / pictureHeight;
  return std::min({across, down, 1.0});
}

double ZoomInStep(double zoom) {
  for (const double step : kZoomSteps) {
    if (step > zoom * (1 + kSameStep)) return step;
  }
  return kMaxZoom;
}

double ZoomOutStep(double zoom, double fit) {
  const double least = std::min(kZoomSteps.front(), fit);
  double below = least;
  for (const double step : kZoomSteps) {
    if (step < zoom * (1 - kSameStep)) below = step;
  }
  return std::max(below, least);
}

}  // namespace quillstone
