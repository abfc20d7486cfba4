#pragma once

#include <QDialog>
#include <functional>

#include "ui/widget_factory.h"
#include "workspace/effect_workbench.h"

class QLabel;
class QListWidget;
class QScrollArea;

namespace quillstone {

class ImageView;
class Workspace;

// "Effect window": the 18 effect commands, each with "Add to macro", on the window's own
// copy of the source image ("Image preview"), and the macro ("Image macro") with its
// commands. The rules are EffectWorkbench's; the window maps its buttons onto them and
// shows the preview and the macro.
class EffectWindow : public QDialog {
  Q_OBJECT

 public:
  explicit EffectWindow(Workspace& workspace, QWidget* parent = nullptr);

  // Opens the window maximised over a fresh copy of the source image and waits until it is
  // closed ("Back to main window").
  void Run();
  // Opens it the same way without waiting.
  void Open();

  EffectWorkbench& workbench() { return workbench_; }

 signals:
  // "Show previous image" or "Show next image" changed the main window's source image;
  // `problem` says why the file could not be opened (empty when it was).
  void sourceStepped(const QString& problem);

 private:
  QWidget* BuildCommandBox();
  QWidget* BuildPreviewBox();
  QWidget* BuildMacroBox();
  void ShowPreview();
  void ShowMacro();
  // Runs a command that replays the macro: the controls rest while it runs, and the preview
  // is drawn after every line.
  void Replaying(const std::function<void(const std::function<void()>&)>& command);
  void Step(SourceStep step);

  Workspace& workspace_;
  EffectWorkbench workbench_;
  WidgetFactory controls_;
  QWidget* commandBox_ = nullptr;
  QWidget* macroBox_ = nullptr;
  ImageView* preview_ = nullptr;
  QListWidget* macroList_ = nullptr;
  QLabel* message_ = nullptr;
};

}  // namespace quillstone
