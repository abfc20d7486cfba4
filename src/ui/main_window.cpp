#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSessionManager>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ui/action_panel.h"
#include "ui/batch_page.h"
#include "ui/color_page.h"
#include "ui/combination_dialog.h"
#include "ui/combination_texts.h"
#include "ui/decor_windows.h"
#include "ui/effect_window.h"
#include "ui/file_drop_target.h"
#include "ui/full_screen_view.h"
#include "ui/help_window.h"
#include "ui/image_view.h"
#include "ui/individual_text_panel.h"
#include "ui/logo_page.h"
#include "ui/logo_special_window.h"
#include "ui/main_menus.h"
#include "ui/qt_text.h"
#include "ui/resize_page.h"
#include "ui/source_step_buttons.h"
#include "ui/text_page.h"
#include "ui/text_tool_windows.h"
#include "ui/zoom_view.h"
#include "workspace/desktop_commands.h"
#include "workspace/logo_tools.h"
#include "workspace/save_flow.h"
#include "workspace/source_browsing.h"
#include "workspace/source_loading.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

enum SettingsPage { kLogoPage = 0, kColorPage = 1, kTextPage = 2, kResizePage = 3 };

// The preview box before the window is laid out.
constexpr int kInitialPreviewWidth = 320;
constexpr int kInitialPreviewHeight = 240;

// On a screen smaller than the controls need (a 1280 x 720 laptop) they scroll, rather than
// pushing the window's bottom and right edge, and the controls there, off the screen.
QScrollArea* Scrolling(QWidget* content, const char* name, QWidget* parent) {
  auto* scroll = new QScrollArea(parent);
  scroll->setObjectName(name);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidget(content);
  return scroll;
}

// The watermark page's two sides: the controls at the width they ask for, but at most
// three fifths of the whole, and the picture pages in the rest. As the window changes size
// the controls keep that share until the user moves the handle; from then on the user's
// choice stays and the picture takes every change.
class ControlSplitter : public QSplitter {
 public:
  ControlSplitter(QScrollArea* controls, QWidget* pictures, QWidget* parent)
      : QSplitter(parent), controls_(controls) {
    addWidget(controls);
    addWidget(pictures);
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
    setChildrenCollapsible(false);
    connect(this, &QSplitter::splitterMoved, this, [this] { moved_ = true; });
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QSplitter::resizeEvent(event);
    if (moved_) return;
    const int wanted = controls_->widget()->sizeHint().width() +
                       controls_->verticalScrollBar()->sizeHint().width() + 2 * controls_->frameWidth();
    const int whole = width() - handleWidth();
    const int share = std::min(wanted, whole * 3 / 5);
    setSizes({share, whole - share});
  }

 private:
  QScrollArea* controls_;
  bool moved_ = false;
};

QPushButton* Button(const char* name, const QString& caption, QWidget* parent, bool enabled) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setEnabled(enabled);
  return button;
}

}  // namespace

