#include "cli/cli_options.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "config/ascii_case.h"
#include "decor/banner.h"

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

struct OptionSpec {
  std::string_view name;
  bool takesValue;
  unsigned scope;
};

constexpr OptionSpec kOptions[] = {
    {"--source", true, kForBatch},
    {"--dest", true, kForBatch},
    {"--mask", true, kForBatch},
    {"--prefix", true, kForBatch},
    {"--format", true, kForBatch},
    {"--jobs", true, kForBatch},
    {"--width", true, kForBanner},
    {"--height", true, kForBanner},
    {"--quality", true, kForAll},
    {"--progressive", false, kForAll},
    {"--grayscale", false, kForAll},
    {"--png-filter", true, kForAll},
    {"--png-level", true, kForAll},
    {"--depth", true, kForBoth},
    {"--sepia", false, kForBoth},
    {"--rotate-back", false, kForBoth},
    {"--individual-text", false, kForBoth},
    {"--config", true, kForAll},
    {"--text", true, kForAll},
    {"--logo", true, kForAll},
    {"--texture", true, kForAll},
    {"--macro", true, kForBoth},
    {"--set", true, kForAll},
    {"--quiet", false, kForBoth},
    {"--seed", true, kForAll},
};

const OptionSpec* FindOption(std::string_view name) {
  for (const OptionSpec& spec : kOptions) {
    if (spec.name == name) return &spec;
  }
  return nullptr;
}

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

