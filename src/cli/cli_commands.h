#pragma once

#include <atomic>
#include <ostream>
#include <span>
#include <string>

#include "cli/cli_options.h"

namespace quillstone {

// The exit status of quillstone-cli.
enum CliExitStatus : int {
  kExitAllWritten = 0,  // every image was written (also help and the settings listing)
  kExitSomeFailed = 1,  // an image failed or got the placeholder, or the run was stopped
  kExitUsageError = 2,  // bad command line or set-up (missing configuration, logo, folder)
};

// Where the command line writes and what stops a batch run (Ctrl+C, SIGTERM and SIGHUP set
// the flag).
struct CliStreams {
  std::ostream& out;                        // help and the settings listing
  std::ostream& err;                        // progress, problems, the summary
  bool errIsTerminal = false;               // draw a progress bar instead of lines
  const std::atomic<bool>* stop = nullptr;  // ends a batch run before its next image
  std::istream* in = nullptr;               // standard input, for "--files-from -"
};

// "render": MarkFile (decode, orientation, size preset, render, colour depth, turning back,
// sepia) into the format OUTPUT's extension names. OUTPUT may not be INPUT. A missing INPUT
// is a set-up error; one that cannot be decoded or marked, or a failed write, exits 1 with
// the reason. The warnings of a picture written all the same go to standard error as
// "warning: INPUT: REASON".
int RunRenderCommand(const CliOptions& options, const CliStreams& streams);

// "batch": the images of the source folder that match the mask, through RunBatch; the
// summary is the last line. Exits 1 when an image failed or got the placeholder, or the run
// was stopped.
int RunBatchCommand(const CliOptions& options, const CliStreams& streams);

// "banner": an empty bitmap of the options' size (else the settings' banner size) in the
// banner background colour, marked through MarkPicture as the window marks its new banner
// (turned and resized as a loaded picture is, rendered, prepared) and written in the format
// OUTPUT's extension names. A size the banner refuses is a usage error; a picture that
// cannot be marked or written exits 1 with the reason.
int RunBannerCommand(const CliOptions& options, const CliStreams& streams);

// Parses the arguments (after the program name) and runs the command; no arguments at all
// print the usage to standard error as a usage error. Needs a QGuiApplication for the fonts
// of the text stage.
int RunCommandLine(std::span<const std::string> arguments, const CliStreams& streams);

}  // namespace quillstone
