#include "pipeline/render_watermark.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "decor/frames.h"
#include "decor/texture_overlay.h"
#include "imaging/raster_size.h"
#include "pipeline/color_effect_stage.h"
#include "pipeline/logo_fit.h"
#include "pipeline/logo_stage.h"
#include "pipeline/preview.h"
#include "platform/date_time.h"
#include "text/text_stage.h"

namespace quillstone {

namespace {

enum class Stage { kLogo, kText, kColor };

// The stages each combination runs after the restore, left to right.
struct StageList {
  std::array<Stage, 3> stages;
  int count;
};

StageList StagesOf(CombinationOrder order) {
  using enum Stage;
  // clang-format off
  switch (order) {
    case CombinationOrder::kActive: return {{}, 0};
    case CombinationOrder::kLT: return {{kLogo, kText}, 2};
    case CombinationOrder::kTL: return {{kText, kLogo}, 2};
    case CombinationOrder::kLC: return {{kLogo, kColor}, 2};
    case CombinationOrder::kCL: return {{kColor, kLogo}, 2};
    case CombinationOrder::kTC: return {{kText, kColor}, 2};
    case CombinationOrder::kCT: return {{kColor, kText}, 2};
    case CombinationOrder::kLTC: return {{kLogo, kText, kColor}, 3};
    case CombinationOrder::kLCT: return {{kLogo, kColor, kText}, 3};
    case CombinationOrder::kCLT: return {{kColor, kLogo, kText}, 3};
    case CombinationOrder::kCTL: return {{kColor, kText, kLogo}, 3};
    case CombinationOrder::kTLC: return {{kText, kLogo, kColor}, 3};
    case CombinationOrder::kTCL: return {{kText, kColor, kLogo}, 3};
  }
  // clang-format on
  return {{}, 0};
}

bool MarginsBefore(const TextureSettings& t) {
  return t.enabled && t.mode == TextureMode::kBeforeWatermarking;
}

bool MarginsAfter(const TextureSettings& t) {
  return t.enabled && t.mode == TextureMode::kAfterWatermarking;
}

// Whether two of the enabled logo places overlap; if none do, a logo can be blended with
// the marked image itself as the blend source, since no pixel is covered twice.
bool PlacesOverlap(const LogoSettings& logo, int W, int H, int w, int h) {
  std::array<LogoPosition, kLogoPlaceCount> used{};
  int n = 0;
  for (int i = 0; i < kLogoPlaceCount; ++i) {
    if (!logo.places[i]) continue;
    const LogoPosition p = LogoPlacePosition(static_cast<LogoPlace>(i), W, H, w, h);
    for (int k = 0; k < n; ++k) {
      if (p.x0 < used[k].x0 + w && used[k].x0 < p.x0 + w && p.y0 < used[k].y0 + h && used[k].y0 < p.y0 + h) {
        return true;
      }
    }
    used[n++] = p;
  }
  return false;
}

class Render {
 public:
  Render(const RenderInput& in, RandomSource& random, RenderOutput& out)
      : in_(in), random_(random), out_(out) {}

  void Run() {
    const WatermarkSettings& s = in_.settings;
    if (s.combination == CombinationOrder::kActive) {
      switch (s.action) {
        case WatermarkAction::kUseText:
          Restore();
          Text();
          break;
        case WatermarkAction::kPlaceLogo:
          Restore();
          LogoFirst();
          break;
        case WatermarkAction::kUseColor:
          Restore();
          Color();
          break;
      }
    } else {
      Restore();
      const StageList list = StagesOf(s.combination);
      for (int i = 0; i < list.count; ++i) {
        switch (list.stages[i]) {
          case Stage::kLogo:
            if (i == 0) {
              // "LT" starts from a clean status line; the logo stage may then report.
              if (s.combination == CombinationOrder::kLT) out_.status = std::string();
              LogoFirst();
            } else {
              LogoOnResult();
            }
            break;
          case Stage::kText:
            Text();
            break;
          case Stage::kColor:
            Color();
            break;
        }
      }
    }
    DrawFrames(out_.marked, s.frame, out_.scratch);
    if (MarginsAfter(s.texture)) {
      TextureOverlay(out_.scratch, out_.marked, s.texture, in_.texture);
      std::swap(out_.scratch, out_.marked);
    }
    const ImageSize size =
        PreviewSizeFor(out_.marked.Width(), out_.marked.Height(), in_.previewWidth, in_.previewHeight);
    AreaAverageResize(out_.marked, size.width, size.height, out_.preview);
    out_.sizeLabel = SizeLabel(out_.marked);
  }

