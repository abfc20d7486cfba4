#pragma once

#include <filesystem>
#include <string>

#include "config/program_settings.h"
#include "imagefiles/image_decoder.h"
#include "imagefiles/orientation_settings.h"
#include "imagefiles/save_options.h"

namespace quillstone {

// Whether a marked file is written on its source's JPEG blocks ("Keep untouched JPEG
// blocks"), decided before it is marked.
struct BlockKeeping {
  bool active = false;  // written on the source's blocks
  // When the option is on for a JPEG output but the blocks cannot be kept: the report's
  // sentence, "Kept no JPEG blocks: the picture was resized". Empty otherwise.
  std::string warning;
  std::string file;  // the source file's bytes, when active
};

// The blocks are kept when the option is on, the output and the source are JPEG, the
// source was read undamaged, nothing changes the geometry or the whole picture (no resize,
// no turn unless it is turned back, 24 bits, no sepia) and the stream allows it
// (JpegBlocksProblem; greyscale output only from a grey source). Reads the source file
// again for its blocks.
BlockKeeping PlanBlockKeeping(const SaveOptions& save, const ProgramSettings& settings,
                              const std::filesystem::path& source, const SourceImageRead& read,
                              PictureTurn loadTurn, bool turnedBack);

// The report's sentence for a picture whose size the marks changed (a frame or margin).
std::string KeptNoBlocksForSize();

}  // namespace quillstone
