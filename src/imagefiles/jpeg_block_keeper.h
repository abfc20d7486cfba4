#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "imagefiles/jpeg_bitstream.h"
#include "imagefiles/jpeg_block_encoder.h"
#include "imagefiles/jpeg_block_splice.h"
#include "imaging/large_buffer.h"
#include "imaging/raster_image.h"
#include "imaging/rect.h"
#include "imaging/status.h"
#include "platform/byte_sink.h"

namespace quillstone {

// The memory of keeping writes, kept from file to file by a caller that writes many (a
// batch thread), so that each file after the first touches no fresh pages: the whole-image
// coefficient arrays, or the source scanned for copying its bits (ScanJpegSource) and the
// file written.
struct KeptBlocksMemory {
  LargeBuffer buffer;
  std::size_t bytes = 0;
  ScanLayout scanLayout;
  BlockLayout blockLayout;
  std::size_t scanStart = 0;  // where the entropy-coded data starts in the file
  EntropyScan scan;
  SplicePlan plan;
  LargeVector<std::uint8_t> output;
  RasterImage units;  // the pixels DecodeScannedUnits decodes
};

// How many units (interleaved MCUs) a written file has, how many of them were encoded anew,
// and how.
struct KeptBlocksCount {
  int units = 0;
  int encoded = 0;
  bool copiedBits = false;  // written from the source's bits (PlanSplice, WriteSplice)
};

// What a marked picture can keep of its JPEG source: the file, and the pixels it decoded
// to before the picture was marked (the same size as the marked picture).
struct JpegBlocksSource {
  std::span<const std::uint8_t> file;
  const RasterImage& decoded;
  KeptBlocksMemory* memory = nullptr;  // none: the write allocates its own
  // Re-encodes every block through libjpeg's coefficient arrays even where the source's
  // bits could be copied (to compare the two).
  bool throughLibrary = false;
  // The memory holds this file scanned (ScanJpegSource), and only the units in `changeable`
  // may differ: the two pictures hold the source's pixels only there (DecodeScannedUnits).
  // The file is then written by copying its bits or not at all.
  bool scanned = false;
  Rect changeable{};
  KeptBlocksCount* written = nullptr;  // receives what was written (WriteOutputFile passes it on)
};

// Reads the header of `file` and scans its entropy-coded data into `memory` for copying its
// bits; false when they cannot be copied: a source that is not one sequential
// Huffman-coded scan of all its components, or whose entropy-coded data is not sound.
bool ScanJpegSource(std::span<const std::uint8_t> file, KeptBlocksMemory& memory);

// Decodes the units `units` of a source scanned into `memory` into the same place of
// `target` (the picture's size; its other pixels are left as they are). They are decoded as
// a picture of their own, so the pixels of their outer ring of units may differ from the
// whole picture's where that ring is not the picture's edge; inside it they are the same.
// False when a DC difference of the units' own picture has no code in the source's tables.
bool DecodeScannedUnits(std::span<const std::uint8_t> file, KeptBlocksMemory& memory, Rect units,
                        RasterImage& target);

// Empty when the blocks of this JPEG stream can be kept (8-bit YCbCr or grey whose
// sampling factors each divide the largest, and grey when `greyOutput` asks for grey);
// otherwise why not, one short clause ("the source's colours are CMYK").
std::string JpegBlocksProblem(std::span<const std::uint8_t> file, bool greyOutput = false);

// Writes `marked` as a JPEG made of its source's blocks: the source's quantisation tables,
// sampling, density, progressive or sequential mode, restart interval, comments and
// application segments (all but those that carry EXIF, XMP, IPTC and the colour profile,
// which the metadata writer owns) are kept, every unit whose pixels equal the decoded
// source's keeps its coefficients as they are, and only the units that differ are encoded
// again from `marked` (EncodeUnit).
// A source of one sequential Huffman-coded scan is written from its bits (PlanSplice,
// WriteSplice): its header as it is, the kept blocks' codes copied, its Huffman tables
// extended where they lack codes the new blocks need or, when they have no room, computed
// for the output. Any other source goes through libjpeg's coefficient arrays, a sequential
// one with the standard Huffman tables keeping them, others getting tables computed for the
// data.
// Errors of the library, a source that JpegBlocksProblem refuses or one of another size
// come back as an error naming `path`.
Status EncodeKeepingBlocks(const RasterImage& marked, const JpegBlocksSource& source, ByteSink& sink,
                           const std::filesystem::path& path, KeptBlocksCount* count = nullptr);

}  // namespace quillstone
