#pragma once

#include <cstdint>
#include <vector>

#include "imagefiles/storage_format.h"
#include "imaging/raster_image.h"
#include "platform/atomic_file.h"

namespace quillstone {

// Sizes of the headers of a BMP file: the file header, then one of the bitmap headers
// (OS/2 1.x; Windows 3 info header; with the colour masks; with the alpha mask too; the
// V4 and V5 headers). OS/2 2.x headers take any size from 16 to 64 bytes.
inline constexpr std::uint32_t kBmpFileHeaderBytes = 14;
inline constexpr std::uint32_t kCoreHeaderBytes = 12;
inline constexpr std::uint32_t kInfoHeaderBytes = 40;
inline constexpr std::uint32_t kInfoWithMasksBytes = 52;
inline constexpr std::uint32_t kInfoWithAlphaMaskBytes = 56;
inline constexpr std::uint32_t kV4HeaderBytes = 108;
inline constexpr std::uint32_t kV5HeaderBytes = 124;
inline constexpr std::uint32_t kMinOs2HeaderBytes = 16;
inline constexpr std::uint32_t kMaxOs2HeaderBytes = 64;

// The device-independent bitmap form shared by BMP files and metafile bitmap records:
// a 40-byte BITMAPINFOHEADER, a colour table of 2^bits entries (blue, green, red, 0) for
// 1, 4 and 8 bits, and the pixel rows from the bottom row up, each padded with zeros to a
// multiple of 4 bytes. 24-bit pixels are stored blue, green, red; 32-bit ones blue, green,
// red, 0. No compression, no resolution (both pixels-per-metre fields 0).
struct DibLayout {
  int width = 0;
  int height = 0;
  int bits = 24;
  std::uint32_t paletteEntries = 0;  // 2^bits for 1, 4 and 8 bits, else 0
  std::uint32_t stride = 0;          // bytes per stored row, a multiple of 4
  std::uint32_t imageBytes = 0;      // stride * height

  std::uint32_t InfoBytes() const { return kInfoHeaderBytes + 4 * paletteEntries; }
};

// Valid for images that passed CheckWritable (at most 2^28 pixels, so every size fits).
DibLayout MakeDibLayout(const RasterImage& image, const StorageFormat& format);

// Appends the BITMAPINFOHEADER and the colour table; palette entries beyond the format's
// palette are black.
void AppendDibInfo(std::vector<std::uint8_t>& out, const DibLayout& layout, const StorageFormat& format);

// Writes the pixel rows, bottom row first.
void WriteDibRows(AtomicFile& file, const RasterImage& image, const StorageFormat& format,
                  const DibLayout& layout);

}  // namespace quillstone
