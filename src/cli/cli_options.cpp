#include "cli/cli_options.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "decor/banner.h"
#include "imaging/ascii_case.h"

namespace quillstone {

namespace {

// Which commands take an option: the watermark and the file format's own options go to
// every command that marks; what changes the pixels after the render or reads per-image
// files only to render and batch.
enum Scope : unsigned {
  kForRender = 1,
  kForBatch = 2,
  kForBoth = kForRender | kForBatch,
  kForBanner = 4,
  kForAll = kForBoth | kForBanner,
};

std::optional<int> ParseInt(std::string_view text, int minimum, int maximum) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || ptr != end || value < minimum || value > maximum)
    return std::nullopt;
  return value;
}

Status BadValue(std::string_view option, std::string_view value, std::string_view accepted) {
  return Status::Error("invalid value \"" + std::string(value) + "\" for " + std::string(option) +
                       " (expected " + std::string(accepted) + ")");
}

std::optional<OutputFormat> ParseFormat(std::string_view text) {
  const std::string lower = ToLowerAscii(text);
  if (lower == "bmp") return OutputFormat::kBmp;
  if (lower == "jpg" || lower == "jpeg") return OutputFormat::kJpeg;
  if (lower == "tif" || lower == "tiff") return OutputFormat::kTiff;
  if (lower == "wmf") return OutputFormat::kWmf;
  if (lower == "png") return OutputFormat::kPng;
  if (lower == "webp") return OutputFormat::kWebp;
  return std::nullopt;
}

std::optional<PngFilter> ParsePngFilter(std::string_view text) {
  const std::string lower = ToLowerAscii(text);
  if (lower == "none") return PngFilter::kNone;
  if (lower == "best") return PngFilter::kBest;
  if (lower == "sub") return PngFilter::kSub;
  if (lower == "up") return PngFilter::kUp;
  if (lower == "average") return PngFilter::kAverage;
  if (lower == "paeth") return PngFilter::kPaeth;
  return std::nullopt;
}

std::optional<ColorDepth> ParseDepth(std::string_view text) {
  if (text == "1") return ColorDepth::kBits1;
  if (text == "4") return ColorDepth::kBits4;
  if (text == "8") return ColorDepth::kBits8;
  if (text == "24") return ColorDepth::kBits24;
  if (text == "32") return ColorDepth::kBits32;
  return std::nullopt;
}

// Applies an option with its name and value (empty for a switch).
using ApplyFunction = Status (*)(std::string_view name, std::string_view value, CliOptions& options);

template <std::string CliOptions::*kField>
Status SetText(std::string_view, std::string_view value, CliOptions& options) {
  options.*kField = value;
  return Status::Ok();
}

template <bool CliOptions::*kField>
Status SetSwitch(std::string_view, std::string_view, CliOptions& options) {
  options.*kField = true;
  return Status::Ok();
}

Status SetMask(std::string_view, std::string_view value, CliOptions& options) {
  options.mask = value;
  options.maskGiven = true;
  return Status::Ok();
}

Status SetFormat(std::string_view name, std::string_view value, CliOptions& options) {
  const std::optional<OutputFormat> format = ParseFormat(value);
  if (!format) return BadValue(name, value, "bmp, jpg, tif, wmf, png or webp");
  options.save.format = *format;
  return Status::Ok();
}

Status SetJobs(std::string_view name, std::string_view value, CliOptions& options) {
  const std::optional<int> jobs = ParseInt(value, 1, kMaxCliJobs);
  if (!jobs) return BadValue(name, value, "a number of images from 1 to " + std::to_string(kMaxCliJobs));
  options.jobs = *jobs;
  return Status::Ok();
}

