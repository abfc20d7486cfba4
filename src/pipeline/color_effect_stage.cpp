#include "pipeline/color_effect_stage.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "effects/color_fill.h"
#include "effects/color_style_presets.h"
#include "effects/convolve3x3.h"
#include "effects/grayscale.h"
#include "effects/paper_edges.h"
#include "effects/vertical_mosaic.h"

namespace quillstone {

const std::array<std::string_view, kColorStyleCount> kColorStyleCaptions = {
    "full color",                       // kFullColor
    "left to right",                    // kLeftToRight
    "right to left",                    // kRightToLeft
    "top to bottom",                    // kTopToBottom
    "bottom to top",                    // kBottomToTop
    "bott. to top and top to bott.",    // kBottomAndTop
    "left to right and right to left",  // kLeftAndRight
    "bottom, top, left, right",         // kAllFourSides
    "Invert red",                       // kInvertRed
    "Invert green",                     // kInvertGreen
    "Invert blue",                      // kInvertBlue
    "Invert all",                       // kInvertAll
    "Black and white",                  // kBlackAndWhite
    "Solarize",                         // kSolarize
    "Enhance 1",                        // kEnhance1
    "Enhance 2",                        // kEnhance2
    "Small mosaic",                     // kSmallMosaic
    "Emboss black&&white",              // kEmbossBlackAndWhite
    "Just red",                         // kJustRed
    "Just green",                       // kJustGreen
    "Just blue",                        // kJustBlue
    "Negative 20 - horiz.",             // kNegative20Columns
    "Negative 40 - horiz.",             // kNegative40Columns
    "Negative 60 - horiz.",             // kNegative60Columns
    "Negative 20 - vert.",              // kNegative20Rows
    "Negative 40 - vert.",              // kNegative40Rows
    "Negative 60 - vert.",              // kNegative60Rows
    "Negative 20 - horiz./vert.",       // kNegative20Grid
    "Negative 40 - horiz./vert.",       // kNegative40Grid
    "Negative 60 - horiz./vert.",       // kNegative60Grid
    "Black/White and full color",       // kBlackAndWhiteFullColor
    "Solarize and Black/White",         // kSolarizeBlackAndWhite
    "Mosaic vertical",                  // kVerticalMosaic
    "Paper 1",                          // kPaper1
    "Paper 2",                          // kPaper2
    "Paper 3",                          // kPaper3
    "Emboss color 1",                   // kEmbossColor1
    "Emboss color 2",                   // kEmbossColor2
    "Emboss color 3",                   // kEmbossColor3
    "Neon",                             // kNeon
    "Engraving - Grayscale",            // kEngravingGrayscale
    "Grayscale",                        // kGrayscale
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

// Rows of a band for styles made of two steps: 32 rows of a 4000-pixel-wide image are
// 384 KB, within the second-level cache, and few enough bands that working out each
// band's steps costs little.
constexpr int kBandRows = 32;

constexpr PaperStyle kPaperStyles[kPaperCount] = {PaperStyle::kRectangles, PaperStyle::kRoundedLeft,
                                                  PaperStyle::kEllipses};

}  // namespace

void ApplyColorEffect(RasterImage& image, RasterImage& scratch, const ColorEffectSettings& settings,
                      int strength, ChannelMask channels, RandomSource& random) {
  if (image.Empty()) return;
  const FillParams fill{settings.blending, settings.color, settings.step, channels,
                        settings.randomColor ? &random : nullptr};
  const std::optional<ColorStyle> style = ColorStyleAt(settings.style);
  if (!style) return;
  switch (*style) {
    case ColorStyle::kFullColor:
      FullColorOverlay(image, image, fill);
      return;
    case ColorStyle::kLeftToRight:
      ColorBand(GradientSide::kLeft, image, image, fill, strength);
      return;
    case ColorStyle::kRightToLeft:
      ColorBand(GradientSide::kRight, image, image, fill, strength);
      return;
    case ColorStyle::kTopToBottom:
      ColorBand(GradientSide::kTop, image, image, fill, strength);
      return;
    case ColorStyle::kBottomToTop:
      ColorBand(GradientSide::kBottom, image, image, fill, strength);
      return;
    case ColorStyle::kBottomAndTop:
      ColorBand(GradientSide::kTop, image, image, fill, strength);
      ColorBand(GradientSide::kBottom, image, image, fill, strength);
      return;
    case ColorStyle::kLeftAndRight:
      ColorBand(GradientSide::kRight, image, image, fill, strength);
      ColorBand(GradientSide::kLeft, image, image, fill, strength);
      return;
    case ColorStyle::kAllFourSides:
      ColorBand(GradientSide::kTop, image, image, fill, strength);
      ColorBand(GradientSide::kBottom, image, image, fill, strength);
      ColorBand(GradientSide::kRight, image, image, fill, strength);
      ColorBand(GradientSide::kLeft, image, image, fill, strength);
      return;
    case ColorStyle::kBlackAndWhiteFullColor: {
      const auto blackAndWhite = ColorStylePreset(ColorStyle::kBlackAndWhite)->Calls();
      // One colour over every pixel joins the grey pass; otherwise band by band, so that
      // the overlay finds each band still in the cache.
      if (const std::optional<ChannelBlend> overlay = UniformOverlay(fill)) {
        ApplyEffectCallsThenBlend(image, blackAndWhite, *overlay);
        return;
      }
      for (int y0 = 0; y0 < image.Height(); y0 += kBandRows) {
        const int y1 = std::min(y0 + kBandRows, image.Height());
        ApplyEffectCallsToRows(image, blackAndWhite, y0, y1);
        ColorBox(ColorBoxKind::kFullColor, image, image, fill, 0, y0, image.Width(), y1);
      }
      return;
    }
    case ColorStyle::kVerticalMosaic:
      VerticalMosaic(image, settings.mosaicRows, settings.step);
      return;
    case ColorStyle::kPaper1:
    case ColorStyle::kPaper2:
    case ColorStyle::kPaper3: {
      const int k = *PaperStyleIndex(*style);
      PaperEdges(image, kPaperStyles[k], settings.paperColors[static_cast<std::size_t>(k)],
                 settings.paperStrengths[static_cast<std::size_t>(k)], random);
      return;
    }
    case ColorStyle::kEmbossColor1:
      Filter(image, scratch, kEmbossKernel1, 0);
      return;
    case ColorStyle::kEmbossColor2:
      Filter(image, scratch, kEmbossKernel2, 0);
      return;
    case ColorStyle::kEmbossColor3:
      Filter(image, scratch, kEmbossKernel3, 0);
      return;
    case ColorStyle::kNeon:
      Filter(image, scratch, kNeonKernel, 0);
      return;
    case ColorStyle::kEngravingGrayscale:
      GrayscaleInPlace(image);
      Filter(image, scratch, kNeonKernel, 130);
      return;
    case ColorStyle::kGrayscale:
      GrayscaleInPlace(image);
      return;
    default:
      if (const EffectSequence* preset = ColorStylePreset(*style)) ApplyEffectSequence(image, *preset);
      return;
  }
}

}  // namespace quillstone