MainWindow::MainWindow(Workspace& workspace, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), workspace_(workspace), debounce_([this] { RenderNow(); }), prompter_(prompter) {
  setObjectName("MainWindow");
  setWindowTitle(QStringLiteral("Quillstone %1").arg(QCoreApplication::applicationVersion()).trimmed());

  workspace_.Create();
  workspace_.SetPreviewBox(kInitialPreviewWidth, kInitialPreviewHeight);
  workspace_.SetRenderObserver([this] { OnRendered(); });

  menus_ = std::make_unique<MainMenus>(menuBar());
  mainPages_ = new QTabWidget(this);
  mainPages_->setObjectName("mainpages");
  mainPages_->addTab(BuildWatermarkPage(), "Watermarking image");
  batchPage_ = new BatchPage(workspace_, prompter_);
  batchScroll_ = Scrolling(batchPage_, "batchscroll", mainPages_);
  mainPages_->addTab(batchScroll_, "Image batch run");
  setCentralWidget(mainPages_);
  // Leaving a page stores the per-image text, as changing the image does.
  connect(mainPages_, &QTabWidget::currentChanged, this, [this] {
    workspace_.SaveCurrentIndividualText();
    individualPanel_->ShowIndividualText();
  });

  statusProgress_ = new QLabel("Ready", this);
  statusProgress_->setObjectName("statusprogress");
  auto* caption = new QLabel("Last message:", this);
  caption->setObjectName("lastmessagecaption");
  statusMessage_ = new QLabel(this);
  statusMessage_->setObjectName("statusmessage");
  // A long message is cut at the window's edge rather than widening the window.
  statusMessage_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  statusBar()->addWidget(statusProgress_);
  statusBar()->addWidget(caption);
  statusBar()->addWidget(statusMessage_, 1);
  statusZoom_ = new QLabel(this);
  statusZoom_->setObjectName("statuszoom");
  statusBar()->addPermanentWidget(statusZoom_);

  combinationDialog_ = new CombinationDialog(this);
  connect(combinationDialog_, &CombinationDialog::itemClicked, this,
          [this](int index) { actionPanel_->SelectCombination(index); });
  effectWindow_ = new EffectWindow(workspace_, this);
  // Its previous and next steps open another source image, as the step buttons do.
  connect(effectWindow_, &EffectWindow::sourceStepped, this, [this](const QString& problem) {
    if (!problem.isEmpty()) statusMessage_->setText(problem);
    ShowSettings();
  });
  ConnectMenus();
  ConnectTextTools();
  new FileDropTarget(this, [this](const std::vector<std::filesystem::path>& paths) {
    ShowSourceLoaded(DropFiles(workspace_, paths));
  });
  ConnectBatchPage();
  ConnectLogoTools();
  ConnectDecorWindows();
  // The session may still go on after a logout is asked for, so the window stays as it is.
  connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
          [this](QSessionManager&) { SaveSessionState(); });
  connect(qGuiApp, &QGuiApplication::saveStateRequest, this,
          [this](QSessionManager&) { SaveSessionState(); });
  ShowSettings();
  // Running from the start: the first render follows 500 ms after the window is made.
  debounce_.Request();
}

MainWindow::~MainWindow() {
  workspace_.SetRenderObserver({});
}