template <int CliOptions::*kSide>
Status SetBannerSide(std::string_view name, std::string_view value, CliOptions& options) {
  const std::optional<int> side = ParseInt(value, kMinBannerSide, kMaxBannerSide);
  if (!side) {
    return BadValue(
        name, value,
        "pixels from " + std::to_string(kMinBannerSide) + " to " + std::to_string(kMaxBannerSide));
  }
  options.*kSide = *side;
  return Status::Ok();
}

Status SetQuality(std::string_view name, std::string_view value, CliOptions& options) {
  const std::optional<int> quality = ParseInt(value, 1, 100);
  if (!quality) return BadValue(name, value, "1..100");
  options.save.jpeg.quality = *quality;
  return Status::Ok();
}

Status SetProgressive(std::string_view, std::string_view, CliOptions& options) {
  options.save.jpeg.progressive = true;
  return Status::Ok();
}

Status SetGreyscale(std::string_view, std::string_view, CliOptions& options) {
  options.save.jpeg.greyscale = true;
  return Status::Ok();
}

Status SetWebpLossless(std::string_view, std::string_view, CliOptions& options) {
  options.save.webp.lossless = true;
  return Status::Ok();
}

Status SetPngFilter(std::string_view name, std::string_view value, CliOptions& options) {
  const std::optional<PngFilter> filter = ParsePngFilter(value);
  if (!filter) return BadValue(name, value, "none, best, sub, up, average or paeth");
  options.save.png.filter = *filter;
  return Status::Ok();
}

Status SetPngLevel(std::string_view name, std::string_view value, CliOptions& options) {
  const std::optional<int> level = ParseInt(value, 1, 9);
  if (!level) return BadValue(name, value, "1..9");
  options.save.png.level = *level;
  return Status::Ok();
}

Status SetDepth(std::string_view name, std::string_view value, CliOptions& options) {
  const std::optional<ColorDepth> depth = ParseDepth(value);
  if (!depth) return BadValue(name, value, "1, 4, 8, 24 or 32");
  options.save.colorDepth = *depth;
  return Status::Ok();
}

Status SetSepia(std::string_view, std::string_view, CliOptions& options) {
  options.save.sepia = true;
  return Status::Ok();
}

Status SetStripMetadata(std::string_view, std::string_view, CliOptions& options) {
  options.save.stripMetadata = true;
  return Status::Ok();
}

Status SetKeepJpegBlocks(std::string_view, std::string_view, CliOptions& options) {
  options.save.jpeg.keepUntouchedBlocks = true;
  return Status::Ok();
}

Status AddSet(std::string_view name, std::string_view value, CliOptions& options) {
  const std::size_t equals = value.find('=');
  if (equals == std::string_view::npos || equals == 0) return BadValue(name, value, "NAME=VALUE");
  options.sets.emplace_back(std::string(value.substr(0, equals)), std::string(value.substr(equals + 1)));
  return Status::Ok();
}

Status SetSeed(std::string_view name, std::string_view value, CliOptions& options) {
  std::uint64_t seed = 0;
  const char* end = value.data() + value.size();
  const auto [ptr, error] = std::from_chars(value.data(), end, seed);
  if (value.empty() || error != std::errc() || ptr != end) return BadValue(name, value, "a whole number");
  options.seed = seed;
  return Status::Ok();
}

// Every option of the command line: the parser, the help text and the documentation's
// test read this table and nothing else.
struct OptionSpec {
  std::string_view name;
  std::string_view valueName;  // the value's name in the help; empty for a switch, which takes none
  unsigned scope;
  std::string_view help;  // lines broken with '\n'
  ApplyFunction apply;
};

