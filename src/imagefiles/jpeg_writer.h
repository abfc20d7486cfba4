#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "imaging/raster_image.h"
#include "imaging/status.h"
#include "platform/byte_sink.h"

namespace quillstone {

// Encoder choices of a JPEG file.
struct JpegOptions {
  int quality = 80;          // 1..100; quantisation tables scaled with baseline-compatible limits
  bool greyscale = false;    // one grey component instead of colour (YCbCr)
  bool progressive = false;  // the standard simple progression script instead of one sequential scan
  // "Keep untouched JPEG blocks": a marked JPEG photo is written on its source's blocks
  // (EncodeKeepingBlocks), its quality and mode the source's, where nothing else forbids it.
  bool keepUntouchedBlocks = false;
  friend bool operator==(const JpegOptions&, const JpegOptions&) = default;
};

// Encodes with libjpeg-turbo's defaults (4:2:0 chroma subsampling, standard Huffman tables),
// then the options above, with the accurate integer DCT. Rows go to the encoder straight from
// the raster's blue, green, red bytes. Errors of the library come back as a Status.

// Writes the file, replacing it only when the encoding succeeded (see AtomicFile).
Status WriteJpeg(const RasterImage& image, const std::filesystem::path& path,
                 const JpegOptions& options = {});

// Encodes the same file into a sink; errors name `path`.
Status EncodeJpeg(const RasterImage& image, ByteSink& sink, const std::filesystem::path& path,
                  const JpegOptions& options);

// Encodes into memory; `out` holds the whole file afterwards (and is cleared on failure).
Status EncodeJpeg(const RasterImage& image, const JpegOptions& options, std::vector<std::uint8_t>& out);

}  // namespace quillstone
