#pragma once

#include <filesystem>

#include "imagefiles/storage_format.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// Writes the image as an enhanced metafile (EMF), the form the "Wmf" output has always had
// despite its ".wmf" name: a metafile the size of the image in which the image is drawn
// once at (0, 0) at its own size. Three records, all sizes little-endian:
//   EMR_HEADER (108 bytes): bounds (0, 0)-(W - 1, H - 1) in pixels, frame the same area in
//     0.01 mm at 96 pixels per inch, signature " EMF", version 0x10000, total size, 3
//     records, 1 handle, no description or palette, a 1920 x 1440 pixel reference device of
//     508 x 381 mm (again 96 pixels per inch), no pixel format, the device in micrometres;
//   EMR_STRETCHDIBITS: destination (0, 0, W, H) from source (0, 0, W, H), SRCCOPY, RGB
//     colours, followed by the device-independent bitmap of DibLayout at the format's depth;
//   EMR_EOF (20 bytes): no palette.
// The file is replaced only when it was written completely (see AtomicFile).
Status WriteWmf(const RasterImage& image, const std::filesystem::path& path,
                const StorageFormat& format = {});

}  // namespace quillstone
