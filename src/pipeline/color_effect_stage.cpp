#include "pipeline/color_effect_stage.h"

#include <utility>

#include "effects/color_fill.h"
#include "effects/color_style_presets.h"
#include "effects/convolve3x3.h"
#include "effects/paper_edges.h"
#include "effects/vertical_mosaic.h"
#include "imaging/grayscale.h"

namespace quillstone {

const std::array<std::string_view, kColorStyleCount> kColorStyleCaptions = {
    "full color",                       // 0
    "left to right",                    // 1
    "right to left",                    // 2
    "top to bottom",                    // 3
    "bottom to top",                    // 4
    "bott. to top and top to bott.",    // 5
    "left to right and right to left",  // 6
    "bottom, top, left, right",         // 7
    "Invert red",                       // 8
    "Invert green",                     // 9
    "Invert blue",                      // 10
    "Invert all",                       // 11
    "Black and white",                  // 12
    "Solarize",                         // 13
    "Enhance 1",                        // 14
    "Enhance 2",                        // 15
    "Small mosaic",                     // 16
    "Emboss black&&white",              // 17
    "Just red",                         // 18
    "Just green",                       // 19
    "Just blue",                        // 20
    "Negative 20 - horiz.",             // 21
    "Negative 40 - horiz.",             // 22
    "Negative 60 - horiz.",             // 23
    "Negative 20 - vert.",              // 24
    "Negative 40 - vert.",              // 25
    "Negative 60 - vert.",              // 26
    "Negative 20 - horiz./vert.",       // 27
    "Negative 40 - horiz./vert.",       // 28
    "Negative 60 - horiz./vert.",       // 29
    "Black/White and full color",       // 30
    "Solarize and Black/White",         // 31
    "Mosaic vertical",                  // 32
    "Paper 1",                          // 33
    "Paper 2",                          // 34
    "Paper 3",                          // 35
    "Emboss color 1",                   // 36
    "Emboss color 2",                   // 37
    "Emboss color 3",                   // 38
    "Neon",                             // 39
    "Engraving - Grayscale",            // 40
    "Grayscale",                        // 41
};

std::string ColorStyleDisplayText(std::string_view caption) {
  std::string shown;
  shown.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      shown += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
      shown += '&';
      ++i;
    }
  }
  return shown;
}

namespace {

// The filter styles compute a smaller image into scratch, which then takes the image's place.
void Filter(RasterImage& image, RasterImage& scratch, const Kernel3x3& kernel, int offset) {
  Convolve3x3(image, scratch, kernel, offset);
  std::swap(image, scratch);
}

constexpr PaperStyle kPaperStyles[kPaperCount] = {PaperStyle::kRectangles, PaperStyle::kRoundedLeft,
                                                  PaperStyle::kEllipses};

}  // namespace

void ApplyColorEffect(RasterImage& image, RasterImage& scratch, const ColorEffectSettings& settings,
                      int strength, ChannelMask channels, RandomSource& random) {
  if (image.Empty()) return;
  const FillParams fill{settings.blending, settings.color, settings.step, channels,
                        settings.randomColor ? &random : nullptr};
  const int style = settings.style;
  switch (style) {
    case 0:
      FullColorOverlay(image, image, fill);
      return;
    case 1:
      ColorBand(GradientSide::kLeft, image, image, fill, strength);
      return;
    case 2:
      ColorBand(GradientSide::kRight, image, image, fill, strength);
      return;
    case 3:
      ColorBand(GradientSide::kTop, image, image, fill, strength);
      return;
    case 4:
      ColorBand(GradientSide::kBottom, image, image, fill, strength);
      return;
    case 5:
      ColorBand(GradientSide::kTop, image, image, fill, strength);
      ColorBand(GradientSide::kBottom, image, image, fill, strength);
      return;
    case 6:
      ColorBand(GradientSide::kRight, image, image, fill, strength);
      ColorBand(GradientSide::kLeft, image, image, fill, strength);
      return;
    case 7:
      ColorBand(GradientSide::kTop, image, image, fill, strength);
      ColorBand(GradientSide::kBottom, image, image, fill, strength);
      ColorBand(GradientSide::kRight, image, image, fill, strength);
      ColorBand(GradientSide::kLeft, image, image, fill, strength);
      return;
    case 30:
      ApplyEffectSequence(image, *ColorStylePreset(kBlackAndWhiteStyle));
      FullColorOverlay(image, image, fill);
      return;
    case kMosaicStyle:
      VerticalMosaic(image, settings.mosaicRows, settings.step);
      return;
    case 33:
    case 34:
    case 35: {
      const int k = style - kFirstPaperStyle;
      PaperEdges(image, kPaperStyles[k], settings.paperColors[static_cast<std::size_t>(k)],
                 settings.paperStrengths[static_cast<std::size_t>(k)], random);
      return;
    }
    case 36:
      Filter(image, scratch, kEmbossKernel1, 0);
      return;
    case 37:
      Filter(image, scratch, kEmbossKernel2, 0);
      return;
    case 38:
      Filter(image, scratch, kEmbossKernel3, 0);
      return;
    case 39:
      Filter(image, scratch, kNeonKernel, 0);
      return;
    case 40:
      GrayscaleInPlace(image);
      Filter(image, scratch, kNeonKernel, 130);
      return;
    case 41:
      GrayscaleInPlace(image);
      return;
    default:
      if (const EffectSequence* preset = ColorStylePreset(style)) ApplyEffectSequence(image, *preset);
      return;
  }
}

}  // namespace quillstone
