#pragma once

#include <filesystem>

#include "imaging/raster_image.h"
#include "imaging/status.h"
#include "platform/byte_sink.h"

namespace quillstone {

// Encoder choices of a WebP file besides its quality, which is the JPEG quality setting's.
struct WebpOptions {
  bool lossless = false;  // every pixel kept exactly, instead of lossy (VP8) compression
  friend bool operator==(const WebpOptions&, const WebpOptions&) = default;
};

// Writes the image as a still WebP through libwebp: lossy at `quality` (1..100, libwebp's
// default preset), or lossless, where the quality only trades encoding time for size. The
// sides of a WebP are at most 16383 pixels; a larger image is refused with that reason. The
// file is replaced only when it was written completely (see AtomicFile); library errors come
// back as a Status.
Status WriteWebp(const RasterImage& image, const std::filesystem::path& path, int quality,
                 const WebpOptions& options = {});
// Encodes the same file into a sink; errors name `path`.
Status EncodeWebp(const RasterImage& image, ByteSink& sink, const std::filesystem::path& path, int quality,
                  const WebpOptions& options);

}  // namespace quillstone
