#include <unistd.h>

#include <QGuiApplication>
#include <QtGlobal>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"

namespace {

std::atomic<bool> stopRequested{false};

// The first Ctrl+C, SIGTERM or SIGHUP lets the images in progress finish (so no temporary
// file is left behind), ends the run and reports it; a second one of the same kind ends the
// program at once.
extern "C" void OnInterrupt(int signal) {
  stopRequested.store(true);
  std::signal(signal, SIG_DFL);
}

// Qt's own notes go to standard error as usual, except the one about a missing runtime
// directory, which a headless run always meets and which says nothing about the images.
QtMessageHandler defaultHandler = nullptr;

void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
  if (defaultHandler != nullptr) defaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  // Text is drawn through QtGui, which needs an application object but no display.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::vector<std::string> arguments(argv + 1, argv + argc);
  defaultHandler = qInstallMessageHandler(FilterQtMessages);
  QGuiApplication application(argc, argv);

  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, OnInterrupt);
  const quillstone::CliStreams streams{std::cout, std::cerr, isatty(STDERR_FILENO) == 1, &stopRequested};
  return quillstone::RunCommandLine(arguments, streams);
}
