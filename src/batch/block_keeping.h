#pragma once

#include <filesystem>
#include <string>

#include "config/program_settings.h"
#include "imagefiles/image_decoder.h"
#include "imagefiles/orientation_settings.h"
#include "imagefiles/save_options.h"
#include "imaging/raster_image.h"

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

// Whether the save options ask for the blocks to be kept: the option is on and the output is
// JPEG. Only then does the source's file need to be kept when it is read.
bool AsksToKeepBlocks(const SaveOptions& save);

// The blocks are kept when AsksToKeepBlocks, the source is a JPEG that was read undamaged
// with its bytes (SourceReadWants::fileBytes), nothing changes the geometry or the whole
// picture (no resize, no turn unless it is turned back, 24 bits, no sepia) and the stream
// allows it (JpegBlocksProblem; greyscale output only from a grey source). The file's bytes
// move from `read` into the plan.
BlockKeeping PlanBlockKeeping(const SaveOptions& save, const ProgramSettings& settings,
                              const std::filesystem::path& source, SourceImageRead& read,
                              PictureTurn loadTurn, bool turnedBack);

// Gives the blocks up, with the report's sentence, when the marks changed the picture's size
// (a frame or margin): `decoded` is the source as its file holds it, `toWrite` the picture
// about to be written.
void DropBlocksOfAnotherSize(BlockKeeping& plan, const RasterImage& decoded, const RasterImage& toWrite);

// The window's save of a picture marked earlier from `source`: plans as PlanBlockKeeping, and
// when the settings allow it decodes the source again into `decoded` (the units are compared
// with the file whose blocks are copied, which may have changed since the picture was
// loaded), then drops the blocks when `toWrite` has another size.
BlockKeeping PlanBlockKeepingForSave(const SaveOptions& save, const ProgramSettings& settings,
                                     const std::filesystem::path& source, PictureTurn loadTurn,
                                     bool turnedBack, const RasterImage& toWrite, RasterImage& decoded);

}  // namespace quillstone