QWidget* MainWindow::BuildWatermarkPage() {
  auto* page = new QWidget;
  auto* left = new QWidget(page);

  auto* loadImage = Button("loadimagebutton", "Load image for watermarking", left, true);
  auto* saveImage = Button("saveimagebutton", "Save watermarked image", left, true);
  auto* loadLogo = Button("loadlogobutton", "Load your logo", left, true);
  auto* fullView = Button("fullviewbutton", "Show image as full view", left, true);
  connect(fullView, &QPushButton::clicked, this, &MainWindow::ShowFullView);
  auto* effects = Button("effectwindowbutton", "Effect window", left, true);
  connect(effects, &QPushButton::clicked, this, &MainWindow::RunEffectWindow);
  connect(loadImage, &QPushButton::clicked, this, &MainWindow::LoadImage);
  connect(saveImage, &QPushButton::clicked, this, &MainWindow::SaveImage);
  connect(loadLogo, &QPushButton::clicked, this, &MainWindow::LoadLogo);
  loadedFileName_ = new QLabel(left);
  loadedFileName_->setObjectName("loadedfilename");
  lastConfiguration_ = new QLabel(left);
  lastConfiguration_->setObjectName("lastconfigfile");
  stepButtons_ = new SourceStepButtons(left);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {loadImage, saveImage, loadLogo, fullView, effects}) buttons->addWidget(button);
  buttons->addStretch(1);
  // The steps through the source list sit beside the name of the picture they change.
  auto* names = new QHBoxLayout;
  names->addWidget(new QLabel("Image:", left));
  names->addWidget(loadedFileName_, 1);
  names->addWidget(stepButtons_);
  names->addWidget(new QLabel("Last configuration file:", left));
  names->addWidget(lastConfiguration_);

  actionPanel_ = new ActionPanel(workspace_.settings().watermark, left);
  connect(actionPanel_, &ActionPanel::renderNow, this, &MainWindow::RenderNow);
  connect(actionPanel_, &ActionPanel::renderLater, this, &MainWindow::RequestRender);
  connect(actionPanel_, &ActionPanel::combinationChosen, this, &MainWindow::ChooseCombination);
  connect(actionPanel_, &ActionPanel::combineRequested, this, &MainWindow::RunCombinationDialog);

  settingsPages_ = new QTabWidget(left);
  settingsPages_->setObjectName("settingspages");
  logoPage_ = new LogoPage(workspace_, settingsPages_);
  colorPage_ = new ColorPage(workspace_.settings().watermark, prompter_, settingsPages_);
  textPage_ =
      new TextPage(workspace_.settings().watermark, workspace_.watermarkText(), prompter_, settingsPages_);
  settingsPages_->addTab(logoPage_, "&Logo");
  settingsPages_->addTab(colorPage_, "&Color");
  settingsPages_->addTab(textPage_, "&Text");
  resizePage_ = new ResizePage(workspace_.settings().resize, workspace_.settings().orientation, prompter_,
                               settingsPages_);
  settingsPages_->addTab(resizePage_, "&Resize");
  connect(resizePage_, &ResizePage::reloadRequested, this, [this] {
    batchPage_->ShowRotateBack();  // enabled only while a turning orientation is chosen
    ReloadSource();
  });
  connect(logoPage_, &LogoPage::renderNow, this, &MainWindow::RenderNow);
  connect(logoPage_, &LogoPage::renderLater, this, &MainWindow::RequestRender);
  connect(colorPage_, &ColorPage::renderNow, this, &MainWindow::RenderNow);
  connect(colorPage_, &ColorPage::renderLater, this, &MainWindow::RequestRender);
  connect(textPage_, &TextPage::renderNow, this, &MainWindow::RenderNow);
  connect(textPage_, &TextPage::renderLater, this, &MainWindow::RequestRender);
  connect(textPage_, &TextPage::loadTextRequested, this, [this] {
    if (workspace_.LoadTextCommand()) textPage_->ShowText();
  });
  connect(textPage_, &TextPage::saveTextRequested, this, [this] { workspace_.SaveTextCommand(); });
  // Bringing "Logo", "Color" or "Text" to front chooses that action.
  connect(settingsPages_, &QTabWidget::currentChanged, this, [this](int index) {
    if (index >= kLogoPage && index <= kTextPage)
      actionPanel_->ChooseAction(static_cast<WatermarkAction>(index));
  });

  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  leftLayout->addLayout(buttons);
  leftLayout->addLayout(names);
  leftLayout->addWidget(actionPanel_);
  leftLayout->addWidget(settingsPages_, 1);

  imagePages_ = new QTabWidget(page);
  imagePages_->setObjectName("imagepages");
  fullView_ = new ZoomView(imagePages_);
  fullView_->setObjectName("fullviewscroll");
  fullView_->view()->setObjectName("fullimage");
  individualPanel_ = new IndividualTextPanel(workspace_, imagePages_);
  connect(individualPanel_, &IndividualTextPanel::renderLater, this, &MainWindow::RequestRender);
  individualPanel_->previewView()->onResized = [this](QSize size) {
    workspace_.RefitPreview(size.width(), size.height());
    individualPanel_->ShowPreview();
  };
  imagePages_->addTab(fullView_, "Original watermarked image");
  imagePages_->addTab(individualPanel_, "Small preview/Individual text");

  // The controls scroll on their own, so a small screen keeps the picture beside them.
  auto* layout = new QHBoxLayout(page);
  layout->addWidget(new ControlSplitter(Scrolling(left, "controlsscroll", page), imagePages_, page));
  return page;
}