// clang-format off
constexpr OptionSpec kOptions[] = {
    {"--config", "FILE.ini", kForAll,
     "settings from a configuration file, and the watermark text from\n"
     "its companion .txt file; without it the settings start at the\n"
     "window's initial values",
     SetText<&CliOptions::configFile>},
    {"--text", "FILE", kForAll, "the watermark text from FILE instead (one line per line)",
     SetText<&CliOptions::textFile>},
    {"--logo", "FILE", kForAll,
     "the logo picture (BMP, JPEG, PNG, TIFF or WebP); without it the\n"
     "logo named in the configuration, if any",
     SetText<&CliOptions::logoFile>},
    {"--texture", "FILE", kForAll, "the margin texture picture", SetText<&CliOptions::textureFile>},
    {"--set", "NAME=VALUE", kForAll,
     "one setting by name (repeatable, applied after --config);\n"
     "switches 1/0, on/off; colours decimal 0x00BBGGRR or #RRGGBB",
     AddSet},
    {"--seed", "N", kForAll,
     "seed of the random colour noise: the same seed, the same files\n"
     "(without it the clock chooses)",
     SetSeed},
    {"--quality", "1..100", kForAll, "JPEG and lossy WebP quality (80)", SetQuality},
    {"--progressive", "", kForAll, "progressive JPEG", SetProgressive},
    {"--grayscale", "", kForAll, "greyscale JPEG", SetGreyscale},
    {"--png-filter", "F", kForAll, "none, best, sub, up, average or paeth (none)", SetPngFilter},
    {"--png-level", "1..9", kForAll, "PNG compression level (1)", SetPngLevel},
    {"--webp-lossless", "", kForAll, "lossless WebP (every pixel kept) instead of lossy", SetWebpLossless},

    {"--macro", "FILE.qstmac", kForBoth,
     "an effect macro saved by the effect window: its commands run on\n"
     "each picture after turning and resizing, before the marks",
     SetText<&CliOptions::macroFile>},
    {"--individual-text", "", kForBoth,
     "each image's side file (photo.jpg.txt) as its text; an image\n"
     "without one gets no text",
     SetSwitch<&CliOptions::individualText>},
    {"--rotate-back", "", kForBoth, "turn each marked image back to the alignment of its file",
     SetSwitch<&CliOptions::rotateBack>},
    {"--depth", "BITS", kForBoth, "1, 4, 8, 24 or 32 bits per pixel (24)", SetDepth},
    {"--sepia", "", kForBoth, "sepia toning", SetSepia},
    {"--strip-metadata", "", kForBoth,
     "write none of the source's EXIF, XMP, IPTC and colour profile\n"
     "(JPEG, PNG, TIFF and WebP files keep them otherwise)",
     SetStripMetadata},
    {"--keep-jpeg-blocks", "", kForBoth,
     "a JPEG photo written as JPEG keeps every block the marks leave\n"
     "alone and its own quality; refused (and said why) when resizing,\n"
     "turning, depth, sepia, greyscale or a frame changes the picture",
     SetKeepJpegBlocks},
    {"--quiet", "", kForBoth, "no progress display", SetSwitch<&CliOptions::quiet>},

    {"--source", "DIR", kForBatch, "folder of the source images", SetText<&CliOptions::source>},
    {"--files-from", "LIST", kForBatch,
     "instead of --source: the images named in the file LIST (\"-\": standard\n"
     "input), one path per line; each is written into --dest under its\n"
     "own file name, without its folder",
     SetText<&CliOptions::filesFrom>},
    {"--null", "", kForBatch, "the names of --files-from are separated by zero bytes, not lines",
     SetSwitch<&CliOptions::filesFromNull>},
    {"--dest", "DIR", kForBatch, "folder the marked images go to (must exist, not the source)",
     SetText<&CliOptions::destination>},
    {"--mask", "MASKS", kForBatch, "file masks separated by ';' (\"*.jpg;*.jpe\")", SetMask},
    {"--prefix", "TEXT", kForBatch, "file name prefix (\"new_\")", SetText<&CliOptions::prefix>},
    {"--format", "F", kForBatch, "bmp, jpg, tif, wmf, png or webp (jpg)", SetFormat},
    {"--jobs", "N", kForBatch,
     "images marked at once (one per processor core); the files\n"
     "written are the same for any N",
     SetJobs},

    {"--width", "W", kForBanner, "the banner's width in pixels, 1..2048", SetBannerSide<&CliOptions::bannerWidth>},
    {"--height", "H", kForBanner, "the banner's height in pixels, 1..2048", SetBannerSide<&CliOptions::bannerHeight>},
};
// clang-format on

