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

FlowResult TurnLogo(Workspace& workspace) {
  const LogoToolSettings& tools = workspace.settings().logoTools;
  RasterImage turned;
  std::vector<std::uint8_t> turnedAlpha;
  Status status = RotateLogoByAngle(workspace.logoCopy(), tools.angle, tools.rotationFill, turned);
  if (status) {
    status = RotateLogoAlphaByAngle(workspace.logoCopyAlpha(), workspace.logoCopy().Width(),
                                    workspace.logoCopy().Height(), tools.angle, turnedAlpha);
  }
  if (!status) {
    workspace.prompter().ShowMessage(kLogoEffectsCaption, status.message(), MessageIcon::kError);
    return status;
  }
  workspace.ChangeLogo(std::move(turned), std::move(turnedAlpha));
  return FlowResult::Done();
}

FlowResult UseTransparentAsFill(Workspace& workspace) {
  ProgramSettings& settings = workspace.settings();
  settings.logoTools.rotationFill = settings.watermark.logo.transparentColor;
  return TurnLogo(workspace);
}

FlowResult ResetLogoAngle(Workspace& workspace) {
  if (!workspace.prompter().AskYesNo(kInfoCaption, kResetAngleQuestion)) return FlowResult::Cancelled();
  workspace.settings().logoTools.angle = 0;
  workspace.KeepLogoAsUntouched();
  return FlowResult::Done();
}

void AutocropLogoCommand(Workspace& workspace) {
  RasterImage cropped;
  AutocropLogo(workspace.logoImage(), cropped, workspace.settings().logoTools.cropCorner);
  workspace.ChangeLogo(std::move(cropped));
  workspace.Render();
}

FlowResult SaveLogoAsBitmap(Workspace& workspace, const RasterImage& logo) {
  static const std::vector<FileFilter> kBitmapFilters = {{"Bitmaps (*.bmp)", "*.bmp"}};
  Prompter& prompter = workspace.prompter();
  const auto path = prompter.ChooseFileToSave(
      {std::string(kSaveLogoTitle), kBitmapFilters, workspace.paths().userDirectory, {}, "bmp"});
  if (!path) return FlowResult::Cancelled();
  if (const Status written = WriteBmp(logo, *path); !written) {
    prompter.ShowMessage(kSaveLogoTitle, written.message(), MessageIcon::kError);
    return written;
  }
  return FlowResult::Done();
}

FlowResult UseLogoAsImage(Workspace& workspace) {
  Prompter& prompter = workspace.prompter();
  if (workspace.logoImage().Empty()) {
    prompter.ShowMessage(kUseLogoCaption, kNoLogoMessage, MessageIcon::kInformation);
    return FlowResult::Cancelled();
  }
  if (!prompter.AskYesNo(kQuestionCaption, kUseLogoAsImageQuestion)) return FlowResult::Cancelled();
  if (const FlowResult opened = OpenImageAsTemporaryFile(workspace, workspace.logoImage()); !opened) {
    prompter.ShowMessage(kUseLogoCaption, opened.message(), MessageIcon::kError);
    return opened;
  }
  return FlowResult::Done();
}

FlowResult UseMarkedImageAsLogo(Workspace& workspace) {
  Prompter& prompter = workspace.prompter();
  if (workspace.watermarkedImage().Empty()) {
    prompter.ShowMessage(kUseImageCaption, kNothingMarkedMessage, MessageIcon::kInformation);
    return FlowResult::Cancelled();
  }
  if (!prompter.AskYesNo(kQuestionCaption, kUseImageAsLogoQuestion)) return FlowResult::Cancelled();
  workspace.SetLogoImage(workspace.watermarkedImage());
  return FlowResult::Done();
}

}  // namespace quillstone