void MainWindow::ConnectMenus() {
  connect(menus_->loadConfiguration, &QAction::triggered, this, [this] {
    if (workspace_.LoadConfigurationCommand()) ShowSettings();
  });
  connect(menus_->saveConfiguration, &QAction::triggered, this,
          [this] { workspace_.SaveConfigurationCommand(); });
  connect(menus_->clearAllOptions, &QAction::triggered, this, &MainWindow::ClearAllOptions);
  connect(menus_->loadImage, &QAction::triggered, this, &MainWindow::LoadImage);
  connect(menus_->loadLogo, &QAction::triggered, this, &MainWindow::LoadLogo);
  connect(menus_->saveImage, &QAction::triggered, this, &MainWindow::SaveImage);
  connect(menus_->resizeImage, &QAction::triggered, this,
          [this] { settingsPages_->setCurrentIndex(kResizePage); });
  connect(menus_->quit, &QAction::triggered, this, &QWidget::close);
  connect(menus_->combineEffects, &QAction::triggered, this, &MainWindow::RunCombinationDialog);
  connect(menus_->logoArea, &QAction::toggled, logoPage_, &LogoPage::SetLogoAreaVisible);
  connect(menus_->convertImages, &QAction::triggered, this, &MainWindow::ConvertImages);
  connect(menus_->effectWindow, &QAction::triggered, this, &MainWindow::RunEffectWindow);
  ConnectDesktopCommands();
  ConnectZoom();
  menus_->onSourceHistoryEntry = [this](int index) {
    if (batchPage_->ChooseSourceHistoryEntry(index)) mainPages_->setCurrentWidget(batchScroll_);
  };
  menus_->onDestinationHistoryEntry = [this](int index) {
    if (batchPage_->ChooseDestinationHistoryEntry(index)) mainPages_->setCurrentWidget(batchScroll_);
  };
  const std::pair<QAction*, const char*> helpFiles[] = {
      {menus_->readme, kReadmeFileName},
      {menus_->changes, kChangesFileName},
      {menus_->quickHelp, kQuickHelpFileName},
      {menus_->license, kLicenseFileName},
  };
  for (const auto& [action, file] : helpFiles) {
    connect(action, &QAction::triggered, this, [this, file = file] { ShowHelp(file); });
  }
}

void MainWindow::ConnectTextTools() {
  textTools_ = new TextToolWindows(workspace_, prompter_, textPage_->insertion(),
                                   {[this] { RenderOnce(); }, [this] { RequestRender(); }}, this);
  connect(textTools_, &TextToolWindows::closed, this, [this] { textPage_->ShowSettings(); });
  connect(textPage_, &TextPage::toolsRequested, this,
          [this] { textTools_->OpenCommandWindow(std::nullopt); });
  connect(textPage_, &TextPage::bigEditorRequested, textTools_, &TextToolWindows::OpenBigEditor);
  const std::pair<QAction*, CommandWindow::Page> commandEntries[] = {
      {menus_->textCommands, CommandWindow::Page::kTextCommands},
      {menus_->specialCharacters, CommandWindow::Page::kSpecialCharacters},
      {menus_->threeDText, CommandWindow::Page::kThreeD},
  };
  for (const auto& [action, page] : commandEntries) {
    connect(action, &QAction::triggered, this, [this, page = page] {
      ShowTextAction();
      textTools_->OpenCommandWindow(page);
    });
  }
  connect(menus_->bigTextEditor, &QAction::triggered, this, [this] {
    ShowTextAction();
    textTools_->OpenBigEditor();
  });
}

void MainWindow::ShowTextAction() {
  settingsPages_->setCurrentIndex(kTextPage);
  actionPanel_->ChooseAction(WatermarkAction::kUseText);
  RenderOnce();
}

void MainWindow::RenderOnce() {
  if (debounce_.Pending()) {
    debounce_.Flush();
  } else {
    RenderNow();
  }
}