// The help's heading over the options of each scope, in the order the help shows them.
constexpr std::pair<unsigned, std::string_view> kScopeHeadings[] = {
    {kForAll, "Options of render, batch and banner:"},
    {kForBoth, "Options of render and batch:"},
    {kForBatch, "Options of batch:"},
    {kForBanner, "Options of banner:"},
};

const OptionSpec* FindOption(std::string_view name) {
  for (const OptionSpec& spec : kOptions) {
    if (spec.name == name) return &spec;
  }
  return nullptr;
}

// The options of one scope as the help lists them: the name and value in a column of
// their own, the description beside it.
void AppendOptionHelp(unsigned scope, std::string& text) {
  constexpr std::size_t kDescriptionColumn = 24;
  for (const OptionSpec& spec : kOptions) {
    if (spec.scope != scope) continue;
    std::string line = "  " + std::string(spec.name);
    if (!spec.valueName.empty()) line += " " + std::string(spec.valueName);
    line.append(line.size() + 2 > kDescriptionColumn ? 2 : kDescriptionColumn - line.size(), ' ');
    std::string_view help = spec.help;
    for (std::size_t end = help.find('\n'); end != std::string_view::npos; end = help.find('\n')) {
      text += line;
      text += help.substr(0, end);
      text += '\n';
      line.assign(kDescriptionColumn, ' ');
      help.remove_prefix(end + 1);
    }
    text += line;
    text += help;
    text += '\n';
  }
}

std::string_view CommandName(CliCommand command) {
  switch (command) {
    case CliCommand::kRender:
      return "render";
    case CliCommand::kBanner:
      return "banner";
    default:
      break;
  }
  return "batch";
}

}  // namespace

Status ParseCommandLine(std::span<const std::string> arguments, CliOptions& options) {
  options = CliOptions();
  if (arguments.empty()) return Status::Ok();
  const std::string& command = arguments[0];
  if (command == "--help" || command == "-h" || command == "help") {
    options.command = CliCommand::kHelp;
    return Status::Ok();
  }
  if (command == "--version") {
    options.command = CliCommand::kVersion;
    return arguments.size() == 1 ? Status::Ok() : Status::Error("--version takes no arguments");
  }
  unsigned scope = 0;
  if (command == "render") {
    options.command = CliCommand::kRender;
    scope = kForRender;
  } else if (command == "batch") {
    options.command = CliCommand::kBatch;
    scope = kForBatch;
  } else if (command == "banner") {
    options.command = CliCommand::kBanner;
    scope = kForBanner;
  } else if (command == "settings") {
    options.command = CliCommand::kSettings;
  } else {
    return Status::Error("unknown command \"" + command +
                         "\" (expected render, batch, banner, settings or --help)");
  }

  std::vector<std::string> positional;
  bool optionsEnded = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      positional.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      options = CliOptions();
      return Status::Ok();
    }
    const std::size_t equals = argument.find('=');
    const std::string_view name = std::string_view(argument).substr(0, equals);
    const OptionSpec* spec = FindOption(name);
    if (spec == nullptr) return Status::Error("unknown option " + std::string(name));
    if ((spec->scope & scope) == 0) {
      if (options.command == CliCommand::kSettings) return Status::Error("settings takes no options");
      return Status::Error(std::string(name) + " is not an option of " +
                           std::string(CommandName(options.command)));
    }
    std::string_view value;
    if (!spec->valueName.empty()) {
      if (equals != std::string::npos) {
        value = std::string_view(argument).substr(equals + 1);
      } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
      } else {
        return Status::Error(std::string(name) + " needs a value");
      }
    } else if (equals != std::string::npos) {
      return Status::Error(std::string(name) + " takes no value");
    }
    if (Status status = spec->apply(name, value, options); !status) return status;
  }

  // An empty name names no file: it counts as missing.
  const bool emptyName = std::ranges::find(positional, std::string()) != positional.end();
  switch (options.command) {
    case CliCommand::kRender:
      if (positional.size() != 2 || emptyName) return Status::Error("render needs INPUT and OUTPUT");
      options.input = positional[0];
      options.output = positional[1];
      break;
    case CliCommand::kBanner:
      if (positional.size() != 1 || emptyName) return Status::Error("banner needs OUTPUT");
      options.output = positional[0];
      break;
    case CliCommand::kBatch:
      if (!positional.empty()) return Status::Error("unexpected argument \"" + positional[0] + "\"");
      if (!options.source.empty() && !options.filesFrom.empty())
        return Status::Error("batch takes --source DIR or --files-from LIST, not both");
      if (options.source.empty() && options.filesFrom.empty())
        return Status::Error("batch needs --source DIR or --files-from LIST");
      if (!options.filesFrom.empty() && options.maskGiven)
        return Status::Error("--mask selects from --source DIR; --files-from LIST names the images itself");
      if (options.filesFromNull && options.filesFrom.empty())
        return Status::Error("--null needs --files-from LIST");
      if (options.destination.empty()) return Status::Error("batch needs --dest DIR");
      break;
    case CliCommand::kSettings:
      if (!positional.empty()) return Status::Error("settings takes no arguments");
      break;
    case CliCommand::kHelp:
    case CliCommand::kVersion:
      break;
  }
  return Status::Ok();
}

