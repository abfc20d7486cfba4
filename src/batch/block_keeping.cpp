#include "batch/block_keeping.h"

#include "imagefiles/jpeg_block_keeper.h"

namespace quillstone {

namespace {

BlockKeeping KeptNoBlocks(const std::string& reason) {
  BlockKeeping plan;
  plan.warning = "Kept no JPEG blocks: " + reason;
  return plan;
}

// Why the settings forbid keeping the blocks of `source`; empty when they allow it.
std::string SettingsProblem(const SaveOptions& save, const ProgramSettings& settings,
                            const std::filesystem::path& source, PictureTurn loadTurn, bool turnedBack) {
  if (ImageFileKindFor(source) != ImageFileKind::kJpeg) return "the source is not a JPEG";
  if (settings.resize.preset != SizePreset::kOriginalSize) return "the picture was resized";
  if (!loadTurn.IsIdentity() && !turnedBack) return "the picture was turned";
  if (save.colorDepth != ColorDepth::kBits24) return "the colour depth changes";
  if (save.sepia) return "sepia tones the whole picture";
  return {};
}

// Why the source as it was read forbids it; empty when it allows it.
std::string ReadProblem(const SourceImageRead& read, bool greyOutput) {
  if (read.placeholder) return "the source is not a JPEG";
  if (!read.status) return "the source cannot be read: " + read.status.message();
  if (!read.damage.empty()) return "the source is damaged";
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(read.fileBytes.data());
  return JpegBlocksProblem({bytes, read.fileBytes.size()}, greyOutput);
}

}  // namespace

bool AsksToKeepBlocks(const SaveOptions& save) {
  return save.jpeg.keepUntouchedBlocks && save.format == OutputFormat::kJpeg;
}

BlockKeeping PlanBlockKeeping(const SaveOptions& save, const ProgramSettings& settings,
                              const std::filesystem::path& source, SourceImageRead& read,
                              PictureTurn loadTurn, bool turnedBack) {
  if (!AsksToKeepBlocks(save)) return {};
  std::string problem = SettingsProblem(save, settings, source, loadTurn, turnedBack);
  if (problem.empty()) problem = ReadProblem(read, save.jpeg.greyscale);
  if (!problem.empty()) return KeptNoBlocks(problem);
  BlockKeeping plan;
  plan.active = true;
  plan.file = std::move(read.fileBytes);
  return plan;
}

void DropBlocksOfAnotherSize(BlockKeeping& plan, const RasterImage& decoded, const RasterImage& toWrite) {
  if (!plan.active || (decoded.Width() == toWrite.Width() && decoded.Height() == toWrite.Height())) return;
  plan = KeptNoBlocks("a frame or margin changed the picture's size");
}

BlockKeeping PlanBlockKeepingForSave(const SaveOptions& save, const ProgramSettings& settings,
                                     const std::filesystem::path& source, PictureTurn loadTurn,
                                     bool turnedBack, const RasterImage& toWrite, RasterImage& decoded) {
  if (!AsksToKeepBlocks(save)) return {};
  if (std::string problem = SettingsProblem(save, settings, source, loadTurn, turnedBack); !problem.empty())
    return KeptNoBlocks(problem);
  SourceImageRead read = DecodeSourceImage(source, {}, decoded, {.fileBytes = true});
  BlockKeeping plan = PlanBlockKeeping(save, settings, source, read, loadTurn, turnedBack);
  DropBlocksOfAnotherSize(plan, decoded, toWrite);
  return plan;
}

}  // namespace quillstone
