#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "batch/batch_job.h"
#include "batch/file_mask.h"
#include "imagefiles/save_options.h"
#include "imaging/status.h"

namespace quillstone {

enum class CliCommand {
  kHelp,      // "--help", "help", or no command
  kVersion,   // "--version"
  kSettings,  // list every setting name
  kRender,    // mark one image
  kBatch,     // mark every matching image of a folder
  kBanner,    // mark an empty bitmap of a chosen size: a banner
};

// The command line of quillstone-cli, parsed but not yet acted on: no file is opened here.
struct CliOptions {
  CliCommand command = CliCommand::kHelp;
  // render
  std::string input;
  std::string output;  // also banner's
  // banner: the sides in pixels, 1..2048; 0 takes the banner size of the settings
  int bannerWidth = 0;
  int bannerHeight = 0;
  // batch
  std::string source;
  // A file listing the images instead of --source ("-": standard input), one path per
  // line, or separated by zero bytes with filesFromNull.
  std::string filesFrom;
  bool filesFromNull = false;
  bool maskGiven = false;  // --mask was given (it applies to --source only)
  std::string destination;
  std::string mask = kDefaultFileMask;
  std::string prefix = kDefaultBatchPrefix;
  int jobs = 0;  // images at once, 1..kMaxCliJobs; 0 means one per processor core
  // Output options; for render, save.format follows OUTPUT's extension instead.
  SaveOptions save;
  bool rotateBack = false;      // turn each image back to the alignment of its file
  bool individualText = false;  // the image's side file ("photo.jpg.txt") as its text
  // The watermark: a configuration (with its companion text unless textFile is given),
  // a text file, logo and texture pictures, then single settings in the order given.
  std::string configFile;
  std::string textFile;
  std::string logoFile;
  std::string textureFile;
  std::string macroFile;  // an effect macro (.qstmac) applied to every picture before marking
  std::vector<std::pair<std::string, std::string>> sets;  // NAME, VALUE
  bool quiet = false;                                     // no progress display
  // The seed of the random colour noise (the same seed gives the same files); none takes
  // one from the clock.
  std::optional<std::uint64_t> seed;
  friend bool operator==(const CliOptions&, const CliOptions&) = default;
};

inline constexpr int kMaxCliJobs = 256;

// Parses the arguments after the program name. Options take their value as the next
// argument or after '=' ("--quality 90", "--quality=90"). A usage error (unknown command
// or option, a missing or invalid value, an option the command does not take) comes back
// as an error of one line.
Status ParseCommandLine(std::span<const std::string> arguments, CliOptions& options);

// The text of "--help".
std::string CliHelpText();

// The long options ("--quality") every command taken together accepts, besides "--help"
// and "--version".
std::vector<std::string_view> CliOptionNames();

}  // namespace quillstone
