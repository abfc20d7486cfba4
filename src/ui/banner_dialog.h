#pragma once

#include <QDialog>

#include "ui/widget_factory.h"

namespace quillstone {

class Prompter;
class Workspace;

// "Get empty bitmap for banner creation": the "User width" and "User height" fields (digits
// only, four at most), "Example sizes", "Use width of logo" and "Use height of logo", the
// size calculated from the watermark text with its margin bar, the "Background color"
// panel, "OK" and "Cancel". The fields are the banner settings themselves; "OK" closes
// the window only when the workspace accepts the size (otherwise it said why).
class BannerDialog : public QDialog {
  Q_OBJECT

 public:
  BannerDialog(Workspace& workspace, Prompter& prompter, QWidget* parent = nullptr);

  // Shows the window modally on the banner settings; true after an accepted "OK".
  bool Run();
  void ShowSettings();

 public slots:
  void accept() override;

 private:
  QWidget* BuildSizeBox();
  QWidget* BuildCalculateBox();
  QWidget* BuildBackgroundBox();

  Workspace& workspace_;
  Prompter& prompter_;
  WidgetFactory controls_;
};

}  // namespace quillstone
