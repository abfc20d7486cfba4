#include "workspace/logo_tools.h"

#include <utility>
#include <vector>

#include "imagefiles/bmp_writer.h"
#include "logo/logo_autocrop.h"
#include "logo/logo_rotation.h"
#include "workspace/save_flow.h"
#include "workspace/source_loading.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

constexpr std::string_view kLogoEffectsCaption = "Logo effects";
constexpr std::string_view kUseLogoCaption = "Use logo for watermarking";
constexpr std::string_view kUseImageCaption = "Use watermarked image as logo";

}  // namespace

Status TurnLogo(Workspace& workspace) {
  const LogoToolSettings& tools = workspace.settings().logoTools;
  RasterImage turned;
  Status status = RotateLogoByAngle(workspace.logoCopy(), tools.angle, tools.rotationFill, turned);
  if (!status) {
    workspace.prompter().ShowMessage(kLogoEffectsCaption, status.message(), MessageIcon::kError);
    return status;
  }
  workspace.ChangeLogo(std::move(turned));
  return status;
}

Status UseTransparentAsFill(Workspace& workspace) {
  ProgramSettings& settings = workspace.settings();
  settings.logoTools.rotationFill = settings.watermark.logo.transparentColor;
  return TurnLogo(workspace);
}

bool ResetLogoAngle(Workspace& workspace) {
  if (!workspace.prompter().AskYesNo(kInfoCaption, kResetAngleQuestion)) return false;
  workspace.settings().logoTools.angle = 0;
  workspace.KeepLogoAsUntouched();
  return true;
}

void AutocropLogoCommand(Workspace& workspace) {
  RasterImage cropped;
  AutocropLogo(workspace.logoImage(), cropped, workspace.settings().logoTools.cropCorner);
  workspace.ChangeLogo(std::move(cropped));
  workspace.Render();
}

bool SaveLogoAsBitmap(Workspace& workspace, const RasterImage& logo) {
  static const std::vector<FileFilter> kBitmapFilters = {{"Bitmaps (*.bmp)", "*.bmp"}};
  Prompter& prompter = workspace.prompter();
  const auto path = prompter.ChooseFileToSave(
      {std::string(kSaveLogoTitle), kBitmapFilters, workspace.paths().userDirectory, {}, "bmp"});
  if (!path) return false;
  if (const Status written = WriteBmp(logo, *path); !written) {
    prompter.ShowMessage(kSaveLogoTitle, written.message(), MessageIcon::kError);
    return false;
  }
  return true;
}

bool UseLogoAsImage(Workspace& workspace) {
  Prompter& prompter = workspace.prompter();
  if (workspace.logoImage().Empty()) {
    prompter.ShowMessage(kUseLogoCaption, kNoLogoMessage, MessageIcon::kInformation);
    return false;
  }
  if (!prompter.AskYesNo(kQuestionCaption, kUseLogoAsImageQuestion)) return false;
  if (const Status opened = OpenImageAsTemporaryFile(workspace, workspace.logoImage()); !opened) {
    prompter.ShowMessage(kUseLogoCaption, opened.message(), MessageIcon::kError);
    return false;
  }
  return true;
}

bool UseMarkedImageAsLogo(Workspace& workspace) {
  Prompter& prompter = workspace.prompter();
  if (workspace.watermarkedImage().Empty()) {
    prompter.ShowMessage(kUseImageCaption, kNothingMarkedMessage, MessageIcon::kInformation);
    return false;
  }
  if (!prompter.AskYesNo(kQuestionCaption, kUseImageAsLogoQuestion)) return false;
  workspace.SetLogoImage(workspace.watermarkedImage());
  return true;
}

}  // namespace quillstone
