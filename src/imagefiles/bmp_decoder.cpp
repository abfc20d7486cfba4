#include "imagefiles/bmp_decoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "imagefiles/dib_format.h"

namespace quillstone {
namespace {

enum Compression : std::uint32_t {
  kBiRgb = 0,
  kBiRle8 = 1,
  kBiRle4 = 2,
  kBiBitfields = 3,  // Huffman 1D in OS/2 2.x headers
  kBiJpeg = 4,       // RLE24 in OS/2 2.x headers
  kBiPng = 5,
  kBiAlphaBitfields = 6,
};

std::uint16_t U16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::string Hex(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", v);
  return text;
}

// Everything the pixel pass needs, resolved and checked against the file size.
struct BmpLayout {
  int width = 0;   // pixels, 1..65535
  int height = 0;  // pixels, 1..65535
  bool topDown = false;
  int bitCount = 0;  // 1, 2, 4, 8, 16, 24 or 32
  std::uint32_t compression = kBiRgb;
  std::array<std::uint32_t, 3> masks{};         // red, green, blue; 16 and 32 bits only
  bool defaultMasks32 = false;                  // 32 bits B, G, R, unused: a plain byte copy
  std::array<std::uint8_t, 256 * 3> palette{};  // B, G, R per entry; missing entries black
  std::size_t pixelOffset = 0;                  // from the start of the file
  std::size_t rowBytes = 0;                     // stored row, padded to 4 bytes
};

// Which header a size denotes. OS/2 2.x headers are 16 to 64 bytes and share their first
// 40 bytes with the Windows one, but give compression values 3 and 4 other meanings.
enum class HeaderKind { kCore, kInfo, kOs2, kUnknown };

HeaderKind KindOf(std::uint32_t headerSize) {
  if (headerSize == kCoreHeaderBytes) return HeaderKind::kCore;
  if (headerSize == kInfoHeaderBytes || headerSize == kInfoWithMasksBytes ||
      headerSize == kInfoWithAlphaMaskBytes || headerSize == kV4HeaderBytes || headerSize == kV5HeaderBytes) {
    return HeaderKind::kInfo;
  }
  if (headerSize >= kMinOs2HeaderBytes && headerSize <= kMaxOs2HeaderBytes) return HeaderKind::kOs2;
  return HeaderKind::kUnknown;
}

bool ValidMask(std::uint32_t mask) {
  if (mask == 0) return true;
  const std::uint32_t run = mask >> std::countr_zero(mask);
  return (run & (run + 1)) == 0;  // one block of set bits
}

Status ParseHeader(const std::uint8_t* bytes, std::size_t size, std::int64_t maxPixels, BmpLayout& layout) {
  if (std::string problem = BmpSignatureProblem(std::string_view(reinterpret_cast<const char*>(bytes), size));
      !problem.empty())
    return Status::Error(std::move(problem));
  if (size < kBmpFileHeaderBytes + 4) return Status::Error("the bitmap header is cut short");

  const std::uint32_t headerSize = U32(bytes + kBmpFileHeaderBytes);
  const HeaderKind kind = KindOf(headerSize);
  if (kind == HeaderKind::kUnknown) {
    return Status::Error("unsupported bitmap header size " + std::to_string(headerSize));
  }
  if (size - kBmpFileHeaderBytes < headerSize) return Status::Error("the bitmap header is cut short");
  const std::uint8_t* h = bytes + kBmpFileHeaderBytes;

  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t colorsUsed = 0;
  if (kind == HeaderKind::kCore) {
    width = U16(h + 4);
    height = U16(h + 6);
    layout.bitCount = U16(h + 10);
  } else {
    width = static_cast<std::int32_t>(U32(h + 4));
    height = static_cast<std::int32_t>(U32(h + 8));
    layout.bitCount = U16(h + 14);
    if (headerSize >= 20) layout.compression = U32(h + 16);
    if (headerSize >= 36) colorsUsed = U32(h + 32);
  }
  layout.topDown = height < 0;
  if (height < 0) height = -height;
  if (const std::string problem = DecodeSizeProblem(width, height, maxPixels); !problem.empty()) {
    return Status::Error(problem);
  }
  layout.width = static_cast<int>(width);
  layout.height = static_cast<int>(height);

  const int bits = layout.bitCount;
  const std::uint32_t compression = layout.compression;
  if (kind == HeaderKind::kOs2 && compression == kBiBitfields) {
    return Status::Error("Huffman-coded OS/2 bitmaps are not supported");
  }
  if (kind == HeaderKind::kOs2 && compression == kBiJpeg) {
    return Status::Error("RLE24-compressed OS/2 bitmaps are not supported");
  }
  switch (compression) {
    case kBiRgb:
      if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return Status::Error("unsupported bit depth " + std::to_string(bits));
      }
      break;
    case kBiRle8:
    case kBiRle4: {
      const int wanted = compression == kBiRle8 ? 8 : 4;
      if (bits != wanted) {
        return Status::Error("RLE" + std::to_string(wanted) + " compression needs " + std::to_string(wanted) +
                             " bits per pixel, the header gives " + std::to_string(bits));
      }
      break;
    }
    case kBiBitfields:
    case kBiAlphaBitfields:
      if (bits != 16 && bits != 32) {
        return Status::Error("colour masks need 16 or 32 bits per pixel, the header gives " +
                             std::to_string(bits));
      }
      break;
    case kBiJpeg:
      return Status::Error("bitmaps holding a JPEG image are not supported");
    case kBiPng:
      return Status::Error("bitmaps holding a PNG image are not supported");
    default:
      return Status::Error("unknown bitmap compression " + std::to_string(compression));
  }

