#include "batch/batch_item.h"

#include <exception>
#include <unordered_map>

#include "imagefiles/batch_save.h"
#include "imagefiles/image_decoder.h"
#include "imagefiles/orientation.h"
#include "imagefiles/size_preset.h"
#include "imaging/random_source.h"
#include "pipeline/preview.h"
#include "text/individual_text.h"

namespace quillstone {

namespace {

void MakePreview(const BatchJob& job, const RasterImage& image, RasterImage& preview) {
  const PreviewSize size = PreviewSizeFor(image.Width(), image.Height(), job.previewWidth, job.previewHeight);
  if (size.width <= 0 || size.height <= 0) return;
  AreaAverageResize(image, size.width, size.height, preview);
}

void Fail(BatchItemResult& result, std::string message) {
  result.outcome = BatchItemOutcome::kFailed;
  result.message = std::move(message);
  result.preview = RasterImage();
}

// The text this item is marked with: the watermark text, or with individual texts the
// lines of the image's side file (none when it has no side file, so it gets no text).
const std::vector<std::string>& ItemText(const BatchItemContext& context, const std::string& imagePath,
                                         BatchItemBuffers& buffers) {
  if (!context.job.useIndividualText) return context.input.text;
  const IndividualText individual = LoadIndividualTextForImage(imagePath);
  buffers.text.clear();
  ApplyIndividualText(individual, true, buffers.text);
  return buffers.text;
}

void ProcessItem(const BatchItemContext& context, int index, BatchItemBuffers& buffers,
                 BatchItemResult& result) {
  const BatchJob& job = context.job;
  const std::string& name = result.name;
  const std::string imagePath = context.sourceDirectory + name;
  RenderOutput& output = buffers.output;

  if (const int earlier = context.sameOutputAs[static_cast<std::size_t>(index)]; earlier >= 0) {
    const std::string& other = job.names[static_cast<std::size_t>(earlier)];
    return Fail(result, name + " would be written under the same name as " + other +
                            " in this run; it is left out so that the file of " + other + " is kept");
  }

  // A file of no known kind is not read at all. An unreadable JPEG still gets a file: the placeholder
  // picture, unmarked.
  const SourceImageRead read = DecodeSourceImage(imagePath, context.placeholder, buffers.original);
  if (!read.status && !read.placeholder) return Fail(result, read.status.message());

  RasterImage* toWrite = &buffers.original;
  if (read.placeholder) {
    result.message = read.status.message();
    MakePreview(job, buffers.original, result.preview);
  } else {
    const ProgramSettings& settings = context.input.settings;
    ApplyOrientation(buffers.original, settings.orientation.orientation, buffers.scratch);
    ApplySizePreset(buffers.original, settings.resize, buffers.scratch);
    const TextContext textContext{job.now ? *job.now : CurrentLocalDateTime(), name, context.sourceDirectory};
    const RenderInput renderInput{buffers.original,
                                  context.input.logo,
                                  context.input.texture,
                                  settings.watermark,
                                  ItemText(context, imagePath, buffers),
                                  textContext,
                                  job.previewWidth,
                                  job.previewHeight};
    RandomSource random(BatchItemSeed(context.seed, index));
    RenderWatermark(renderInput, random, output);
    if (!output.preview.Empty()) result.preview = output.preview;
    toWrite = &output.marked;
  }

  std::filesystem::path written;
  const Orientation turnBack = read.placeholder ? Orientation::kUnrotated : context.turnBack;
  if (Status status = SaveBatchItem(*toWrite, buffers.scratch, job.save, turnBack, context.destination,
                                    context.prefix, name, &written);
      !status) {
    return Fail(result, status.message());
  }
  result.outputPath = written.string();
  result.outcome = read.placeholder ? BatchItemOutcome::kWrittenPlaceholder : BatchItemOutcome::kWritten;
}

}  // namespace

std::vector<int> FindSameOutputNames(const std::vector<std::string>& names, std::string_view prefix,
                                     OutputFormat format) {
  std::vector<int> sameAs(names.size(), -1);
  std::unordered_map<std::string, int> first;
  std::string output;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!OutputFileName(prefix, names[i], format, output)) continue;  // the item reports it
    const auto [found, inserted] = first.emplace(output, static_cast<int>(i));
    if (!inserted) sameAs[i] = found->second;
  }
  return sameAs;
}

std::uint64_t BatchItemSeed(std::uint64_t runSeed, int index) {
  return runSeed + 0x9E3779B97F4A7C15ull * (static_cast<std::uint64_t>(index) + 1);
}

BatchItemResult ProcessBatchItem(const BatchItemContext& context, int index, BatchItemBuffers& buffers) {
  BatchItemResult result;
  result.name = context.job.names[static_cast<std::size_t>(index)];
  try {
    ProcessItem(context, index, buffers, result);
  } catch (const std::exception& error) {
    Fail(result, result.name + ": " + error.what());
  } catch (...) {
    Fail(result, result.name + ": unexpected error");
  }
  return result;
}

}  // namespace quillstone
