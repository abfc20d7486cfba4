#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "imaging/random_source.h"
#include "imaging/raster_image.h"
#include "imaging/rect.h"
#include "imaging/status.h"
#include "pipeline/logo_fit.h"
#include "pipeline/watermark_settings.h"
#include "platform/locale_info.h"
#include "text/text_context.h"

namespace quillstone {

// Everything a render reads. The render touches nothing else, so the window, the batch
// runner, the command line and the tests get the same pixels from the same input.
struct RenderInput {
  const RasterImage& original;  // the source image, never modified
  const RasterImage& logo;
  const RasterImage& texture;  // margin texture; may be empty
  const WatermarkSettings& settings;
  const std::vector<std::string>& text;  // the watermark text, one hard line each
  const TextContext& context;            // clock and file for the text commands
  const LocaleInfo& locale;              // names and default formats of dates and times
  int previewWidth = 0;                  // the preview box; 0 makes no preview
  int previewHeight = 0;
  // The logo's alpha channel, one byte per logo pixel row by row; empty: the logo has none
  // (and so does one whose alpha does not match its size).
  std::span<const std::uint8_t> logoAlpha = {};
  // Only these pixels of the marked image are read afterwards (a caller that decoded no more
  // of the original than RenderReach's answer): the others are not restored from the
  // original and hold whatever the output held. None: the whole image.
  std::optional<Rect> onlyWithin = std::nullopt;
};

// What a render produces. Keep one RenderOutput between renders: its rasters are reused,
// so a render of the same size allocates nothing.
struct RenderOutput {
  RasterImage marked;     // the watermarked image
  RasterImage preview;    // area-averaged reduction of `marked`
  std::string sizeLabel;  // "640x480"
  // The status-bar message when the render changes it ("" clears it); unset leaves the
  // previous message standing.
  std::optional<std::string> status;
  // What the render could not do, one plain sentence each (kLogoTooBigWarning), for
  // standard error and the batch report; empty when it did everything asked.
  std::vector<std::string> warnings;
  RasterImage scratch;     // blend source and margin working copy
  LogoFitBuffers logoFit;  // the logo sized to the image or turned for tiling
};

// The pixels a render of `input` may change, known before it runs: the logo at its places
// (nothing for a logo bigger than the image); empty when nothing is drawn. None when it
// cannot be told in advance: a colour effect, a tiled logo, a text, frames or margins.
std::optional<Rect> RenderReach(const RenderInput& input);

// The status-bar message of a logo that does not fit: this text followed by the time.
inline constexpr const char* kLogoTooBigMessage = "ERROR: Logo is bigger than your image ! ";
inline constexpr const char* kLogoTooBigWarning = "Logo is bigger than your image";

// Rebuilds output from input: restore from the original, the marking stages in the
// chosen order, frames, margins "after", preview and size label. Throws nothing: an image
// that the frames and margins would make larger than a raster may be is refused before
// output is touched (RenderSizeProblem), and running out of memory midway leaves the
// marked image and the preview empty; either comes back as the error.
Status RenderWatermark(const RenderInput& input, RandomSource& random, RenderOutput& output);

// Empty when the marked image of a width x height original, with the margins and frames
// the settings add, fits the raster limits; otherwise why not, e.g. "image too large:
// 65535 × 1 plus the frames exceeds 65535 pixels per side".
std::string RenderSizeProblem(const WatermarkSettings& settings, int width, int height);

// The band width divisor of the band colour styles: the selected strength item plus 1,
// 2 when none is selected, and never 1 for the two- and four-band styles.
int EffectiveStrength(const ColorEffectSettings& settings);

// The marked image's starting point: a copy of the original, or the original inside its
// margins when margins are applied before watermarking.
void RestoreFromOriginal(RasterImage& marked, const RasterImage& original, const TextureSettings& texture,
                         const RasterImage& texturePicture);

}  // namespace quillstone