  // Colour masks: inside a header that has room for them, otherwise right after it.
  std::size_t tableStart = kBmpFileHeaderBytes + headerSize;
  if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
    const std::size_t maskCount = compression == kBiAlphaBitfields ? 4 : 3;
    const std::size_t inHeader =
        headerSize >= kInfoWithAlphaMaskBytes ? 4 : (headerSize >= kInfoWithMasksBytes ? 3 : 0);
    const std::size_t after = maskCount > inHeader ? 4 * (maskCount - inHeader) : 0;
    if (size - tableStart < after) return Status::Error("the colour masks are cut short");
    const std::uint8_t* m = inHeader > 0 ? h + kInfoHeaderBytes : bytes + tableStart;
    for (int i = 0; i < 3; ++i) {
      layout.masks[i] = U32(m + 4 * i);
      if (!ValidMask(layout.masks[i])) {
        return Status::Error("colour mask " + Hex(layout.masks[i]) + " is not one block of bits");
      }
    }
    tableStart += after;
  } else if (bits == 16) {
    layout.masks = {0x7C00, 0x03E0, 0x001F};
  } else if (bits == 32) {
    layout.defaultMasks32 = true;
  }

  const std::uint32_t offset = U32(bytes + 10);
  if (offset < tableStart || offset >= size) {
    return Status::Error("the pixel data offset " + std::to_string(offset) + " lies outside the file");
  }
  layout.pixelOffset = offset;

  // Colour table: a count given in the header must lie within the file. Without one (0, or
  // an OS/2 1.x header) the table holds what fits before the pixel data, up to the entries
  // the bit depth allows; entries that would overlap the pixel data are not used.
  if (bits <= 8) {
    const std::size_t entrySize = kind == HeaderKind::kCore ? 3 : 4;
    const std::uint64_t full = std::uint64_t{1} << bits;
    const std::uint64_t declared = colorsUsed == 0 ? full : colorsUsed;
    if (colorsUsed > (size - tableStart) / entrySize) {
      return Status::Error("the colour table of " + std::to_string(colorsUsed) +
                           " entries extends beyond the end of the file");
    }
    const std::uint64_t count = std::min({declared, full, std::uint64_t{(offset - tableStart) / entrySize}});
    if (count == 0) return Status::Error("the bitmap has no colour table");
    for (std::uint64_t i = 0; i < count; ++i) {
      std::memcpy(layout.palette.data() + 3 * i, bytes + tableStart + i * entrySize, 3);
    }
  }

  // Uncompressed data must all be there; the last row may lack its padding.
  layout.rowBytes = static_cast<std::size_t>((static_cast<std::uint64_t>(layout.width) * bits + 31) / 32 * 4);
  if (compression != kBiRle8 && compression != kBiRle4) {
    const std::uint64_t lastRow = (static_cast<std::uint64_t>(layout.width) * bits + 7) / 8;
    const std::uint64_t needed = std::uint64_t{layout.rowBytes} * (layout.height - 1) + lastRow;
    const std::uint64_t present = size - offset;
    if (needed > present) {
      return Status::Error("the pixel data is cut short: the file holds " + std::to_string(present) + " of " +
                           std::to_string(needed) + " bytes");
    }
  }
  return Status::Ok();
}

