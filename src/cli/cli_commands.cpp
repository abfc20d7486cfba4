#include "cli/cli_commands.h"

#include <filesystem>
#include <fstream>
#include <istream>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "batch/batch_item.h"
#include "batch/batch_runner.h"
#include "batch/batch_start_check.h"
#include "batch/directory_text.h"
#include "batch/mark_file.h"
#include "batch/source_file_list.h"
#include "cli/cli_progress.h"
#include "cli/cli_watermark.h"
#include "decor/banner.h"
#include "imagefiles/output_name.h"
#include "imaging/ascii_case.h"
#include "platform/locale_info.h"
#include "platform/program_directory.h"

namespace quillstone {

namespace {

constexpr const char* kProgramName = "quillstone-cli: ";
constexpr std::string_view kOutputExtensions = " (use .bmp, .jpg, .tif, .wmf, .png or .webp)";

int UsageError(const CliStreams& streams, std::string_view reason) {
  streams.err << kProgramName << TerminalText(OneLineMessage(reason)) << "\n";
  return kExitUsageError;
}

// The names of a --files-from list: one per line (a CR before the LF ends the line too),
// or separated by zero bytes; empty entries are skipped.
Status ReadFileList(const CliOptions& options, const CliStreams& streams, std::vector<std::string>& names) {
  std::ifstream file;
  std::istream* list = streams.in;
  if (options.filesFrom != "-") {
    file.open(options.filesFrom, std::ios::binary);
    if (!file) return Status::Error("cannot read the list " + options.filesFrom);
    list = &file;
  } else if (!list) {
    return Status::Error("no standard input to read the list from");
  }
  const char separator = options.filesFromNull ? '\0' : '\n';
  for (std::string name; std::getline(*list, name, separator);) {
    if (!options.filesFromNull && !name.empty() && name.back() == '\r') name.pop_back();
    if (!name.empty()) names.push_back(std::move(name));
  }
  if (list->bad()) return Status::Error("cannot read the list " + options.filesFrom);
  return Status::Ok();
}

// The format an output file name asks for: the six extensions of the batch page, and
// ".jpeg", ".jpe" and ".tiff" as the formats they name.
std::optional<OutputFormat> RenderFormatFor(const std::string& output) {
  if (std::optional<OutputFormat> format = FormatFromExtension(output)) return format;
  const std::string extension = ToLowerAscii(std::filesystem::path(output).extension().string());
  if (extension == ".jpeg" || extension == ".jpe") return OutputFormat::kJpeg;
  if (extension == ".tiff") return OutputFormat::kTiff;
  return std::nullopt;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  const bool same = std::filesystem::equivalent(a, b, error);
  return !error && same;
}

int DefaultJobs() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(std::min<unsigned>(cores, kMaxCliJobs));
}

}  // namespace

int RunRenderCommand(const CliOptions& options, const CliStreams& streams) {
  const std::optional<OutputFormat> format = RenderFormatFor(options.output);
  if (!format) {
    return UsageError(streams,
                      "cannot tell the format of " + options.output + std::string(kOutputExtensions));
  }
  std::error_code error;
  if (!std::filesystem::exists(options.input, error)) {
    return UsageError(streams, "INPUT " + options.input + " does not exist");
  }
  if (SameFile(options.input, options.output)) {
    return UsageError(streams, "OUTPUT " + options.output + " is the input file; choose another name");
  }
  CliWatermark watermark;
  if (Status status = PrepareWatermark(options, watermark); !status)
    return UsageError(streams, status.message());

  MarkFileRequest request;
  request.source = options.input;
  request.output = options.output;
  request.save = options.save;
  request.save.format = *format;
  request.useIndividualText = options.individualText;
  const MarkInput input{watermark.settings, watermark.logo,  watermark.texture,  watermark.text,
                        SystemLocaleInfo(), watermark.macro, watermark.logoAlpha};
  // Seeded as the first image of a batch, so that both commands give the same file.
  RandomSource random = options.seed ? RandomSource(BatchItemSeed(*options.seed, 0)) : RandomSource();
  MarkBuffers buffers;
  const MarkResult result = MarkFile(input, request, random, buffers);
  if (result.outcome == MarkOutcome::kFailed) {
    streams.err << kProgramName << TerminalText(result.message) << "\n";
    return kExitSomeFailed;
  }
  for (const std::string& warning : result.warnings) {
    streams.err << "warning: " << TerminalText(options.input) << ": " << TerminalText(warning) << "\n";
  }
  return kExitAllWritten;
}

