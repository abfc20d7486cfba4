#include <QApplication>
#include <QScreen>

#include "config/user_directory.h"
#include "platform/desktop_file_opener.h"
#include "platform/program_directory.h"
#include "ui/main_window.h"
#include "ui/qt_prompter.h"
#include "workspace/workspace.h"

// The Quillstone window. It takes no arguments: the defaults come from the user directory,
// and the first screen shows the sample picture marked with the current settings.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quillstone");
  QApplication::setApplicationVersion(QUILLSTONE_VERSION);

  quillstone::QtPrompter prompter;
  quillstone::SystemDesktopFileOpener opener;
  quillstone::Workspace workspace(prompter, opener,
                                  {quillstone::ProgramDirectory(), quillstone::UserDirectory()});
  quillstone::MainWindow window(workspace, prompter);
  prompter.SetParent(&window);
  // The defaults are read once before the window shows, with rendering off; the first
  // activation reads the configuration again and renders.
  workspace.ReloadDefaults();
  window.ShowSettings();
  // Maximised where a window manager does it; otherwise (a bare X server) the window still
  // fills the screen.
  if (const QScreen* screen = window.screen()) window.setGeometry(screen->availableGeometry());
  window.showMaximized();
  return app.exec();
}
