#include "workspace/banner_flow.h"

#include <string>
#include <system_error>

#include "decor/banner.h"
#include "imagefiles/bmp_writer.h"
#include "text/banner_size.h"
#include "workspace/source_loading.h"
#include "workspace/workspace.h"

namespace quillstone {

void ChooseBannerPreset(BannerFields& fields, int index) {
  if (index < 0 || index >= static_cast<int>(kBannerPresets.size())) return;
  fields.width = std::to_string(kBannerPresets[index].width);
  fields.height = std::to_string(kBannerPresets[index].height);
}

FlowResult UseLogoSideForBanner(Workspace& workspace, BannerSide side) {
  const RasterImage& logo = workspace.logoImage();
  if (logo.Empty()) return FlowResult::Cancelled();
  BannerFields& fields = workspace.settings().banner;
  if (side == BannerSide::kWidth) {
    fields.width = std::to_string(logo.Width());
  } else {
    fields.height = std::to_string(logo.Height());
  }
  return FlowResult::Done();
}

FlowResult CalculateBannerFields(Workspace& workspace) {
  BannerFields& fields = workspace.settings().banner;
  const auto size =
      CalculateBannerSize(workspace.watermarkText(), workspace.settings().watermark.text, fields.margin);
  if (!size) return FlowResult::Cancelled();
  fields.width = std::to_string(size->width);
  fields.height = std::to_string(size->height);
  return FlowResult::Done();
}

FlowResult CheckBannerFields(Workspace& workspace) {
  const BannerFields& fields = workspace.settings().banner;
  BannerSize size;
  const Status checked = ParseBannerSize(fields.width, fields.height, size);
  if (!checked) workspace.prompter().ShowMessage(kBannerStopCaption, checked.message(), MessageIcon::kError);
  return checked;
}

FlowResult CreateBannerSource(Workspace& workspace) {
  const BannerFields& fields = workspace.settings().banner;
  Prompter& prompter = workspace.prompter();
  RasterImage banner;
  if (const Status made = CreateBanner(fields.width, fields.height, fields.background, banner); !made) {
    prompter.ShowMessage(kBannerStopCaption, made.message(), MessageIcon::kError);
    return made;
  }
  const std::filesystem::path& folder = workspace.paths().userDirectory;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const std::filesystem::path file = folder / kBannerFileName;
  const Status written = error ? Status::Error("cannot create " + folder.string() + ": " + error.message())
                               : WriteBmp(banner, file);
  if (!written) {
    prompter.ShowMessage(kBannerCaption, written.message(), MessageIcon::kError);
    return written;
  }
  if (const FlowResult loaded = LoadSourceImage(workspace, file); !loaded) {
    prompter.ShowMessage(kBannerCaption, loaded.message(), MessageIcon::kError);
    return loaded;
  }
  prompter.ShowMessage(kBannerCaption, kBannerSavedMessage, MessageIcon::kInformation);
  return FlowResult::Done();
}

}  // namespace quillstone
