#include "ui/decor_windows.h"

#include "ui/banner_dialog.h"
#include "ui/frame_dialog.h"
#include "ui/texture_dialog.h"
#include "workspace/banner_flow.h"
#include "workspace/workspace.h"

namespace quillstone {

DecorWindows::DecorWindows(Workspace& workspace, Prompter& prompter, QWidget* parent)
    : QObject(parent),
      workspace_(workspace),
      frame_(new FrameDialog(workspace.settings().watermark.frame, prompter, parent)),
      texture_(new TextureDialog(workspace, prompter, parent)),
      banner_(new BannerDialog(workspace, prompter, parent)) {
  connect(frame_, &FrameDialog::renderLater, this, &DecorWindows::renderLater);
  connect(texture_, &TextureDialog::renderLater, this, &DecorWindows::renderLater);
}

void DecorWindows::OpenFrameWindow() {
  frame_->ShowSettings();
  frame_->exec();
  emit closed();
}

void DecorWindows::OpenTextureWindow() {
  texture_->ShowSettings();
  texture_->exec();
  emit closed();
}

void DecorWindows::OpenBannerWindow() {
  if (!banner_->Run()) return;
  if (CreateBannerSource(workspace_)) emit bannerCreated();
}

}  // namespace quillstone
