#pragma once

#include <QObject>

class QWidget;

namespace quillstone {

class BannerDialog;
class FrameDialog;
class Prompter;
class TextureDialog;
class Workspace;

// The decoration windows of the main window, made once and kept for the whole run:
// "Frame control" (the "Frame" button), the texture window ("Expand") and the banner
// window ("Get empty bitmap for banner creation"). Each opens modally on the workspace's
// settings as they are.
class DecorWindows : public QObject {
  Q_OBJECT

 public:
  DecorWindows(Workspace& workspace, Prompter& prompter, QWidget* parent);

  void OpenFrameWindow();
  void OpenTextureWindow();
  // After an accepted "OK" the new banner is made the source image and rendered.
  void OpenBannerWindow();

 signals:
  // A control of the frame or texture window changed a setting.
  void renderLater();
  // The frame or texture window was closed: the main window shows the settings again and
  // renders once more.
  void closed();
  // A new banner became the source image (already rendered).
  void bannerCreated();

 private:
  Workspace& workspace_;
  FrameDialog* frame_;
  TextureDialog* texture_;
  BannerDialog* banner_;
};

}  // namespace quillstone
