#pragma once

#include <filesystem>
#include <optional>

#include "imaging/color_value.h"
#include "imaging/random_source.h"
#include "imaging/raster_image.h"
#include "logo/logo_special_settings.h"
#include "workspace/flow_result.h"

namespace quillstone {

class Workspace;

// The commands of the logo special window that change the working logo.
enum class LogoCommand {
  kFlipRight,            // "Flip logo right"
  kFlipDown,             // "Flip logo down"
  kMirrorRight,          // "Mirror logo right"
  kMirrorDown,           // "Mirror logo down"
  kRotateQuarter,        // "Rotate logo 90 degr."
  kRippleRandom,         // "Ripple Random"
  kRippleTooth,          // "Ripple Tooth"
  kRippleTriangle,       // "Ripple Triangle"
  kTriangles,            // "Triangles"
  kDarker,               // "Darkness ++"
  kLighter,              // "Lightness ++"
  kBlur,                 // "Gaussian Blur"
  kGrayscale,            // "Grayscale"
  kInvert,               // "Invert"
  kAutocrop,             // "Autocrop": the crop colour from the top-left pixel
  kChangeOtherColors,    // first "Change": colours other than the held one
  kChangeSelectedColor,  // second "Change": the source slot's colour to the target slot's
  kUseResized,           // "Use resized logo"
  kReload,               // "Reload logo": back to the logo the window opened with (or loaded)
};

// The logo special window's rules: it edits a working copy of the logo and hands it to the
// workspace only on Apply, so closing it any other way changes nothing. Its settings
// (resize percentage, smooth, mouse mode, colour slots) last from opening to opening.
class LogoEditor {
 public:
  explicit LogoEditor(Workspace& workspace);

  LogoSpecialSettings& settings() { return settings_; }
  const LogoSpecialSettings& settings() const { return settings_; }
  // The logo being edited, without any crop outline.
  const RasterImage& workingLogo() const { return working_; }
  // What the window shows as "Active logo": the working logo, with the selection outline
  // inverted into it while a crop drag goes on.
  const RasterImage& shownLogo() const { return dragging_ ? outlined_ : working_; }
  // "Resized logo": the working logo at the resize percentage.
  const RasterImage& resizedLogo() const { return resized_; }
  // The colour under the pointer, last seen over the logo.
  ColorValue liveColor() const { return liveColor_; }
  bool dragging() const { return dragging_; }

  // Opening the window: the working logo and the logo "Reload logo" returns to become the
  // workspace's logo; a crop drag left over is dropped; the preview is made.
  void Open();
  // Runs a command on the working logo, then makes the preview again.
  void Run(LogoCommand command);
  // Makes the preview again (after the percentage or the smooth switch changed).
  void RefreshPreview();
  // "Load your logo": back to colour selection, then the logo open dialog; the picture
  // chosen becomes the working logo and the one "Reload logo" returns to. A file that
  // cannot be read keeps both, is named in a message and fails the command.
  FlowResult LoadLogo();
  // "Save your logo": the working logo as a bitmap file.
  FlowResult SaveLogo();

  // The mouse over the logo, in logo pixels. A press picks the colour under it as the held
  // colour and into the active slot, and in crop selection starts a drag there. A move
  // shows the colour under the pointer and, while dragging, draws the selection to the
  // point, limited to 0..W and 0..H so that a drag beyond the logo keeps its last column
  // and row. The release ends the drag: a selection at least one pixel wide and high asks
  // the crop question with the new size, and Yes crops the working logo to it and goes
  // back to colour selection. True when the logo was cropped.
  void Press(int x, int y);
  void Move(int x, int y);
  bool Release(int x, int y);

  // "Apply": the working logo becomes the workspace's logo and its untouched copy (and a
  // logo loaded here its logo file), and the workspace renders.
  void Apply();

 private:
  bool Inside(int x, int y) const;
  void DrawSelection();

  Workspace& workspace_;
  LogoSpecialSettings settings_;
  RasterImage working_;
  RasterImage reference_;  // what "Reload logo" returns to
  RasterImage resized_;
  RasterImage outlined_;  // the working logo with the selection outline, while dragging
  std::optional<std::filesystem::path> loadedFile_;
  RandomSource random_;
  ColorValue liveColor_ = colors::kBlack;
  bool dragging_ = false;
  int dragX_ = 0;  // where the drag started
  int dragY_ = 0;
  int cornerX_ = 0;  // where it is now, 0..W and 0..H
  int cornerY_ = 0;
};

}  // namespace quillstone
