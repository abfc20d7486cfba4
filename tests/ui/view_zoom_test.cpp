#include "ui/view_zoom.h"

#include <gtest/gtest.h>

namespace quillstone {
namespace {

TEST(ViewZoomTest, FitNeverEnlargesAndKeepsTheAspect) {
  const struct {
    int pictureWidth, pictureHeight, viewWidth, viewHeight;
    double fit;
  } cases[] = {
      {4000, 3000, 800, 600, 0.2},                              // both sides bind alike
      {4000, 1000, 800, 600, 0.2},                              // the width binds
      {1000, 4000, 800, 600, 0.15}, {400, 300, 800, 600, 1.0},  // smaller than the view: its own size
      {0, 0, 800, 600, 1.0},        {4000, 3000, 0, 0, 1.0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(FitZoom(c.pictureWidth, c.pictureHeight, c.viewWidth, c.viewHeight), c.fit)
        << c.pictureWidth << "x" << c.pictureHeight << " in " << c.viewWidth << "x" << c.viewHeight;
  }
}

TEST(ViewZoomTest, StepsGoToTheNextStopAndStayInRange) {
  const struct {
    double zoom, fit, in, out;
  } cases[] = {
      {1.0, 1.0, 1.5, 2.0 / 3},          {0.173, 0.173, 0.2, 0.15},  // a fitted zoom between two stops
      {1.0 / 3 + 1e-12, 0.2, 0.5, 0.25},                             // a stop up to rounding is that stop
      {0.05, 0.05, 0.1, 0.05},                                       // the smallest stop
      {0.05, 0.01, 0.1, 0.01},  // a huge picture fits below it, and zooming out reaches that
      {0.01, 0.01, 0.05, 0.01},          {kMaxZoom, 1.0, kMaxZoom, 6.0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(ZoomInStep(c.zoom), c.in) << c.zoom;
    EXPECT_DOUBLE_EQ(ZoomOutStep(c.zoom, c.fit), c.out) << c.zoom << " fit " << c.fit;
  }
}

}  // namespace
}  // namespace quillstone
