#pragma once

#include <QList>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;

namespace quillstone {

class TMRUFiles;

// The main window's menus, with every entry and its shortcut. Entries whose windows and
// commands come later are present but disabled; the window connects the others.
class MainMenus {
 public:
  explicit MainMenus(QMenuBar* bar);

  // "File"
  QAction* loadImage;
  QAction* loadLogo;
  QAction* saveImage;
  QAction* loadConfiguration;
  QAction* saveConfiguration;
  QAction* clearAllOptions;
  QAction* fullView;
  QAction* quit;
  // "Special functions"
  QAction* imageFromClipboard;
  QAction* imageToClipboard;
  QAction* centeredWallpaper;
  QAction* tiledWallpaper;
  QAction* stretchedWallpaper;
  QAction* emptyBanner;
  QAction* combineEffects;
  QAction* resizeImage;
  QAction* convertImages;
  QAction* effectWindow;
  QAction* logoArea;
  QAction* useLogoAsImage;
  QAction* useImageAsLogo;
  QAction* idlePriority;
  QAction* normalPriority;
  QAction* highPriority;
  // "Text"
  QAction* textCommands;
  QAction* specialCharacters;
  QAction* threeDText;
  QAction* bigTextEditor;
  // "View": the zoom of the full-size view
  QAction* zoomIn;
  QAction* zoomOut;
  QAction* fitToWindow;
  QAction* actualSize;
  // "History": the anchors below which each list shows its entries.
  QAction* sourceDirectories;
  QAction* destinationDirectories;
  // "Help"
  QAction* readme;
  QAction* changes;
  QAction* quickHelp;
  QAction* license;

  // Shows the entries of the two directory histories below their anchors; choosing one
  // calls the list's callback with the entry's index.
  void ShowHistories(const TMRUFiles& source, const TMRUFiles& destination);
  std::function<void(int)> onSourceHistoryEntry;
  std::function<void(int)> onDestinationHistoryEntry;

  // While a batch runs, the menus "File", "Special functions", "Text", "History" and "Help"
  // rest.
  void SetBatchRunning(bool running);

 private:
  QMenuBar* bar_;
  QMenu* history_;
  QList<QAction*> historyEntries_;
};

}  // namespace quillstone
