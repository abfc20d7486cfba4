#include "workspace/texture_flow.h"

#include <algorithm>

#include "workspace/source_loading.h"
#include "workspace/workspace.h"

namespace quillstone {

FlowResult LoadTextureCommand(Workspace& workspace) {
  const auto path = workspace.prompter().ChooseFileToOpen(
      {std::string(kLoadTextureTitle), ImageOpenFilters(), workspace.paths().userDirectory, {}, {}});
  if (!path) return FlowResult::Cancelled();
  if (const Status loaded = workspace.LoadTexture(*path); !loaded) {
    workspace.prompter().ShowMessage(kLoadTextureTitle, loaded.message(), MessageIcon::kError);
    return loaded;
  }
  workspace.Render();
  return FlowResult::Done();
}

FlowResult TextureSizeToMargin(Workspace& workspace, MarginSide side) {
  const RasterImage& texture = workspace.textureImage();
  if (texture.Empty()) return FlowResult::Cancelled();
  const bool across = side == MarginSide::kLeft || side == MarginSide::kRight;
  const int size = across ? texture.Width() : texture.Height();
  workspace.settings().watermark.texture.side(side).margin = std::min(size, kMaxTextureMargin);
  return FlowResult::Done();
}

void SetAllMarginColors(TextureSettings& settings, ColorValue color) {
  for (const MarginSide side : {MarginSide::kTop, MarginSide::kBottom, MarginSide::kLeft, MarginSide::kRight})
    settings.side(side).color = color;
}

}  // namespace quillstone