 private:
  void Restore() {
    if (in_.onlyWithin && !MarginsBefore(in_.settings.texture)) {
      CopyPixelsWithin(in_.original, out_.marked, *in_.onlyWithin);
      return;
    }
    RestoreFromOriginal(out_.marked, in_.original, in_.settings.texture, in_.texture);
  }

  void ReportLogoTooBig() {
    out_.status = kLogoTooBigMessage + LongTimeText(in_.context.now);
    out_.warnings.push_back(kLogoTooBigWarning);
  }

  // The logo this image is marked with, fitted to its size (and turned for tiling) on first
  // use; none, with the reason in the warnings, when it cannot be.
  const FittedLogo* Logo() {
    if (!fitted_) {
      FittedLogo fitted;
      if (Status status = FitLogo(in_.logo, in_.logoAlpha, in_.settings.logo, in_.original.Width(),
                                  in_.original.Height(), out_.logoFit, fitted);
          !status) {
        out_.warnings.push_back(status.message());
        fitted = {};
      }
      fitted_ = fitted;
    }
    return fitted_->logo != nullptr ? &*fitted_ : nullptr;
  }

  static const std::uint8_t* Alpha(const FittedLogo& logo) {
    return logo.alpha.empty() ? nullptr : logo.alpha.data();
  }

  // The logo as the first stage: blended over the original as the marked image starts
  // from it (inside its margins when those come first).
  void LogoFirst() {
    if (in_.original.Empty()) return;
    const FittedLogo* fitted = Logo();
    if (fitted == nullptr) return;
    const RasterImage& logo = *fitted->logo;
    const bool tiled = in_.settings.logo.tile;
    if (!tiled && (logo.Width() > out_.marked.Width() || logo.Height() > out_.marked.Height())) {
      ReportLogoTooBig();
      return;
    }
    const RasterImage* source = &in_.original;
    if (MarginsBefore(in_.settings.texture)) {
      TextureOverlay(out_.scratch, in_.original, in_.settings.texture, in_.texture);
      source = &out_.scratch;
    }
    Blend(logo, *source, Alpha(*fitted));
  }

  // The logo after another stage: blended over what the earlier stages drew.
  void LogoOnResult() {
    const FittedLogo* fitted = Logo();
    if (fitted == nullptr) return;
    const RasterImage& logo = *fitted->logo;
    const bool tiled = in_.settings.logo.tile;
    if (!tiled && (logo.Width() > in_.original.Width() || logo.Width() > out_.marked.Width() ||
                   logo.Height() > in_.original.Height() || logo.Height() > out_.marked.Height())) {
      ReportLogoTooBig();
      return;
    }
    if (in_.original.Empty()) return;
    // Tiles never overlap, so tiling can read what it writes.
    const RasterImage* source = &out_.marked;
    if (!tiled && PlacesOverlap(in_.settings.logo, out_.marked.Width(), out_.marked.Height(), logo.Width(),
                                logo.Height())) {
      out_.scratch = out_.marked;
      source = &out_.scratch;
    }
    Blend(logo, *source, Alpha(*fitted));
  }

  void Blend(const RasterImage& logo, const RasterImage& source, const std::uint8_t* alpha) {
    if (in_.settings.logo.tile) {
      BlendLogoTiled(out_.marked, logo, source, in_.settings.logo, in_.settings.channels, alpha);
    } else {
      BlendLogoAtPlaces(out_.marked, logo, source, in_.settings.logo, in_.settings.channels, alpha);
    }
  }

  // The text stage draws its box solid: every column (step 1) and no random colour. Its
  // strip lives in the scratch buffer, which no stage expects to keep between stages.
  void Text() {
    RenderTextWatermark(out_.marked, {in_.settings.text, in_.text, in_.context, in_.locale,
                                      in_.settings.channels, &out_.scratch});
  }

  void Color() {
    ApplyColorEffect(out_.marked, out_.scratch, in_.settings.color, EffectiveStrength(in_.settings.color),
                     in_.settings.channels, random_);
  }