void MainWindow::ConnectBatchPage() {
  connect(batchPage_, &BatchPage::progressText, statusProgress_, &QLabel::setText);
  connect(batchPage_, &BatchPage::statusMessage, statusMessage_, &QLabel::setText);
  connect(batchPage_, &BatchPage::historiesChanged, this,
          [this] { menus_->ShowHistories(workspace_.sourceHistory(), workspace_.destinationHistory()); });
  connect(batchPage_, &BatchPage::listChanged, this,
          [this] { stepButtons_->SetListHasEntries(workspace_.sourceFiles().CanStep()); });
  connect(batchPage_, &BatchPage::currentImageChanged, this, [this](bool opened) {
    if (opened) mainPages_->setCurrentIndex(0);
    ShowSettings();
  });
  // While a run goes on the pages stay where they are and the menus rest.
  connect(batchPage_, &BatchPage::runningChanged, this, [this](bool running) {
    mainPages_->tabBar()->setEnabled(!running);
    menus_->SetBatchRunning(running);
  });
  connect(stepButtons_, &SourceStepButtons::stepRequested, this, [this](SourceStep step) {
    const FlowResult opened = StepSourceFile(workspace_, step);
    if (opened.cancelled()) return;
    if (opened.failed()) statusMessage_->setText(ToQString(opened.message()));
    ShowSettings();
  });
}

// The logo special window and the swaps between the logo and the picture.
void MainWindow::ConnectLogoTools() {
  logoSpecial_ = new LogoSpecialWindow(workspace_, this);
  connect(logoPage_, &LogoPage::specialWindowRequested, this, [this] {
    if (logoSpecial_->Run()) logoPage_->ShowLogo(workspace_.logoImage());
  });
  connect(menus_->useLogoAsImage, &QAction::triggered, this, [this] {
    if (!UseLogoAsImage(workspace_)) return;
    ShowSettings();
    ShowSourceLoaded(Status::Ok());
  });
  connect(menus_->useImageAsLogo, &QAction::triggered, this, [this] {
    if (UseMarkedImageAsLogo(workspace_)) logoPage_->ShowLogo(workspace_.logoImage());
  });
}

void MainWindow::ConnectDecorWindows() {
  decorWindows_ = new DecorWindows(workspace_, prompter_, this);
  connect(decorWindows_, &DecorWindows::renderLater, this, &MainWindow::RequestRender);
  // Closing the frame or texture window renders once more, taking in a pending render.
  connect(decorWindows_, &DecorWindows::closed, this, [this] {
    actionPanel_->ShowSettings();
    RenderOnce();
  });
  connect(decorWindows_, &DecorWindows::bannerCreated, this, [this] {
    ShowSettings();
    ShowSourceLoaded(Status::Ok());
  });
  connect(actionPanel_, &ActionPanel::frameRequested, decorWindows_, &DecorWindows::OpenFrameWindow);
  connect(actionPanel_, &ActionPanel::expandRequested, decorWindows_, &DecorWindows::OpenTextureWindow);
  connect(menus_->emptyBanner, &QAction::triggered, decorWindows_, &DecorWindows::OpenBannerWindow);
}

void MainWindow::ConvertImages() {
  if (!ConvertImagesCommand(workspace_, prompter_)) return;
  {
    const QSignalBlocker blocker(settingsPages_);
    settingsPages_->setCurrentIndex(kLogoPage);
  }
  mainPages_->setCurrentWidget(batchScroll_);
  ShowSettings();
}

void MainWindow::ShowSettings() {
  const WatermarkSettings& settings = workspace_.settings().watermark;
  actionPanel_->ShowSettings();
  actionPanel_->SetActionLabel(ToQString(kSelectorActionLabels[static_cast<int>(settings.combination)]));
  logoPage_->ShowSettings();
  logoPage_->ShowLogo(workspace_.logoImage());
  colorPage_->ShowSettings();
  textPage_->ShowSettings();
  resizePage_->ShowSettings();
  individualPanel_->ShowIndividualText();
  loadedFileName_->setText(ToQString(workspace_.currentFileName()));
  loadedFileName_->setToolTip(loadedFileName_->text());
  lastConfiguration_->setText(ToQString(workspace_.lastConfigurationName()));
  menus_->ShowHistories(workspace_.sourceHistory(), workspace_.destinationHistory());
  batchPage_->ShowSettings();
  stepButtons_->SetListHasEntries(workspace_.sourceFiles().CanStep());
}

void MainWindow::RenderNow() {
  workspace_.Render();
}

