#include "batch/mark_file.h"

#include <exception>
#include <new>

#include "batch/block_keeping.h"
#include "batch/directory_text.h"
#include "imagefiles/orientation.h"
#include "imagefiles/output_file.h"
#include "imagefiles/size_preset.h"
#include "pipeline/preview.h"
#include "text/individual_text.h"

namespace quillstone {

namespace {

MarkResult Failed(std::string message) {
  MarkResult result;
  result.outcome = MarkOutcome::kFailed;
  result.message = std::move(message);
  return result;
}

// The folder the text commands show: the source's, ending in '/'.
std::string FolderOf(const std::filesystem::path& source) {
  const std::filesystem::path parent = source.parent_path();
  return parent.empty() ? std::string("./") : WithTrailingSlash(parent.string());
}

// The text the file is marked with: the watermark text, or with individual texts the lines
// of the picture's side file. A side file that is there but cannot be read gives no text
// and a warning naming it.
const std::vector<std::string>& TextToMark(const MarkInput& input, const MarkFileRequest& request,
                                           MarkBuffers& buffers, MarkResult& result) {
  if (!request.useIndividualText) return input.text;
  const IndividualText individual = LoadIndividualTextForImage(request.source.string());
  if (individual.state == SideFileState::kUnreadable) {
    result.warnings.push_back("cannot read the per-image text " +
                              std::filesystem::path(individual.path).filename().string() + ": " +
                              individual.error + "; marked without text");
  }
  buffers.text.clear();
  ApplyIndividualText(individual, true, buffers.text);
  return buffers.text;
}

void MakePreview(const MarkFileRequest& request, const RasterImage& image, RasterImage& preview) {
  const ImageSize size =
      PreviewSizeFor(image.Width(), image.Height(), request.previewWidth, request.previewHeight);
  if (size.width <= 0 || size.height <= 0) {
    preview.Clear();
    return;
  }
  AreaAverageResize(image, size.width, size.height, preview);
}

// Renders the picture in buffers.original (the placeholder, when `read` says so, is written
// unmarked) and writes it.
MarkResult MarkRead(const MarkInput& input, const MarkFileRequest& request, SourceImageRead& read,
                    RandomSource& random, MarkBuffers& buffers) {
  MarkResult result;
  RasterImage* toWrite = &buffers.original;
  PictureTurn turnBack;
  ImageMetadata metadata;
  BlockKeeping keeping;
  RasterImage* decodedSource = &buffers.original;
  if (read.placeholder) {
    result.message = read.status.message();
    MakePreview(request, buffers.original, buffers.output.preview);
  } else {
    if (!read.damage.empty()) result.warnings.push_back(read.damage);
    const ProgramSettings& settings = input.settings;
    const PictureTurn loadTurn = LoadTurn(settings.orientation.orientation, read.metadata.orientation);
    const bool turnedBack = RotatesBackBeforeSaving(settings.orientation);
    keeping = PlanBlockKeeping(request.save, settings, request.source, read, loadTurn, turnedBack);
    // The source's pixels as decoded, to find the units the marks leave alone: the render
    // leaves the original as it is, a macro changes it in place.
    if (keeping.active && !input.macro.empty()) {
      buffers.decodedSource = buffers.original;
      decodedSource = &buffers.decodedSource;
    }
    ApplyEffectCalls(buffers.original, input.macro);
    const TextContext context{request.now ? *request.now : CurrentLocalDateTime(),
                              request.source.filename().string(), FolderOf(request.source),
                              read.metadata.camera};
    const RenderInput renderInput{buffers.original,
                                  input.logo,
                                  input.texture,
                                  settings.watermark,
                                  TextToMark(input, request, buffers, result),
                                  context,
                                  input.locale,
                                  request.previewWidth,
                                  request.previewHeight,
                                  input.logoAlpha};
    if (Status rendered = RenderWatermark(renderInput, random, buffers.output); !rendered)
      return Failed(request.source.filename().string() + ": " + rendered.message());
    result.warnings.insert(result.warnings.end(), buffers.output.warnings.begin(),
                           buffers.output.warnings.end());
    toWrite = &buffers.output.marked;
    if (turnedBack) turnBack = loadTurn;
    metadata = MetadataForOutput(read.metadata, loadTurn, turnedBack);
  }

  const StorageFormat format = PrepareForWriting(*toWrite, buffers.scratch, request.save, turnBack);
  const JpegBlocksSource kept{
      {reinterpret_cast<const std::uint8_t*>(keeping.file.data()), keeping.file.size()},
      *decodedSource,
      &buffers.keptBlocks};
  if (keeping.active) {
    UndoTurn(*decodedSource, turnBack, buffers.scratch);
    DropBlocksOfAnotherSize(keeping, *decodedSource, *toWrite);
  }
  if (!keeping.warning.empty()) result.warnings.push_back(keeping.warning);
  std::string metadataWarning;
  if (Status written = WriteOutputFile(*toWrite, format, request.save, request.output, &metadata,
                                       &metadataWarning, keeping.active ? &kept : nullptr);
      !written)
    return Failed(written.message());
  if (!metadataWarning.empty()) result.warnings.push_back(metadataWarning);
  result.written = request.output;
  if (read.placeholder) {
    result.outcome = MarkOutcome::kPlaceholder;
  } else if (!read.damage.empty()) {
    result.outcome = MarkOutcome::kDamaged;
  } else {
    result.outcome = result.warnings.empty() ? MarkOutcome::kWritten : MarkOutcome::kWarned;
  }
  return result;
}

MarkResult Mark(const MarkInput& input, const MarkFileRequest& request, RandomSource& random,
                MarkBuffers& buffers) {
  SourceImageRead read =
      ReadPictureToMark(request.source, request.placeholder, PlaceholderShape::kAsShipped, input.settings,
                        buffers.original, buffers.scratch, AsksToKeepBlocks(request.save));
  if (!read.status && !read.placeholder) return Failed(read.status.message());
  return MarkRead(input, request, read, random, buffers);
}

std::string OutOfMemory(const std::filesystem::path& source) {
  return "not enough memory to mark " + source.filename().string();
}

// Turns and resizes a picture as the settings ask. Throws nothing: a picture too large to
// turn or resize is emptied and the reason names `source`.
Status ShapePicture(const std::filesystem::path& source, const ProgramSettings& settings, int exifOrientation,
                    RasterImage& target, RasterImage& scratch) {
  try {
    ApplyTurn(target, LoadTurn(settings.orientation.orientation, exifOrientation), scratch);
    ApplySizePreset(target, settings.resize, scratch);
  } catch (const std::bad_alloc&) {
    target.Clear();
    return Status::Error(OutOfMemory(source));
  } catch (const std::exception& error) {
    target.Clear();
    return Status::Error(source.filename().string() + ": " + error.what());
  }
  return Status::Ok();
}

// Runs `mark`, turning any exception into a failure that names `source`.
template <typename Marking>
MarkResult Guarded(const std::filesystem::path& source, Marking&& mark) {
  try {
    return mark();
  } catch (const std::bad_alloc&) {
    return Failed(OutOfMemory(source));
  } catch (const std::exception& error) {
    return Failed(source.filename().string() + ": " + error.what());
  } catch (...) {
    return Failed(source.filename().string() + ": unexpected error");
  }
}

}  // namespace

SourceImageRead ReadPictureToMark(const std::filesystem::path& source,
                                  const std::filesystem::path& placeholder, PlaceholderShape shape,
                                  const ProgramSettings& settings, RasterImage& target, RasterImage& scratch,
                                  bool keepFileBytes) {
  SourceImageRead read =
      DecodeSourceImage(source, placeholder, target, {.metadata = true, .fileBytes = keepFileBytes});
  if (target.Empty() || (read.placeholder && shape == PlaceholderShape::kAsShipped)) return read;
  if (Status shaped = ShapePicture(source, settings, read.metadata.orientation, target, scratch); !shaped)
    read.status = shaped;
  return read;
}

MarkResult MarkFile(const MarkInput& input, const MarkFileRequest& request, RandomSource& random,
                    MarkBuffers& buffers) {
  return Guarded(request.source, [&] { return Mark(input, request, random, buffers); });
}

MarkResult MarkPicture(const MarkInput& input, RasterImage picture, const MarkFileRequest& request,
                       RandomSource& random, MarkBuffers& buffers) {
  return Guarded(request.source, [&] {
    buffers.original = std::move(picture);
    SourceImageRead read;
    read.status = ShapePicture(request.source, input.settings, 1, buffers.original, buffers.scratch);
    if (!read.status) return Failed(read.status.message());
    return MarkRead(input, request, read, random, buffers);
  });
}

}  // namespace quillstone
