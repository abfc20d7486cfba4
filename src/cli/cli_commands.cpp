#include "cli/cli_commands.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "batch/batch_item.h"
#include "batch/batch_runner.h"
#include "batch/batch_start_check.h"
#include "batch/directory_text.h"
#include "batch/source_file_list.h"
#include "cli/cli_progress.h"
#include "cli/cli_watermark.h"
#include "config/ascii_case.h"
#include "imagefiles/color_depth.h"
#include "imagefiles/image_decoder.h"
#include "imagefiles/orientation.h"
#include "imagefiles/output_file.h"
#include "imagefiles/output_name.h"
#include "imagefiles/sepia.h"
#include "imagefiles/size_preset.h"
#include "pipeline/render_watermark.h"
#include "platform/date_time.h"
#include "text/individual_text.h"

namespace quillstone {

namespace {

constexpr const char* kProgramName = "quillstone-cli: ";

int UsageError(const CliStreams& streams, std::string_view reason) {
  streams.err << kProgramName << OneLineMessage(reason) << "\n";
  return kExitUsageError;
}

// The format an output file name asks for: the five extensions of the batch page, and
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

std::string DirectoryOf(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  return parent.empty() ? std::string("./") : WithTrailingSlash(parent.string());
}

int DefaultJobs() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(std::min<unsigned>(cores, kMaxCliJobs));
}

}  // namespace

int RunRenderCommand(const CliOptions& options, const CliStreams& streams) {
  const std::optional<OutputFormat> format = RenderFormatFor(options.output);
  if (!format) {
    return UsageError(
        streams, "cannot tell the format of " + options.output + " (use .bmp, .jpg, .tif, .wmf or .png)");
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

  RasterImage original;
  RasterImage scratch;
  if (Status status = DecodeImageFile(options.input, original); !status) {
    streams.err << kProgramName << status.message() << "\n";
    return kExitSomeFailed;
  }
  const ProgramSettings& settings = watermark.settings;
  ApplyOrientation(original, settings.orientation.orientation, scratch);
  ApplySizePreset(original, settings.resize, scratch);

  std::vector<std::string> individualLines;
  if (options.individualText) {
    ApplyIndividualText(LoadIndividualTextForImage(options.input), true, individualLines);
  }
  const TextContext context{CurrentLocalDateTime(), std::filesystem::path(options.input).filename().string(),
                            DirectoryOf(options.input)};
  const RenderInput input{original,
                          watermark.logo,
                          watermark.texture,
                          settings.watermark,
                          options.individualText ? individualLines : watermark.text,
                          context};
  // Seeded as the first image of a batch, so that both commands give the same file.
  RandomSource random = options.seed ? RandomSource(BatchItemSeed(*options.seed, 0)) : RandomSource();
  RenderOutput output;
  RenderWatermark(input, random, output);

  SaveOptions save = options.save;
  save.format = *format;
  RasterImage& marked = output.marked;
  StorageFormat storage = ReduceColorDepth(marked, save.colorDepth);
  if (RotatesBackBeforeSaving(settings.orientation))
    RotateBack(marked, settings.orientation.orientation, scratch);
  if (save.sepia) {
    SepiaTone(marked);
    SepiaTone(storage.palette);
  }
  if (Status status = WriteOutputFile(marked, storage, save, options.output); !status) {
    streams.err << kProgramName << status.message() << "\n";
    return kExitSomeFailed;
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
  if (Status status = ListMatchingFiles(job.sourceDirectory, options.mask, job.names); !status) {
    return UsageError(streams, status.message());
  }
  if (Status status = CheckBatchStart(job); !status) return UsageError(streams, status.message());

  CliProgress progress(streams.err, streams.errIsTerminal, options.quiet);
  BatchObserver observer;
  observer.stop = streams.stop;
  observer.onProgress = [&progress](const BatchProgress& step) { progress.Show(step); };
  const BatchInput input{watermark.settings, watermark.logo, watermark.texture, watermark.text};
  const BatchReport report = RunBatch(job, input, observer);
  progress.Finish();
  if (!report.refused) return UsageError(streams, report.refused.message());

  if (report.stopped) {
    streams.err << "stopped after " << report.started << " of " << report.items.size() << " images\n";
  }
  streams.err << BatchSummary(report) << "\n";
  streams.err.flush();
  return report.failed == 0 && !report.stopped ? kExitAllWritten : kExitSomeFailed;
}

int RunCommandLine(std::span<const std::string> arguments, const CliStreams& streams) {
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
  }
  return kExitUsageError;
}

}  // namespace quillstone
