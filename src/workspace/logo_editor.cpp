#include "workspace/logo_editor.h"

#include <algorithm>

#include "imagefiles/image_decoder.h"
#include "imaging/raster_flip.h"
#include "logo/logo_autocrop.h"
#include "logo/logo_crop.h"
#include "logo/logo_effects.h"
#include "logo/logo_geometry.h"
#include "logo/logo_resample.h"
#include "workspace/logo_tools.h"
#include "workspace/source_loading.h"
#include "workspace/workspace.h"

namespace quillstone {

LogoEditor::LogoEditor(Workspace& workspace) : workspace_(workspace) {}

void LogoEditor::Open() {
  working_ = workspace_.logoImage();
  reference_ = working_;
  loadedFile_.reset();
  dragging_ = false;
  RefreshPreview();
}

void LogoEditor::Run(LogoCommand command) {
  RasterImage& logo = working_;
  switch (command) {
    case LogoCommand::kFlipRight:
      FlipHorizontal(logo);
      break;
    case LogoCommand::kFlipDown:
      FlipVertical(logo);
      break;
    case LogoCommand::kMirrorRight:
      MirrorLogoRightHalf(logo);
      break;
    case LogoCommand::kMirrorDown:
      MirrorLogoBottomHalf(logo);
      break;
    case LogoCommand::kRotateQuarter:
      RotateLogoQuarter(logo);
      break;
    case LogoCommand::kRippleRandom:
      random_.Reseed();  // a new pattern at every run
      RippleLogo(logo, RippleKind::kRandom, kLogoRippleAmount, random_);
      break;
    case LogoCommand::kRippleTooth:
      RippleLogo(logo, RippleKind::kSawtooth, kLogoRippleAmount, random_);
      break;
    case LogoCommand::kRippleTriangle:
      RippleLogo(logo, RippleKind::kTriangle, kLogoTriangleRippleAmount, random_);
      break;
    case LogoCommand::kTriangles:
      TrianglePatternLogo(logo, kLogoTrianglePatternAmount);
      break;
    case LogoCommand::kDarker:
      DarkenLogo(logo, kLogoDarkenAmount);
      break;
    case LogoCommand::kLighter:
      LightenLogo(logo, kLogoLightenAmount);
      break;
    case LogoCommand::kBlur:
      BlurLogo(logo);
      break;
    case LogoCommand::kGrayscale:
      WeightedGreyLogo(logo);
      break;
    case LogoCommand::kInvert:
      InvertLogo(logo);
      break;
    case LogoCommand::kAutocrop:
      AutocropLogo(logo, logo, CropCorner::kTopLeft);
      break;
    case LogoCommand::kChangeOtherColors:
      ReplaceOtherColors(logo, settings_.heldColor, settings_.otherColorsTarget);
      break;
    case LogoCommand::kChangeSelectedColor:
      ReplaceColor(logo, settings_.sourceSlot, settings_.targetSlot);
      break;
    case LogoCommand::kUseResized:
      logo = resized_;
      break;
    case LogoCommand::kReload:
      logo = reference_;
      break;
  }
  RefreshPreview();
}

void LogoEditor::RefreshPreview() {
  MakeResizedLogo(working_, settings_.resizePercent, settings_.smooth, resized_);
}

FlowResult LogoEditor::LoadLogo() {
  settings_.mouseMode = LogoMouseMode::kColorSelection;
  const auto path = ChooseLogoFile(workspace_);
  if (!path) return FlowResult::Cancelled();
  RasterImage loaded;
  RasterImage untouched;
  if (const Status status = LoadLogoFile(*path, loaded, untouched); !status) {
    workspace_.prompter().ShowMessage(kLoadLogoTitle, status.message(), MessageIcon::kError);
    return status;
  }
  working_ = std::move(loaded);
  reference_ = std::move(untouched);
  loadedFile_ = *path;
  dragging_ = false;
  RefreshPreview();
  return FlowResult::Done();
}

FlowResult LogoEditor::SaveLogo() {
  return SaveLogoAsBitmap(workspace_, working_);
}

bool LogoEditor::Inside(int x, int y) const {
  return x >= 0 && y >= 0 && x < working_.Width() && y < working_.Height();
}

void LogoEditor::DrawSelection() {
  outlined_ = working_;
  InvertSelectionOutline(outlined_, dragX_, dragY_, cornerX_, cornerY_);
}

void LogoEditor::Press(int x, int y) {
  if (!Inside(x, y)) return;
  const ColorValue picked = MakeColor(working_.Pixel(x, y));
  settings_.heldColor = picked;
  (settings_.activeSlot == ColorSlot::kSource ? settings_.sourceSlot : settings_.targetSlot) = picked;
  liveColor_ = picked;
  if (settings_.mouseMode != LogoMouseMode::kCropSelection) return;
  dragging_ = true;
  dragX_ = cornerX_ = x;
  dragY_ = cornerY_ = y;
  DrawSelection();
}

void LogoEditor::Move(int x, int y) {
  if (Inside(x, y)) liveColor_ = MakeColor(working_.Pixel(x, y));
  if (!dragging_) return;
  cornerX_ = std::clamp(x, 0, working_.Width());
  cornerY_ = std::clamp(y, 0, working_.Height());
  DrawSelection();
}

bool LogoEditor::Release(int x, int y) {
  if (!dragging_) return false;
  Move(x, y);
  const LogoRect selection =
      CropSelectionRect(dragX_, dragY_, cornerX_, cornerY_, working_.Width(), working_.Height());
  // The outline stays in sight while the question is open.
  const bool crop =
      selection.Width() > 0 && selection.Height() > 0 &&
      workspace_.prompter().AskYesNo(kInfoCaption, CropQuestion(selection.Width(), selection.Height()));
  dragging_ = false;
  if (!crop) return false;
  CopyLogoRect(working_, selection, working_);
  settings_.mouseMode = LogoMouseMode::kColorSelection;
  RefreshPreview();
  return true;
}

void LogoEditor::Apply() {
  workspace_.SetLogoImage(working_);
  if (loadedFile_) workspace_.settings().logoFileName = loadedFile_->string();
  workspace_.Render();
}

}  // namespace quillstone