// Row converters: one stored row in, one BGR raster row out. Chosen once per image.

template <int kBits>
void IndexedRow(const std::uint8_t* src, std::uint8_t* dst, int width, const std::uint8_t* palette) {
  constexpr int kPerByte = 8 / kBits;
  constexpr unsigned kMask = (1u << kBits) - 1;
  for (int x = 0; x < width; ++x, dst += 3) {
    const unsigned index = (src[x / kPerByte] >> (8 - kBits * (x % kPerByte + 1))) & kMask;
    const std::uint8_t* c = palette + 3 * index;
    dst[0] = c[0];
    dst[1] = c[1];
    dst[2] = c[2];
  }
}

void Bgrx32Row(const std::uint8_t* src, std::uint8_t* dst, int width) {
  for (int x = 0; x < width; ++x, src += 4, dst += 3) {
    dst[0] = src[0];
    dst[1] = src[1];
    dst[2] = src[2];
  }
}

// One colour channel under a mask: the value's top (at most 16) bits index a table that
// scales them to 0..255 as round(v * 255 / (2^n - 1)). Channels wider than 16 bits lose their
// lowest bits first, which can move the result by 1.
struct MaskedChannel {
  int shift = 0;
  std::uint32_t mask = 0;  // after the shift
  std::vector<std::uint8_t> scale;

  explicit MaskedChannel(std::uint32_t fullMask) {
    const int bitCount = std::popcount(fullMask);
    const int kept = std::min(bitCount, 16);
    shift = fullMask == 0 ? 0 : std::countr_zero(fullMask) + (bitCount - kept);
    mask = (std::uint32_t{1} << kept) - 1;
    scale.resize(std::size_t{mask} + 1);
    for (std::uint32_t v = 0; v <= mask && mask > 0; ++v) {
      scale[v] = static_cast<std::uint8_t>((std::uint64_t{v} * 510 + mask) / (std::uint64_t{2} * mask));
    }
  }
  std::uint8_t operator()(std::uint32_t pixel) const { return scale[(pixel >> shift) & mask]; }
};

template <int kBytes>
void MaskedRow(const std::uint8_t* src, std::uint8_t* dst, int width, const MaskedChannel& red,
               const MaskedChannel& green, const MaskedChannel& blue) {
  for (int x = 0; x < width; ++x, src += kBytes, dst += 3) {
    const std::uint32_t pixel = kBytes == 2 ? U16(src) : U32(src);
    dst[0] = blue(pixel);
    dst[1] = green(pixel);
    dst[2] = red(pixel);
  }
}

template <typename RowFn>
void ForEachStoredRow(const std::uint8_t* bytes, const BmpLayout& layout, RasterImage& out, RowFn convert) {
  for (int r = 0; r < layout.height; ++r) {
    const std::uint8_t* src = bytes + layout.pixelOffset + static_cast<std::size_t>(r) * layout.rowBytes;
    convert(src, out.Row(layout.topDown ? r : layout.height - 1 - r));
  }
}

void DecodeUncompressed(const std::uint8_t* bytes, const BmpLayout& layout, RasterImage& out) {
  const int width = layout.width;
  const std::uint8_t* palette = layout.palette.data();
  switch (layout.bitCount) {
    case 1:
      ForEachStoredRow(bytes, layout, out, [&](auto s, auto d) { IndexedRow<1>(s, d, width, palette); });
      return;
    case 2:
      ForEachStoredRow(bytes, layout, out, [&](auto s, auto d) { IndexedRow<2>(s, d, width, palette); });
      return;
    case 4:
      ForEachStoredRow(bytes, layout, out, [&](auto s, auto d) { IndexedRow<4>(s, d, width, palette); });
      return;
    case 8:
      ForEachStoredRow(bytes, layout, out, [&](auto s, auto d) { IndexedRow<8>(s, d, width, palette); });
      return;
    case 24: {
      const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
      ForEachStoredRow(bytes, layout, out, [&](auto s, auto d) { std::memcpy(d, s, rowBytes); });
      return;
    }
    default:
      break;
  }
  if (layout.defaultMasks32) {
    ForEachStoredRow(bytes, layout, out, [&](auto s, auto d) { Bgrx32Row(s, d, width); });
    return;
  }
  const MaskedChannel red(layout.masks[0]);
  const MaskedChannel green(layout.masks[1]);
  const MaskedChannel blue(layout.masks[2]);
  if (layout.bitCount == 16) {
    ForEachStoredRow(bytes, layout, out,
                     [&](auto s, auto d) { MaskedRow<2>(s, d, width, red, green, blue); });
  } else {
    ForEachStoredRow(bytes, layout, out,
                     [&](auto s, auto d) { MaskedRow<4>(s, d, width, red, green, blue); });
  }
}