// Applies one option with its value (empty for a switch).
Status ApplyOption(std::string_view name, std::string_view value, CliOptions& options) {
  if (name == "--source") {
    options.source = value;
  } else if (name == "--dest") {
    options.destination = value;
  } else if (name == "--mask") {
    options.mask = value;
  } else if (name == "--prefix") {
    options.prefix = value;
  } else if (name == "--format") {
    const std::optional<OutputFormat> format = ParseFormat(value);
    if (!format) return BadValue(name, value, "bmp, jpg, tif, wmf or png");
    options.save.format = *format;
  } else if (name == "--jobs") {
    const std::optional<int> jobs = ParseInt(value, 1, kMaxCliJobs);
    if (!jobs) return BadValue(name, value, "a number of images from 1 to " + std::to_string(kMaxCliJobs));
    options.jobs = *jobs;
  } else if (name == "--width" || name == "--height") {
    const std::optional<int> side = ParseInt(value, kMinBannerSide, kMaxBannerSide);
    if (!side) {
      return BadValue(
          name, value,
          "pixels from " + std::to_string(kMinBannerSide) + " to " + std::to_string(kMaxBannerSide));
    }
    (name == "--width" ? options.bannerWidth : options.bannerHeight) = *side;
  } else if (name == "--quality") {
    const std::optional<int> quality = ParseInt(value, 1, 100);
    if (!quality) return BadValue(name, value, "1..100");
    options.save.jpeg.quality = *quality;
  } else if (name == "--progressive") {
    options.save.jpeg.progressive = true;
  } else if (name == "--grayscale") {
    options.save.jpeg.greyscale = true;
  } else if (name == "--png-filter") {
    const std::optional<PngFilter> filter = ParsePngFilter(value);
    if (!filter) return BadValue(name, value, "none, best, sub, up, average or paeth");
    options.save.png.filter = *filter;
  } else if (name == "--png-level") {
    const std::optional<int> level = ParseInt(value, 1, 9);
    if (!level) return BadValue(name, value, "1..9");
    options.save.png.level = *level;
  } else if (name == "--depth") {
    const std::optional<ColorDepth> depth = ParseDepth(value);
    if (!depth) return BadValue(name, value, "1, 4, 8, 24 or 32");
    options.save.colorDepth = *depth;
  } else if (name == "--sepia") {
    options.save.sepia = true;
  } else if (name == "--rotate-back") {
    options.rotateBack = true;
  } else if (name == "--individual-text") {
    options.individualText = true;
  } else if (name == "--config") {
    options.configFile = value;
  } else if (name == "--text") {
    options.textFile = value;
  } else if (name == "--logo") {
    options.logoFile = value;
  } else if (name == "--texture") {
    options.textureFile = value;
  } else if (name == "--macro") {
    options.macroFile = value;
  } else if (name == "--set") {
    const std::size_t equals = value.find('=');
    if (equals == std::string_view::npos || equals == 0) return BadValue(name, value, "NAME=VALUE");
    options.sets.emplace_back(std::string(value.substr(0, equals)), std::string(value.substr(equals + 1)));
  } else if (name == "--quiet") {
    options.quiet = true;
  } else if (name == "--seed") {
    std::uint64_t seed = 0;
    const char* end = value.data() + value.size();
    const auto [ptr, error] = std::from_chars(value.data(), end, seed);
    if (value.empty() || error != std::errc() || ptr != end) return BadValue(name, value, "a whole number");
    options.seed = seed;
  }
  return Status::Ok();
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
    if (spec->takesValue) {
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
    if (Status status = ApplyOption(name, value, options); !status) return status;
  }

  switch (options.command) {
    case CliCommand::kRender:
      if (positional.size() != 2) return Status::Error("render needs INPUT and OUTPUT");
      options.input = positional[0];
      options.output = positional[1];
      break;
    case CliCommand::kBanner:
      if (positional.size() != 1) return Status::Error("banner needs OUTPUT");
      options.output = positional[0];
      break;
    case CliCommand::kBatch:
      if (!positional.empty()) return Status::Error("unexpected argument \"" + positional[0] + "\"");
      if (options.source.empty()) return Status::Error("batch needs --source DIR");
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

std::string CliHelpText() {
  return R"(Usage:
  quillstone-cli render INPUT OUTPUT [options]
      Marks one image (BMP or JPEG) and writes it in the format of OUTPUT's extension:
      .bmp, .jpg (.jpeg), .tif (.tiff), .wmf or .png.
  quillstone-cli batch --source DIR --dest DIR [options]
      Marks every image of DIR that matches the mask and writes each into the destination
      as prefix + name, with the extension of the output format.
  quillstone-cli banner OUTPUT [--width W] [--height H] [options]
      Marks an empty bitmap of W x H pixels (1..2048 each) in the banner background
      colour, as the window's "Get empty bitmap for banner creation" does, and writes it
      like render. Without --width or --height the banner size of the configuration or
      of --set BANNERWIDTH=... and BANNERHEIGTH=... (470 x 60), and the colour of
      --set BACKGROUNDBANNER=...; text commands name the file bannertemp.bmp, as in the
      window. Takes the watermark options and --quality, --progressive, --grayscale and
      the PNG options.
  quillstone-cli settings
      Lists every setting name with its type, range, default and configuration key.
  quillstone-cli --help
  quillstone-cli --version

Watermark (render, batch and banner):
  --config FILE.ini     settings from a configuration file, and the watermark text from
                        its companion .txt file; without it the settings start at the
                        window's initial values
  --text FILE           the watermark text from FILE instead (one line per line)
  --logo FILE           the logo picture (BMP or JPEG); without it the logo named in the
                        configuration, if any
  --texture FILE        the margin texture picture
  --macro FILE.qstmac   an effect macro saved by the effect window: its commands run on
                        each picture after turning and resizing, before the marks
  --set NAME=VALUE      one setting by name (repeatable, applied after --config);
                        switches 1/0, on/off; colours decimal 0x00BBGGRR or #RRGGBB
  --individual-text     each image's side file (photo.jpg.txt) as its text; an image
                        without one gets no text
  --rotate-back         turn each marked image back to the alignment of its file
  --seed N              seed of the random colour noise: the same seed, the same files
                        (without it the clock chooses)
  --quiet               no progress display

Output:
  --quality 1..100      JPEG quality (80)
  --progressive         progressive JPEG
  --grayscale           greyscale JPEG
  --png-filter F        none, best, sub, up, average or paeth (none)
  --png-level 1..9      PNG compression level (1)
  --depth BITS          1, 4, 8, 24 or 32 bits per pixel (24)
  --sepia               sepia toning

Batch:
  --source DIR          folder of the source images
  --dest DIR            folder the marked images go to (must exist, not the source)
  --mask MASKS          file masks separated by ';' ("*.jpg;*.jpe")
  --prefix TEXT         file name prefix ("new_")
  --format F            bmp, jpg, tif, wmf or png (jpg)
  --jobs N              images marked at once (one per processor core); the files
                        written are the same for any N

Progress and warnings ("warning: FILE: REASON") go to standard error, ending with
"N written, P placeholders, D damaged, W with warnings, M failed" (parts that are zero left
out). Exit status: 0 when every image was marked and written, 1 when an image failed, an
unreadable one was written as the placeholder picture or the run was stopped, 2 for a
usage or set-up error.
)";
}

}  // namespace quillstone
