#include "ui/main_menus.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <tuple>

#include "batch/mru_files.h"
#include "ui/qt_text.h"

namespace quillstone {
namespace {

QAction* Entry(QMenu* menu, const char* name, const QString& caption, bool enabled = true,
               const QKeySequence& shortcut = {}) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  action->setEnabled(enabled);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  return action;
}

}  // namespace

MainMenus::MainMenus(QMenuBar* bar) : bar_(bar) {
  QMenu* file = bar->addMenu("&File");
  file->setObjectName("filemenu");
  loadImage = Entry(file, "menuloadimage", "Load image for watermarking [.jpg or .bmp]");
  loadLogo = Entry(file, "menuloadlogo", "Load your logo [.jpg or .bmp]");
  saveImage = Entry(file, "menusaveimage", "Save watermarked image [.jpg, .bmp, .tiff 6.0, .png, .wmf]", true,
                    QKeySequence(Qt::CTRL | Qt::Key_S));
  file->addSeparator();
  loadConfiguration = Entry(file, "menuloadconfiguration", "Load configuration file");
  saveConfiguration = Entry(file, "menusaveconfiguration", "Save configuration file");
  clearAllOptions = Entry(file, "menuclearalloptions", "Clear all options");
  file->addSeparator();
  fullView = Entry(file, "menufullview", "Show image as full view");
  file->addSeparator();
  quit = Entry(file, "menuquit", "Quit Quillstone", true, QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* special = bar->addMenu("&Special functions");
  special->setObjectName("specialmenu");
  QMenu* clipboard = special->addMenu("Clipboard");
  imageFromClipboard = Entry(clipboard, "menuclipboardget", "Get image from the clipboard [bitmap]", true,
                             QKeySequence(Qt::CTRL | Qt::Key_G));
  imageToClipboard = Entry(clipboard, "menuclipboardcopy", "Copy image to the clipboard [bitmap]", true,
                           QKeySequence(Qt::CTRL | Qt::Key_H));
  QMenu* wallpaper = special->addMenu("Wallpaper");
  centeredWallpaper = Entry(wallpaper, "menuwallpapercentered", "Set centered image as wallpager", true,
                            QKeySequence(Qt::CTRL | Qt::Key_D));
  tiledWallpaper = Entry(wallpaper, "menuwallpapertiled", "Set tiled image as wallpaper", true,
                         QKeySequence(Qt::CTRL | Qt::Key_E));
  stretchedWallpaper = Entry(wallpaper, "menuwallpaperstretched", "Set stretched as wallpapger", true,
                             QKeySequence(Qt::CTRL | Qt::Key_F));
  QMenu* banner = special->addMenu("Banner");
  emptyBanner = Entry(banner, "menubanner", "Get empty bitmap for banner creation", true,
                      QKeySequence(Qt::CTRL | Qt::Key_I));
  combineEffects =
      Entry(special, "menucombine", "Combine Watermarking effects", true, QKeySequence(Qt::CTRL | Qt::Key_J));
  resizeImage = Entry(special, "menuresize", "Resize image", true, QKeySequence(Qt::CTRL | Qt::Key_K));
  convertImages = Entry(special, "menuconvert", "Convert images", true, QKeySequence(Qt::CTRL | Qt::Key_L));
  effectWindow = Entry(special, "menueffectwindow", "&Effect window");
  logoArea = Entry(special, "menulogoarea", "Logoarea show/hide");
  logoArea->setCheckable(true);
  logoArea->setChecked(true);
  special->addSeparator();
  useLogoAsImage = Entry(special, "menuuselogo", "Use logo for watermarking");
  useImageAsLogo = Entry(special, "menuuseimageaslogo", "Use watermarked image as logo");
  special->addSeparator();
  QMenu* priority = special->addMenu("Systempriority");
  auto* priorities = new QActionGroup(priority);
  idlePriority = Entry(priority, "menuidlepriority", "IDLE systempriority for watermarking");
  normalPriority = Entry(priority, "menunormalpriority", "Normal systempriority for watermarking");
  highPriority = Entry(priority, "menuhighpriority", "High systempriority for watermarking");
  for (QAction* action : {idlePriority, normalPriority, highPriority}) {
    action->setCheckable(true);
    priorities->addAction(action);
  }
  normalPriority->setChecked(true);

  QMenu* text = bar->addMenu("Te&xt");
  text->setObjectName("textmenu");
  textCommands = Entry(text, "menutextcommands", "Text commands", true, QKeySequence(Qt::CTRL | Qt::Key_M));
  specialCharacters =
      Entry(text, "menuspecialcharacters", "Special characters", true, QKeySequence(Qt::CTRL | Qt::Key_N));
  threeDText = Entry(text, "menu3dtext", "3d text + shiny text", true, QKeySequence(Qt::CTRL | Qt::Key_O));
  bigTextEditor =
      Entry(text, "menubigtexteditor", "Big texteditor", true, QKeySequence(Qt::CTRL | Qt::Key_P));

  // The full-size view's zoom; the usual keys of a picture viewer, which no other entry uses.
  QMenu* view = bar->addMenu("&View");
  view->setObjectName("viewmenu");
  zoomIn = Entry(view, "menuzoomin", "Zoom in");
  zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  zoomOut = Entry(view, "menuzoomout", "Zoom out", true, QKeySequence::ZoomOut);
  fitToWindow = Entry(view, "menufittowindow", "Fit to window", true, QKeySequence(Qt::CTRL | Qt::Key_0));
  actualSize = Entry(view, "menuactualsize", "Actual size (100%)", true, QKeySequence(Qt::CTRL | Qt::Key_1));

  history_ = bar->addMenu("H&istory");
  history_->setObjectName("historymenu");
  sourceDirectories = Entry(history_, "menusourcedirectories", "Used sourcedirectories");
  destinationDirectories = Entry(history_, "menudestinationdirectories", "Used destinationdirectories");

  QMenu* help = bar->addMenu("&Help");
  help->setObjectName("helpmenu");
  readme = Entry(help, "menureadme", "Readme");
  changes = Entry(help, "menuchanges", "Changes");
  quickHelp = Entry(help, "menuquickhelp", "Quick help", true, QKeySequence(Qt::Key_F1));
  license = Entry(help, "menulicense", "License agreement");
}

// Each list's items follow its anchor, in list order.
void MainMenus::ShowHistories(const TMRUFiles& source, const TMRUFiles& destination) {
  for (QAction* entry : historyEntries_) {
    history_->removeAction(entry);
    entry->deleteLater();  // it may be the entry whose choice rebuilt the list
  }
  historyEntries_.clear();
  for (const auto& [anchor, list, chosen] :
       {std::tuple{sourceDirectories, &source, &onSourceHistoryEntry},
        std::tuple{destinationDirectories, &destination, &onDestinationHistoryEntry}}) {
    const QList<QAction*> actions = history_->actions();
    const qsizetype next = actions.indexOf(anchor) + 1;
    QAction* before = next < actions.size() ? actions[next] : nullptr;
    for (const MruMenuItem& item : list->MenuItems()) {
      auto* entry = new QAction(ToQString(item.caption), history_);
      entry->setSeparator(item.separator);
      entry->setToolTip(ToQString(item.hint));
      QObject::connect(entry, &QAction::triggered, [callback = chosen, index = item.index] {
        if (*callback) (*callback)(index);
      });
      history_->insertAction(before, entry);
      historyEntries_.append(entry);
    }
  }
}

void MainMenus::SetBatchRunning(bool running) {
  for (const char* name : {"filemenu", "specialmenu", "textmenu", "historymenu", "helpmenu"}) {
    if (QMenu* menu = bar_->findChild<QMenu*>(name)) {
      menu->setEnabled(!running);
      menu->menuAction()->setEnabled(!running);
    }
  }
}

}  // namespace quillstone