void MainWindow::OnRendered() {
  // A render asked for directly (an insert, a loaded picture) already shows every change
  // made so far; the debounced one would only render the same picture again.
  debounce_.Cancel();
  const RenderOutput& output = workspace_.lastRender();
  fullView_->SetImage(&output.marked);
  individualPanel_->ShowPreview();
  if (output.status) statusMessage_->setText(ToQString(*output.status));
  emit rendered();
}

void MainWindow::ActivateFirstTime() {
  if (!workspace_.FirstActivation()) return;
  ShowSettings();
  if (workspace_.firstRun()) ShowHelp(kChangesFileName);
}

void MainWindow::ShowHelp(const char* name) {
  if (help_ == nullptr) help_ = new HelpWindow(workspace_, this);
  help_->ShowFile(name);
}

void MainWindow::ChooseCombination(int index) {
  WatermarkSettings& settings = workspace_.settings().watermark;
  // The selector acts only while rendering is on; otherwise it keeps showing the current order.
  if (!workspace_.renderEnabled()) {
    actionPanel_->ShowCombination(static_cast<int>(settings.combination));
    return;
  }
  settings.combination = static_cast<CombinationOrder>(index);
  combinationDialog_->ShowIndex(index);
  actionPanel_->SetActionLabel(ToQString(kSelectorActionLabels[index]));
  RenderNow();
}

// The dialog renders once more after "OK", also when its index did not change.
void MainWindow::RunCombinationDialog() {
  WatermarkSettings& settings = workspace_.settings().watermark;
  const int index = combinationDialog_->Run(static_cast<int>(settings.combination));
  actionPanel_->SetActionLabel(ToQString(kDialogActionLabels[index]));
  settings.combination = static_cast<CombinationOrder>(index);
  actionPanel_->ShowCombination(index);
  RenderNow();
}

void MainWindow::ClearAllOptions() {
  if (!workspace_.ClearAllOptions()) return;
  {
    const QSignalBlocker blocker(settingsPages_);
    settingsPages_->setCurrentIndex(kLogoPage);
  }
  ShowSettings();
}

void MainWindow::LoadImage() {
  if (const FlowResult read = LoadImageCommand(workspace_); !read.cancelled()) ShowSourceLoaded(read);
}

void MainWindow::LoadLogo() {
  if (LoadLogoCommand(workspace_)) logoPage_->ShowLogo(workspace_.logoImage());
}

// A JPEG save may have set the batch page's JPEG options through the compression preview.
void MainWindow::SaveImage() {
  (void)SaveInteractive(workspace_);
  batchPage_->ShowSettings();
}

void MainWindow::ReloadSource() {
  if (const FlowResult read = ReloadSourceImage(workspace_); !read.cancelled()) ShowSourceLoaded(read);
}

// The file name label and the per-image text follow the new current file; a file that could
// not be read is named in the status bar.
void MainWindow::ShowSourceLoaded(const FlowResult& read) {
  loadedFileName_->setText(ToQString(workspace_.currentFileName()));
  loadedFileName_->setToolTip(loadedFileName_->text());
  individualPanel_->ShowIndividualText();
  if (read.failed()) statusMessage_->setText(ToQString(read.message()));
  emit sourceLoaded();
}

// The View menu zooms the full-size view, which it brings to the front; the status bar
// shows the zoom.
void MainWindow::ConnectZoom() {
  const auto zoomWith = [this](QAction* action, auto zoom) {
    connect(action, &QAction::triggered, this, [this, zoom] {
      imagePages_->setCurrentWidget(fullView_);
      zoom(*fullView_);
    });
  };
  zoomWith(menus_->zoomIn, [](ZoomView& view) { view.ZoomIn(); });
  zoomWith(menus_->zoomOut, [](ZoomView& view) { view.ZoomOut(); });
  zoomWith(menus_->fitToWindow, [](ZoomView& view) { view.FitToWindow(); });
  zoomWith(menus_->actualSize, [](ZoomView& view) { view.ShowActualSize(); });
  connect(fullView_, &ZoomView::zoomChanged, this, [this] {
    const QString percent = QStringLiteral("Zoom %1%").arg(std::lround(fullView_->zoom() * 100));
    statusZoom_->setText(fullView_->fitting() ? percent + QStringLiteral(" (fit)") : percent);
  });
}

