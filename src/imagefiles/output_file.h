#pragma once

#include <filesystem>

#include "imagefiles/save_options.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// Writes the image in the options' format (their JPEG and PNG choices apply to those
// formats only) at the depth of `format`. The file is replaced only when it was written
// completely; the error names the file and the reason.
Status WriteOutputFile(const RasterImage& image, const StorageFormat& format, const SaveOptions& options,
                       const std::filesystem::path& path);

}  // namespace quillstone