// RLE8 / RLE4. Codes are byte pairs: (n > 0, v) a run of n pixels of v (RLE4: the two nibbles
// of v alternate); (0, 0) end of line; (0, 1) end of bitmap; (0, 2, dx, dy) move; (0, n >= 3)
// n literal pixels, padded to an even byte count.
Status DecodeRle(const std::uint8_t* bytes, std::size_t size, const BmpLayout& layout, RasterImage& out) {
  const std::uint8_t* p0 = layout.palette.data();
  out.Fill(MakeColor(p0[2], p0[1], p0[0]));
  const bool rle4 = layout.compression == kBiRle4;
  const std::uint8_t* data = bytes + layout.pixelOffset;
  const std::size_t length = size - layout.pixelOffset;
  const std::int64_t width = layout.width;
  const Status cutShort = Status::Error("the RLE data ends in the middle of a code");

  auto put = [&](std::uint8_t* row, std::int64_t x, unsigned index) {
    std::memcpy(row + 3 * x, layout.palette.data() + 3 * index, 3);
  };

  std::size_t p = 0;
  std::int64_t x = 0;  // 0..width: pixels beyond the right edge are dropped
  std::int64_t r = 0;  // stored row, 0 = first in the file
  while (r < layout.height) {
    if (length - p < 2) {
      if (p == length) break;  // no end code: the rest stays entry 0
      return cutShort;
    }
    const unsigned count = data[p];
    const unsigned value = data[p + 1];
    p += 2;
    std::uint8_t* row =
        out.Row(layout.topDown ? static_cast<int>(r) : layout.height - 1 - static_cast<int>(r));
    if (count > 0) {
      const std::int64_t n = std::min<std::int64_t>(count, width - x);
      if (rle4) {
        for (std::int64_t i = 0; i < n; ++i) put(row, x + i, (i & 1) ? value & 0x0F : value >> 4);
      } else {
        for (std::int64_t i = 0; i < n; ++i) put(row, x + i, value);
      }
      x += n;
    } else if (value == 0) {
      ++r;
      x = 0;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (length - p < 2) return cutShort;
      x = std::min<std::int64_t>(x + data[p], width);
      r += data[p + 1];
      p += 2;
    } else {
      const std::size_t dataBytes = rle4 ? (value + 1) / 2 : value;
      if (length - p < dataBytes) return cutShort;
      const std::int64_t n = std::min<std::int64_t>(value, width - x);
      if (rle4) {
        for (std::int64_t i = 0; i < n; ++i) {
          const unsigned packed = data[p + static_cast<std::size_t>(i / 2)];
          put(row, x + i, (i & 1) ? packed & 0x0F : packed >> 4);
        }
      } else {
        for (std::int64_t i = 0; i < n; ++i) put(row, x + i, data[p + static_cast<std::size_t>(i)]);
      }
      x += n;
      p += std::min(length - p, (dataBytes + 1) & ~std::size_t{1});
    }
  }
  return Status::Ok();
}

}  // namespace

std::string BmpSignatureProblem(std::string_view leading) {
  if (leading.size() < 2) return "not a BMP file: it is shorter than the file header";
  if (leading.starts_with("BA")) return "OS/2 bitmap arrays are not supported";
  if (!leading.starts_with("BM")) return "not a BMP file: it does not start with \"BM\"";
  return {};
}

Status DecodeBmpMemory(const std::uint8_t* bytes, std::size_t size, RasterImage& out,
                       std::int64_t maxPixels) {
  out.Clear();
  if (bytes == nullptr) size = 0;
  BmpLayout layout;
  if (Status status = ParseHeader(bytes, size, maxPixels, layout); !status) return status;
  try {
    out.Resize(layout.width, layout.height);
  } catch (const std::bad_alloc&) {
    return Status::Error("not enough memory for a " + std::to_string(layout.width) + "x" +
                         std::to_string(layout.height) + " image");
  }
  if (layout.compression == kBiRle8 || layout.compression == kBiRle4) {
    if (Status status = DecodeRle(bytes, size, layout, out); !status) {
      out.Clear();
      return status;
    }
  } else {
    DecodeUncompressed(bytes, layout, out);
  }
  return Status::Ok();
}

}  // namespace quillstone
