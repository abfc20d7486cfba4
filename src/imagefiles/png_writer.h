#pragma once

#include <cstdint>
#include <filesystem>

#include "imagefiles/storage_format.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"
#include "platform/byte_sink.h"

namespace quillstone {

// The row filters a PNG may use, in the order of the "Filter:" list: one filter for every
// row, or kBest, which lets the encoder choose among all five per row.
enum class PngFilter : std::uint8_t { kNone, kBest, kSub, kUp, kAverage, kPaeth };

struct PngOptions {
  PngFilter filter = PngFilter::kNone;
  int level = 1;  // deflate compression level, 1 (quick) .. 9 (small)
  friend bool operator==(const PngOptions&, const PngOptions&) = default;
};

// Writes a non-interlaced PNG through libpng: 1, 4 and 8-bit formats as palette images of
// that bit depth with the format's palette, 24 and 32-bit ones as 8-bit RGB (the unused
// fourth byte of 32 bits is not stored). The file is replaced only when it was written
// completely (see AtomicFile); library errors come back as a Status.
Status WritePng(const RasterImage& image, const std::filesystem::path& path, const PngOptions& options = {},
                const StorageFormat& format = {});
// Encodes the same file into a sink; errors name `path`.
Status EncodePng(const RasterImage& image, ByteSink& sink, const std::filesystem::path& path,
                 const PngOptions& options, const StorageFormat& format);

}  // namespace quillstone
