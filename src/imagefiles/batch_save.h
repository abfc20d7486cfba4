#pragma once

#include <filesystem>
#include <string_view>

#include "imagefiles/orientation_settings.h"
#include "imagefiles/save_options.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// Saves one marked image of a batch run, after its render:
//   1. the output name is built and checked (prefix + source name with the format's
//      extension, see OutputFileName); a bad prefix ends here with nothing changed;
//   2. the image is reduced to the options' colour depth;
//   3. when `turnBack` is a rotating orientation, the image is turned back to the alignment
//      of its file (RotateBack; the caller passes Orientation::kUnrotated when the item was
//      not read or "Rotate image back to original alignment" does not apply);
//   4. with sepia, the image is toned, and so is its palette at 1, 4 and 8 bits;
//   5. the file is written in the options' format at that depth, replacing a file of the
//      same name only when it was written completely.
// `marked` holds the reduced, turned and toned image afterwards; `scratch` is a work buffer
// for the turn. On success `writtenPath` (when given) receives the file's path.
Status SaveBatchItem(RasterImage& marked, RasterImage& scratch, const SaveOptions& options,
                     Orientation turnBack, const std::filesystem::path& destinationDirectory,
                     std::string_view prefix, std::string_view sourceFileName,
                     std::filesystem::path* writtenPath = nullptr);

}  // namespace quillstone
