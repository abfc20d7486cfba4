#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <cstdio>

#include "config/user_directory.h"
#include "platform/desktop_file_opener.h"
#include "platform/program_directory.h"
#include "platform/termination_signal.h"
#include "ui/main_window.h"
#include "ui/program_icon.h"
#include "ui/qt_prompter.h"
#include "workspace/source_loading.h"
#include "workspace/workspace.h"

namespace {

// The command line: an optional picture to open, --help and --version.
struct WindowArguments {
  QCommandLineParser parser;
  QCommandLineOption help = parser.addHelpOption();
  QCommandLineOption version = parser.addVersionOption();

  WindowArguments() {
    parser.setApplicationDescription(QStringLiteral("Stamps logos, texts and colour effects onto photos."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A picture to open (JPEG or BMP)."),
                                 QStringLiteral("[FILE]"));
  }
};

QStringList Arguments(int argc, char** argv) {
  QStringList list;
  for (int i = 0; i < argc; ++i) list << QString::fromLocal8Bit(argv[i]);
  return list;
}

}  // namespace

// The Quillstone window. The defaults come from the user directory; the first screen shows
// the picture named on the command line, or else the sample picture, marked with the
// current settings.
int main(int argc, char** argv) {
  QApplication::setApplicationName("Quillstone");
  QApplication::setApplicationVersion(QUILLSTONE_VERSION);
  // --help and --version answer before the application connects to a display, so they work
  // on a terminal without one. Qt's own options (-platform ...) are not known here yet.
  {
    WindowArguments early;
    (void)early.parser.parse(Arguments(argc, argv));
    if (early.parser.isSet(early.version)) {
      std::printf("quillstone %s\n", QUILLSTONE_VERSION);
      return 0;
    }
    if (early.parser.isSet(early.help)) {
      // Without an application object Qt cannot name the program in the usage line.
      const QString text = early.parser.helpText().replace(QStringLiteral("<executable_name>"), "quillstone");
      std::fputs(text.toLocal8Bit().constData(), stdout);
      return 0;
    }
  }
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral(QUILLSTONE_APP_ID));
  WindowArguments arguments;
  arguments.parser.process(app);
  const QStringList files = arguments.parser.positionalArguments();
  if (files.size() > 1) {
    std::fputs("quillstone: give at most one FILE; see quillstone --help\n", stderr);
    return 2;
  }

  const std::filesystem::path programDirectory = quillstone::ProgramDirectory();
  QApplication::setWindowIcon(quillstone::ProgramIcon(programDirectory));
  quillstone::QtPrompter prompter;
  quillstone::SystemDesktopFileOpener opener;
  quillstone::Workspace workspace(prompter, opener, {programDirectory, quillstone::UserDirectory()});
  quillstone::MainWindow window(workspace, prompter);
  prompter.SetParent(&window);
  // SIGTERM (a shutdown, kill) ends the program as quitting does, without the question; a
  // second one ends it at once.
  const quillstone::TerminationSignal termination([&window] { window.QuitWithoutQuestion(); });
  if (!termination.status()) std::fprintf(stderr, "quillstone: %s\n", termination.status().message().c_str());
  // The defaults are read once before the window shows, with rendering off; the first
  // activation reads the configuration again and renders.
  workspace.ReloadDefaults();
  if (!files.isEmpty()) {
    const quillstone::FlowResult loaded =
        quillstone::LoadStartFile(workspace, files.front().toLocal8Bit().toStdString());
    if (!loaded) std::fprintf(stderr, "quillstone: %s\n", loaded.message().c_str());
  }
  window.ShowSettings();
  // Maximised where a window manager does it; otherwise (a bare X server) the window still
  // fills the screen.
  if (const QScreen* screen = window.screen()) window.setGeometry(screen->availableGeometry());
  window.showMaximized();
  return app.exec();
}
