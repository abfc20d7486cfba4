#include "batch/mark_file.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <new>
#include <optional>
#include <span>

#include "batch/block_keeping.h"
#include "batch/directory_text.h"
#include "imagefiles/decode_limits.h"
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
// unmarked) and writes it. With `reach` the source was scanned into buffers.keptBlocks and
// decoded only around the units the marks may change (`reach`), so it is written by copying
// its bits or not at all: when that cannot be done `copyRefused` is set and nothing is
// written.
MarkResult MarkRead(const MarkInput& input, const MarkFileRequest& request, SourceImageRead& read,
                    RandomSource& random, MarkBuffers& buffers, const Rect* reach = nullptr,
                    bool* copyRefused = nullptr) {
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
    if (reach != nullptr && !keeping.active) {
      *copyRefused = true;
      return result;
    }
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
    // Around the reach only its units' pixels were decoded, and only those are compared.
    std::optional<Rect> onlyWithin;
    if (reach != nullptr) onlyWithin = buffers.keptBlocks.blockLayout.UnitPixels(*reach);
    const RenderInput renderInput{buffers.original,
                                  input.logo,
                                  input.texture,
                                  settings.watermark,
                                  TextToMark(input, request, buffers, result),
                                  context,
                                  input.locale,
                                  request.previewWidth,
                                  request.previewHeight,
                                  input.logoAlpha,
                                  onlyWithin};
    if (Status rendered = RenderWatermark(renderInput, random, buffers.output); !rendered)
      return Failed(request.source.filename().string() + ": " + rendered.message());
    result.warnings.insert(result.warnings.end(), buffers.output.warnings.begin(),
                           buffers.output.warnings.end());
    toWrite = &buffers.output.marked;
    if (turnedBack) turnBack = loadTurn;
    metadata = MetadataForOutput(read.metadata, loadTurn, turnedBack);
  }

  const StorageFormat format = PrepareForWriting(*toWrite, buffers.scratch, request.save, turnBack);
  KeptBlocksCount keptCount;
  const JpegBlocksSource kept{
      .file = {reinterpret_cast<const std::uint8_t*>(keeping.file.data()), keeping.file.size()},
      .decoded = *decodedSource,
      .memory = &buffers.keptBlocks,
      .scanned = reach != nullptr,
      .changeable = reach != nullptr ? *reach : Rect{},
      .written = &keptCount};
  if (keeping.active) {
    UndoTurn(*decodedSource, turnBack, buffers.scratch);
    DropBlocksOfAnotherSize(keeping, *decodedSource, *toWrite);
  }
  if (!keeping.warning.empty()) result.warnings.push_back(keeping.warning);
  std::string metadataWarning;
  if (Status written = WriteOutputFile(*toWrite, format, request.save, request.output, &metadata,
                                       &metadataWarning, keeping.active ? &kept : nullptr);
      !written) {
    if (reach != nullptr && !keptCount.copiedBits) {
      *copyRefused = true;
      return {};
    }
    return Failed(written.message());
  }
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

// Marks a JPEG whose blocks are to be kept decoding only the units the marks may change
// (RenderReach) and a ring of units around them, whose outer pixels the units' own decode
// may get wrong: the source is scanned first, and written by copying its bits. None when that
// cannot be done (a macro, a text, a preview, a turn, settings that change more, a source
// whose bits cannot be copied, tables that cannot code the new blocks); the caller then
// marks the file the ordinary way, nothing having been written.
std::optional<MarkResult> MarkAroundReach(const MarkInput& input, const MarkFileRequest& request,
                                          RandomSource& random, MarkBuffers& buffers) {
  if (!AsksToKeepBlocks(request.save) || !input.macro.empty() || request.useIndividualText ||
      request.previewWidth > 0 || request.previewHeight > 0)
    return std::nullopt;
  SourceImageRead read;
  if (!ReadJpegSourceFile(request.source, read) ||
      !LoadTurn(input.settings.orientation.orientation, read.metadata.orientation).IsIdentity())
    return std::nullopt;
  KeptBlocksMemory& memory = buffers.keptBlocks;
  const std::span<const std::uint8_t> file(reinterpret_cast<const std::uint8_t*>(read.fileBytes.data()),
                                           read.fileBytes.size());
  if (!ScanJpegSource(file, memory)) return std::nullopt;
  const BlockLayout& layout = memory.blockLayout;
  if (std::int64_t{layout.width} * layout.height > kDecodeMaxPixels) return std::nullopt;
  buffers.original.Resize(layout.width, layout.height);
  const TextContext context;
  const std::optional<Rect> marks =
      RenderReach({buffers.original, input.logo, input.texture, input.settings.watermark, input.text, context,
                   input.locale, 0, 0, input.logoAlpha});
  if (!marks) return std::nullopt;
  const int unitWidth = layout.UnitWidth(), unitHeight = layout.UnitHeight();
  Rect reach{marks->left / unitWidth, marks->top / unitHeight, (marks->right + unitWidth - 1) / unitWidth,
             (marks->bottom + unitHeight - 1) / unitHeight};
  if (reach.left < reach.right && reach.top < reach.bottom) {
    const Rect ring{std::max(reach.left - 1, 0), std::max(reach.top - 1, 0),
                    std::min(reach.right + 1, layout.UnitsAcross()),
                    std::min(reach.bottom + 1, layout.UnitsDown())};
    if (!DecodeScannedUnits(file, memory, ring, buffers.original)) return std::nullopt;
  } else {
    reach = {};
  }
  bool copyRefused = false;
  MarkResult result = MarkRead(input, request, read, random, buffers, &reach, &copyRefused);
  if (copyRefused) return std::nullopt;
  return result;
}

MarkResult Mark(const MarkInput& input, const MarkFileRequest& request, RandomSource& random,
                MarkBuffers& buffers) {
  if (std::optional<MarkResult> marked = MarkAroundReach(input, request, random, buffers)) return *marked;
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
