#pragma once

#include <filesystem>

#include "imagefiles/storage_format.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// Writes a Windows bitmap (BITMAPFILEHEADER, then the device-independent form of
// DibLayout) at the format's depth: 1, 4 or 8 bits with the format's palette, 24 or 32 bits.
// The file is replaced only when it was written completely (see AtomicFile).
Status WriteBmp(const RasterImage& image, const std::filesystem::path& path,
                const StorageFormat& format = {});

}  // namespace quillstone
