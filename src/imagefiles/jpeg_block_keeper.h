#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "imaging/large_buffer.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"
#include "platform/byte_sink.h"

namespace quillstone {

// What a marked picture can keep of its JPEG source: the file, and the pixels it decoded
// to before the picture was marked (the same size as the marked picture).
// The memory of the whole-image coefficient arrays, kept from file to file by a caller that
// writes many (a batch thread), so that each file after the first touches no fresh pages.
struct BlockArraysMemory {
  LargeBuffer buffer;
  std::size_t bytes = 0;
};

struct JpegBlocksSource {
  std::span<const std::uint8_t> file;
  const RasterImage& decoded;
  BlockArraysMemory* memory = nullptr;  // none: the write allocates its own
};

// Empty when the blocks of this JPEG stream can be kept (8-bit YCbCr or grey whose
// sampling factors each divide the largest, and grey when `greyOutput` asks for grey);
// otherwise why not, one short clause ("the source's colours are CMYK").
std::string JpegBlocksProblem(std::span<const std::uint8_t> file, bool greyOutput = false);

// How many units (interleaved MCUs) a written file has, and how many of them were encoded
// anew.
struct KeptBlocksCount {
  int units = 0;
  int encoded = 0;
};

// Writes `marked` as a JPEG made of its source's blocks: the source's quantisation tables,
// sampling, density, progressive or sequential mode, restart interval, comments and
// application segments (all but those that carry EXIF, XMP, IPTC and the colour profile,
// which the metadata writer owns) are kept, every unit whose pixels equal the decoded
// source's keeps its coefficients as they are, and only the units that differ are encoded
// again from `marked` (EncodeUnit). A sequential source with the standard Huffman tables
// keeps them; other sources get tables computed for the data.
// Errors of the library, a source that JpegBlocksProblem refuses or one of another size
// come back as an error naming `path`.
Status EncodeKeepingBlocks(const RasterImage& marked, const JpegBlocksSource& source, ByteSink& sink,
                           const std::filesystem::path& path, KeptBlocksCount* count = nullptr);

}  // namespace quillstone
