#include <unistd.h>

#include <QGuiApplication>
#include <QtGlobal>
#include <atomic>
#include <csignal>
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
  std::vector<std::string> arguments(argv + 1, argv + argc);
  defaultHandler = qInstallMessageHandler(FilterQtMessages);
  // Text is drawn through QtGui, which needs an application object but no display. Qt gets
  // an argument list of its own, so that it acts on none of the user's ("-platform",
  // "-reverse" or a file named so): every argument is the command line's.
  char programName[] = "quillstone-cli";
  char platformOption[] = "-platform";
  char platformName[] = "offscreen";
  char* qtArguments[] = {programName, platformOption, platformName, nullptr};
  int qtArgumentCount = 3;
  QGuiApplication application(qtArgumentCount, qtArguments);

  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, OnInterrupt);
  const quillstone::CliStreams streams{std::cout, std::cerr, isatty(STDERR_FILENO) == 1, &stopRequested,
                                       &std::cin};
  return quillstone::RunCommandLine(arguments, streams);
}