  const RenderInput& in_;
  RandomSource& random_;
  RenderOutput& out_;
  std::optional<FittedLogo> fitted_;
};

}  // namespace

int EffectiveStrength(const ColorEffectSettings& settings) {
  int s = settings.strengthItem >= 0 && settings.strengthItem <= 9 ? settings.strengthItem + 1 : 2;
  const std::optional<ColorStyle> style = ColorStyleAt(settings.style);
  const bool severalBands = style == ColorStyle::kBottomAndTop || style == ColorStyle::kLeftAndRight ||
                            style == ColorStyle::kAllFourSides;
  if (s == 1 && severalBands) s = 2;
  return s;
}

void RestoreFromOriginal(RasterImage& marked, const RasterImage& original, const TextureSettings& texture,
                         const RasterImage& texturePicture) {
  if (MarginsBefore(texture)) {
    TextureOverlay(marked, original, texture, texturePicture);
  } else {
    marked = original;
  }
}

std::string RenderSizeProblem(const WatermarkSettings& settings, int width, int height) {
  std::int64_t W = width;
  std::int64_t H = height;
  const bool margins = settings.texture.enabled;
  if (margins) {
    const TextureMargins m = MarginWidths(settings.texture);
    W += m.left + m.right;
    H += m.top + m.bottom;
  }
  const int border = FrameBorderWidth(settings.frame);
  W += 2 * border;
  H += 2 * border;
  const std::string problem = RasterSizeProblem(W, H);
  if (problem.empty()) return {};
  const char* added = margins && border > 0 ? " plus the margins and frames"
                      : margins             ? " plus the margins"
                      : border > 0          ? " plus the frames"
                                            : "";
  return "image too large: " + std::to_string(width) + " \u00D7 " + std::to_string(height) + added + " " +
         problem;
}

std::optional<Rect> RenderReach(const RenderInput& input) {
  const WatermarkSettings& s = input.settings;
  if (s.texture.enabled || s.frame.outerOn || s.frame.innerOn) return std::nullopt;
  // The stages that run; a text stage draws nothing without lines.
  bool logo = false;
  const auto add = [&](Stage stage) {
    if (stage == Stage::kLogo) logo = true;
    return stage == Stage::kLogo || (stage == Stage::kText && input.text.empty());
  };
  if (s.combination == CombinationOrder::kActive) {
    const Stage stage = s.action == WatermarkAction::kPlaceLogo ? Stage::kLogo
                        : s.action == WatermarkAction::kUseText ? Stage::kText
                                                                : Stage::kColor;
    if (!add(stage)) return std::nullopt;
  } else {
    const StageList list = StagesOf(s.combination);
    for (int i = 0; i < list.count; ++i) {
      if (!add(list.stages[static_cast<std::size_t>(i)])) return std::nullopt;
    }
  }
  const int W = input.original.Width(), H = input.original.Height();
  if (!logo || input.logo.Empty() || W <= 0 || H <= 0) return Rect{};
  if (s.logo.tile) return std::nullopt;
  const ImageSize size = s.logo.relativeSize ? RelativeLogoSize(input.logo.Width(), input.logo.Height(), W, H,
                                                                s.logo.relativePercent)
                                             : ImageSize{input.logo.Width(), input.logo.Height()};
  if (size.width > W || size.height > H) return Rect{};
  std::optional<Rect> reach;
  for (int i = 0; i < kLogoPlaceCount; ++i) {
    if (!s.logo.places[static_cast<std::size_t>(i)]) continue;
    const LogoPosition p = LogoPlacePosition(static_cast<LogoPlace>(i), W, H, size.width, size.height);
    const Rect at{p.x0, p.y0, p.x0 + size.width, p.y0 + size.height};
    reach = reach ? Rect{std::min(reach->left, at.left), std::min(reach->top, at.top),
                         std::max(reach->right, at.right), std::max(reach->bottom, at.bottom)}
                  : at;
  }
  return reach.value_or(Rect{});
}

Status RenderWatermark(const RenderInput& input, RandomSource& random, RenderOutput& output) {
  output.status.reset();
  output.warnings.clear();
  if (std::string problem =
          RenderSizeProblem(input.settings, input.original.Width(), input.original.Height());
      !problem.empty())
    return Status::Error(std::move(problem));
  try {
    Render(input, random, output).Run();
    return Status::Ok();
  } catch (const std::bad_alloc&) {
    output.marked.Clear();
    output.preview.Clear();
    return Status::Error("not enough memory to mark a " + std::to_string(input.original.Width()) +
                         " \u00D7 " + std::to_string(input.original.Height()) + " image");
  } catch (const std::exception& error) {
    output.marked.Clear();
    output.preview.Clear();
    return Status::Error(error.what());
  }
}

}  // namespace quillstone
