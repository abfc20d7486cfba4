#pragma once

#include <QMainWindow>
#include <memory>

#include "platform/image_clipboard.h"
#include "platform/process_priority.h"
#include "platform/wallpaper.h"
#include "ui/render_debounce.h"

class QLabel;
class QScrollArea;
class QTabWidget;

namespace quillstone {

class ActionPanel;
class BatchPage;
class ColorPage;
class CombinationDialog;
class DecorWindows;
class EffectWindow;
class FlowResult;
class FullScreenView;
class HelpWindow;
class IndividualTextPanel;
class LogoPage;
class LogoSpecialWindow;
class MainMenus;
class Prompter;
class ResizePage;
class SourceStepButtons;
class TextPage;
class TextToolWindows;
class Workspace;
class ZoomView;

// The main window: the pages "Watermarking image" and "Image batch run"; on the first, the
// action panel, the settings pages "&Logo", "&Color", "&Text" and "&Resize", and the
// pages "Original watermarked image" (scrollable, full size) and "Small preview/Individual
// text"; the menus and the status bar. The window maps its controls onto the workspace's
// settings as they change and leaves every command flow to the workspace.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Creating the window is the workspace's start (histories, rendering on); the debounce
  // timer starts too, so the first render follows 500 ms after the window is made.
  MainWindow(Workspace& workspace, Prompter& prompter, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Sets every control from the workspace (after a load or a command that changed it).
  void ShowSettings();
  void RenderNow();
  void RequestRender() { debounce_.Request(); }
  RenderDebounce& renderDebounce() { return debounce_; }
  // The first activation's work: default configuration, first-run text, the sample
  // picture, one render, and on a first run the list of changes in the help window. Runs
  // once; the window calls it when it is first shown.
  void ActivateFirstTime();
  // The clipboard, wallpaper and priority the desktop commands use instead of the
  // system's (tests hand in recording fakes); they must outlive the window.
  void UseDesktopServices(ImageClipboard& clipboard, WallpaperService& wallpaper, PriorityControl& priority);
  // Ends the program as quitting does, without the question (SIGTERM): a running batch stops
  // after the images in progress, the files quit writes are written, every window closes.
  void QuitWithoutQuestion();

 signals:
  // After every render, once the views show it.
  void rendered();
  // After a load changed the current file (and the source file list with it).
  void sourceLoaded();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildWatermarkPage();
  void ConnectMenus();
  void ConnectBatchPage();
  void ConnectLogoTools();
  void ConnectTextTools();
  // The Text menu's way in: the Text page in front, the text action, one render.
  void ShowTextAction();
  // Renders now, taking a pending debounced render along, so there is one render.
  void RenderOnce();
  void ConnectDecorWindows();
  void ConvertImages();
  void OnRendered();
  void ChooseCombination(int index);
  void RunCombinationDialog();
  void ClearAllOptions();
  void LoadImage();
  void LoadLogo();
  void SaveImage();
  void ReloadSource();
  void ShowSourceLoaded(const FlowResult& read);
  void RunEffectWindow();
  void ConnectDesktopCommands();
  void ConnectZoom();
  void ShowFullView();
  // The desktop's logout asks the program to save its state: the files quit writes.
  void SaveSessionState();
  void ReportUnsaved(const FlowResult& saved);
  // The program's own help window with a shipped file.
  void ShowHelp(const char* name);

  Workspace& workspace_;
  RenderDebounce debounce_;
  std::unique_ptr<MainMenus> menus_;
  QTabWidget* mainPages_ = nullptr;
  QTabWidget* settingsPages_ = nullptr;
  QTabWidget* imagePages_ = nullptr;
  ActionPanel* actionPanel_ = nullptr;
  LogoPage* logoPage_ = nullptr;
  ColorPage* colorPage_ = nullptr;
  TextPage* textPage_ = nullptr;
  ResizePage* resizePage_ = nullptr;
  IndividualTextPanel* individualPanel_ = nullptr;
  CombinationDialog* combinationDialog_ = nullptr;
  LogoSpecialWindow* logoSpecial_ = nullptr;
  EffectWindow* effectWindow_ = nullptr;
  TextToolWindows* textTools_ = nullptr;
  FullScreenView* fullScreen_ = nullptr;
  HelpWindow* help_ = nullptr;
  SystemImageClipboard systemClipboard_;
  DesktopWallpaper systemWallpaper_;
  SystemPriorityControl systemPriority_;
  ImageClipboard* clipboard_ = &systemClipboard_;
  WallpaperService* wallpaper_ = &systemWallpaper_;
  PriorityControl* priority_ = &systemPriority_;
  ProcessPriority priorityNow_ = ProcessPriority::kNormal;
  DecorWindows* decorWindows_ = nullptr;
  BatchPage* batchPage_ = nullptr;
  QScrollArea* batchScroll_ = nullptr;  // the page that holds it
  SourceStepButtons* stepButtons_ = nullptr;
  ZoomView* fullView_ = nullptr;
  QLabel* loadedFileName_ = nullptr;
  QLabel* lastConfiguration_ = nullptr;
  QLabel* statusProgress_ = nullptr;
  QLabel* statusMessage_ = nullptr;
  QLabel* statusZoom_ = nullptr;
  Prompter& prompter_;
  bool shown_ = false;
};

}  // namespace quillstone
