#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "pipeline/render_watermark.h"

namespace quillstone::testing {

// Owns everything a render reads, so each test sets only what it looks at (the picture and
// the logo can be given at once); frames are off.
struct RenderFixture {
  RasterImage original;
  RasterImage logo;
  RasterImage texture;
  WatermarkSettings settings;
  std::vector<std::string> text;
  TextContext context{{2026, 12, 6, 14, 5, 9, 0}, "photo.jpg", "/photos/"};
  LocaleInfo locale;
  RandomSource random{7};
  RenderOutput output;

  explicit RenderFixture(RasterImage picture = {}, RasterImage mark = {})
      : original(std::move(picture)), logo(std::move(mark)) {
    settings.frame = {.outerOn = false, .innerOn = false};
  }

  const RenderOutput& Render(int boxWidth = 40, int boxHeight = 30) {
    EXPECT_TRUE(
        RenderWatermark({original, logo, texture, settings, text, context, locale, boxWidth, boxHeight},
                        random, output)
            .ok());
    return output;
  }
};

}  // namespace quillstone::testing