int RunBatchCommand(const CliOptions& options, const CliStreams& streams) {
  CliWatermark watermark;
  if (Status status = PrepareWatermark(options, watermark); !status)
    return UsageError(streams, status.message());

  BatchJob job;
  job.sourceDirectory = WithTrailingSlash(options.source);
  job.destinationDirectory = options.destination;
  job.prefix = options.prefix;
  job.save = options.save;
  job.useIndividualText = options.individualText;
  job.jobs = options.jobs > 0 ? options.jobs : DefaultJobs();
  job.randomSeed = options.seed;
  job.placeholderPath = ProgramDirectory() / kPlaceholderImageName;
  const Status listed = options.filesFrom.empty()
                            ? ListMatchingFiles(job.sourceDirectory, options.mask, job.names)
                            : ReadFileList(options, streams, job.names);
  if (!listed) return UsageError(streams, listed.message());
  if (Status status = CheckBatchStart(job); !status) return UsageError(streams, status.message());

  CliProgress progress(streams.err, streams.errIsTerminal, options.quiet);
  BatchObserver observer;
  observer.stop = streams.stop;
  observer.onProgress = [&progress](const BatchProgress& step) { progress.Show(step); };
  const MarkInput input{watermark.settings, watermark.logo,  watermark.texture,  watermark.text,
                        SystemLocaleInfo(), watermark.macro, watermark.logoAlpha};
  const BatchReport report = RunBatch(job, input, observer);
  progress.Finish();
  if (report.refusal) return UsageError(streams, *report.refusal);

  streams.err << BatchSummary(report) << "\n";
  streams.err.flush();
  const bool allMarked = report.failed == 0 && report.placeholders == 0 && !report.stopped;
  return allMarked ? kExitAllWritten : kExitSomeFailed;
}

int RunBannerCommand(const CliOptions& options, const CliStreams& streams) {
  const std::optional<OutputFormat> format = RenderFormatFor(options.output);
  if (!format) {
    return UsageError(streams,
                      "cannot tell the format of " + options.output + std::string(kOutputExtensions));
  }
  CliWatermark watermark;
  if (Status status = PrepareWatermark(options, watermark); !status)
    return UsageError(streams, status.message());
  BannerFields fields = watermark.settings.banner;
  if (options.bannerWidth > 0) fields.width = std::to_string(options.bannerWidth);
  if (options.bannerHeight > 0) fields.height = std::to_string(options.bannerHeight);
  RasterImage banner;
  if (Status status = CreateBanner(fields.width, fields.height, fields.background, banner); !status)
    return UsageError(streams, status.message());

  MarkFileRequest request;
  request.source = kBannerFileName;  // the name the window gives a new banner
  request.output = options.output;
  request.save = options.save;
  request.save.format = *format;
  const MarkInput input{watermark.settings, watermark.logo,     watermark.texture,
                        watermark.text,     SystemLocaleInfo(), {},
                        watermark.logoAlpha};
  RandomSource random = options.seed ? RandomSource(BatchItemSeed(*options.seed, 0)) : RandomSource();
  MarkBuffers buffers;
  const MarkResult result = MarkPicture(input, std::move(banner), request, random, buffers);
  if (result.outcome == MarkOutcome::kFailed) {
    streams.err << kProgramName << TerminalText(result.message) << "\n";
    return kExitSomeFailed;
  }
  for (const std::string& warning : result.warnings)
    streams.err << "warning: banner: " << TerminalText(warning) << "\n";
  return kExitAllWritten;
}

int RunCommandLine(std::span<const std::string> arguments, const CliStreams& streams) {
  // Nothing to do is a usage error, as for any command-line tool.
  if (arguments.empty()) {
    streams.err << CliHelpText();
    return kExitUsageError;
  }
  CliOptions options;
  if (Status status = ParseCommandLine(arguments, options); !status) {
    return UsageError(streams, status.message() + "; see quillstone-cli --help");
  }
  switch (options.command) {
    case CliCommand::kHelp:
      streams.out << CliHelpText();
      return kExitAllWritten;
    case CliCommand::kVersion:
      streams.out << "quillstone-cli " << QUILLSTONE_VERSION << "\n";
      return kExitAllWritten;
    case CliCommand::kSettings:
      streams.out << SettingsListing();
      return kExitAllWritten;
    case CliCommand::kRender:
      return RunRenderCommand(options, streams);
    case CliCommand::kBatch:
      return RunBatchCommand(options, streams);
    case CliCommand::kBanner:
      return RunBannerCommand(options, streams);
  }
  return kExitUsageError;
}

}  // namespace quillstone
