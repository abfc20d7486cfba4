#include "batch/block_keeping.h"

#include "imagefiles/decode_limits.h"
#include "imagefiles/jpeg_block_keeper.h"
#include "platform/whole_file.h"

namespace quillstone {

namespace {

std::string KeptNoBlocks(const std::string& reason) {
  return "Kept no JPEG blocks: " + reason;
}

// Why the settings forbid keeping the blocks; empty when they allow it.
std::string SettingsProblem(const SaveOptions& save, const ProgramSettings& settings,
                            const std::filesystem::path& source, const SourceImageRead& read,
                            PictureTurn loadTurn, bool turnedBack) {
  if (ImageFileKindFor(source) != ImageFileKind::kJpeg || read.placeholder) return "the source is not a JPEG";
  if (!read.damage.empty()) return "the source is damaged";
  if (settings.resize.preset != SizePreset::kOriginalSize) return "the picture was resized";
  if (!loadTurn.IsIdentity() && !turnedBack) return "the picture was turned";
  if (save.colorDepth != ColorDepth::kBits24) return "the colour depth changes";
  if (save.sepia) return "sepia tones the whole picture";
  return {};
}

}  // namespace

BlockKeeping PlanBlockKeeping(const SaveOptions& save, const ProgramSettings& settings,
                              const std::filesystem::path& source, const SourceImageRead& read,
                              PictureTurn loadTurn, bool turnedBack) {
  BlockKeeping plan;
  if (!save.jpeg.keepUntouchedBlocks || save.format != OutputFormat::kJpeg) return plan;
  std::string problem = SettingsProblem(save, settings, source, read, loadTurn, turnedBack);
  if (problem.empty()) {
    if (const WholeFileRead file = ReadWholeFile(source, kMaxImageFileBytes, plan.file); !file.read())
      problem = "the source cannot be read again: " + file.reason;
  }
  if (problem.empty()) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(plan.file.data());
    problem = JpegBlocksProblem({bytes, plan.file.size()}, save.jpeg.greyscale);
  }
  if (!problem.empty()) {
    plan.file.clear();
    plan.warning = KeptNoBlocks(problem);
    return plan;
  }
  plan.active = true;
  return plan;
}

std::string KeptNoBlocksForSize() {
  return KeptNoBlocks("a frame or margin changed the picture's size");
}

}  // namespace quillstone