std::vector<std::string_view> CliOptionNames() {
  std::vector<std::string_view> names;
  for (const OptionSpec& spec : kOptions) names.push_back(spec.name);
  return names;
}

std::string CliHelpText() {
  std::string text = R"(Usage:
  quillstone-cli render INPUT OUTPUT [options]
      Marks one image (BMP, JPEG, PNG, TIFF or WebP) and writes it in the format of OUTPUT's extension:
      .bmp, .jpg (.jpeg), .tif (.tiff), .wmf, .png or .webp.
  quillstone-cli batch --source DIR --dest DIR [options]
  quillstone-cli batch --files-from LIST --dest DIR [options]
      Marks every image of DIR that matches the mask, or every image LIST names, and
      writes each into the destination as prefix + name, with the extension of the output
      format.
  quillstone-cli banner OUTPUT [--width W] [--height H] [options]
      Marks an empty bitmap of W x H pixels in the banner background colour, as the
      window's "Get empty bitmap for banner creation" does, and writes it like render.
      Without --width or --height the banner size of the configuration or of
      --set BANNERWIDTH=... and BANNERHEIGTH=... (470 x 60), and the colour of
      --set BACKGROUNDBANNER=...; text commands name the file bannertemp.bmp, as in the
      window.
  quillstone-cli settings
      Lists every setting name with its type, range, default and configuration key.
  quillstone-cli --help
  quillstone-cli --version

An option's value follows it ("--quality 90") or an '=' ("--quality=90"); after "--"
every argument is a file name, also one that starts with '-'.
)";
  for (const auto& [scope, heading] : kScopeHeadings) {
    text += '\n';
    text += heading;
    text += '\n';
    AppendOptionHelp(scope, text);
  }
  text += R"(
Progress and warnings ("warning: FILE: REASON") go to standard error, ending with
"N written, P placeholders, D damaged, W with warnings, M failed" (parts that are zero left
out); control characters in file names are shown as \xHH. Exit status: 0 when every image
was marked and written, 1 when an image failed, an unreadable one was written as the
placeholder picture or the run was stopped, 2 for a usage or set-up error.
)";
  return text;
}

}  // namespace quillstone