// The clipboard, the wallpaper, the full view and the priority.
void MainWindow::ConnectDesktopCommands() {
  connect(menus_->fullView, &QAction::triggered, this, &MainWindow::ShowFullView);
  connect(menus_->imageFromClipboard, &QAction::triggered, this, [this] {
    if (!GetImageFromClipboard(workspace_, *clipboard_)) return;
    ShowSettings();
    ShowSourceLoaded(Status::Ok());
  });
  connect(menus_->imageToClipboard, &QAction::triggered, this,
          [this] { CopyImageToClipboard(workspace_, *clipboard_); });
  const std::pair<QAction*, WallpaperStyle> wallpapers[] = {
      {menus_->centeredWallpaper, WallpaperStyle::kCentered},
      {menus_->tiledWallpaper, WallpaperStyle::kTiled},
      {menus_->stretchedWallpaper, WallpaperStyle::kStretched},
  };
  for (const auto& [action, style] : wallpapers) {
    connect(action, &QAction::triggered, this,
            [this, style = style] { SetWallpaperCommand(workspace_, *wallpaper_, style); });
  }
  const std::pair<QAction*, ProcessPriority> priorities[] = {
      {menus_->idlePriority, ProcessPriority::kIdle},
      {menus_->normalPriority, ProcessPriority::kNormal},
      {menus_->highPriority, ProcessPriority::kHigh},
  };
  for (const auto& [action, priority] : priorities) {
    connect(action, &QAction::triggered, this, [this, priority = priority] {
      priorityNow_ = ChangePriorityCommand(workspace_, *priority_, priorityNow_, priority);
      // A refused change leaves the check mark on the priority in force.
      for (const auto& [entry, shown] : {std::pair{menus_->idlePriority, ProcessPriority::kIdle},
                                         std::pair{menus_->normalPriority, ProcessPriority::kNormal},
                                         std::pair{menus_->highPriority, ProcessPriority::kHigh}}) {
        if (shown == priorityNow_) entry->setChecked(true);
      }
    });
  }
}

void MainWindow::UseDesktopServices(ImageClipboard& clipboard, WallpaperService& wallpaper,
                                    PriorityControl& priority) {
  clipboard_ = &clipboard;
  wallpaper_ = &wallpaper;
  priority_ = &priority;
}

// The desktop's default program shows "temp2.bmp"; where it cannot, the window's own view.
void MainWindow::ShowFullView() {
  if (workspace_.watermarkedImage().Empty() || ShowFullViewCommand(workspace_)) return;
  if (fullScreen_ == nullptr) fullScreen_ = new FullScreenView(this);
  fullScreen_->Show(workspace_.watermarkedImage());
}

void MainWindow::RunEffectWindow() {
  effectWindow_->Run();
}

void MainWindow::SaveSessionState() {
  ReportUnsaved(workspace_.SaveState());
}

void MainWindow::QuitWithoutQuestion() {
  batchPage_->flow().Stop();
  ReportUnsaved(workspace_.QuitWithoutQuestion());
  // Open dialogs close too, so their loops end; the program ends when a run has wound up.
  QApplication::closeAllWindows();
  QCoreApplication::quit();
}

// No message box: the desktop is going away. The status bar and the terminal say it.
void MainWindow::ReportUnsaved(const FlowResult& saved) {
  if (!saved.failed()) return;
  statusMessage_->setText(ToQString(saved.message()));
  std::fprintf(stderr, "quillstone: %s\n", saved.message().c_str());
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A running batch is stopped first ("Stop batch"); its files stay whole either way.
  if (batchPage_->running()) {
    event->ignore();
    return;
  }
  if (workspace_.closing() || workspace_.Quit()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  // The window counts as activated when it is first shown: a desktop may not activate a
  // program started from a script, and the defaults must be read all the same.
  QTimer::singleShot(0, this, &MainWindow::ActivateFirstTime);
}

}  // namespace quillstone
