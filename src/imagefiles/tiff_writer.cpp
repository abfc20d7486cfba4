#include "imagefiles/tiff_writer.h"

#include <array>
#include <cstdint>
#include <vector>

#include "imagefiles/byte_order.h"
#include "imagefiles/color_depth.h"
#include "imagefiles/row_encoder.h"
#include "platform/atomic_file.h"

namespace quillstone {
namespace {

enum TiffType : std::uint16_t { kAscii = 2, kShort = 3, kLong = 4, kRational = 5 };

// The directory entries the writer puts in, in the ascending order a directory keeps.
enum class TiffTag : std::uint16_t {
  kNewSubfileType = 254,
  kImageWidth = 256,
  kImageLength = 257,
  kBitsPerSample = 258,
  kCompression = 259,
  kPhotometric = 262,
  kStripOffsets = 273,
  kSamplesPerPixel = 277,
  kRowsPerStrip = 278,
  kStripByteCounts = 279,
  kXResolution = 282,
  kYResolution = 283,
  kPlanarConfiguration = 284,
  kResolutionUnit = 296,
  kSoftware = 305,
  kColorMap = 320,
};

// Values of the compression, photometric, planar configuration and resolution unit entries.
constexpr std::uint32_t kUncompressed = 1;
constexpr std::uint32_t kBlackIsZero = 1;
constexpr std::uint32_t kRgb = 2;
constexpr std::uint32_t kPalette = 3;
constexpr std::uint32_t kChunky = 1;
constexpr std::uint32_t kInch = 2;

struct TiffEntry {
  TiffTag tag;
  std::uint16_t type;
  std::uint32_t count;
  std::uint32_t value;  // the value itself (SHORT and LONG of count 1) or an offset
};

constexpr std::uint16_t kTiffMagic = 42;
constexpr std::uint32_t kHeaderBytes = 8;
constexpr std::uint32_t kRationalBytes = 8;
constexpr std::array<char, 10> kSoftware = {'H', 'a', 'r', 'r', 'o', 'w', 'f', 'e', 'l', 'l'};

void PutHeader(std::vector<std::uint8_t>& out, std::uint32_t directoryOffset) {
  out.push_back('I');
  out.push_back('I');
  PutLe16(out, kTiffMagic);
  PutLe32(out, directoryOffset);
}

void PutResolutions(std::vector<std::uint8_t>& out) {
  for (int i = 0; i < 2; ++i) {
    PutLe32(out, 877u);
    PutLe32(out, 10u);
  }
}

void PutSoftware(std::vector<std::uint8_t>& out) {
  out.insert(out.end(), kSoftware.begin(), kSoftware.end());
}

void PutDirectory(std::vector<std::uint8_t>& out, const std::vector<TiffEntry>& entries) {
  PutLe16(out, static_cast<std::uint32_t>(entries.size()));
  for (const TiffEntry& e : entries) {
    PutLe16(out, static_cast<std::uint16_t>(e.tag));
    PutLe16(out, e.type);
    PutLe32(out, e.count);
    PutLe32(out, e.value);
  }
  PutLe32(out, 0u);  // no next directory
}

// The fields in which the three kinds of directory differ.
struct DirectoryFields {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bitsCount = 1;  // 3 for RGB, whose value is then the offset of the three
  std::uint32_t bits = 0;
  std::uint32_t photometric = kRgb;
  std::uint32_t samples = 1;
  std::uint32_t strip = 0;
  std::uint32_t stripBytes = 0;
  std::uint32_t xRes = 0;
  std::uint32_t yRes = 0;
  std::uint32_t software = 0;
  bool planar = false;                // RGB names its planar configuration
  std::uint32_t colorMapEntries = 0;  // 3 * 2^bits for a palette, else none
  std::uint32_t colorMap = 0;
};

// The directory of a single-strip image, its entries in ascending tag order.
std::vector<TiffEntry> Directory(const DirectoryFields& f) {
  std::vector<TiffEntry> entries = {{TiffTag::kNewSubfileType, kLong, 1, 0},
                                    {TiffTag::kImageWidth, kShort, 1, f.width},
                                    {TiffTag::kImageLength, kShort, 1, f.height},
                                    {TiffTag::kBitsPerSample, kShort, f.bitsCount, f.bits},
                                    {TiffTag::kCompression, kShort, 1, kUncompressed},
                                    {TiffTag::kPhotometric, kShort, 1, f.photometric},
                                    {TiffTag::kStripOffsets, kLong, 1, f.strip},
                                    {TiffTag::kSamplesPerPixel, kShort, 1, f.samples},
                                    {TiffTag::kRowsPerStrip, kLong, 1, f.height},
                                    {TiffTag::kStripByteCounts, kLong, 1, f.stripBytes},
                                    {TiffTag::kXResolution, kRational, 1, f.xRes},
                                    {TiffTag::kYResolution, kRational, 1, f.yRes}};
  if (f.planar) entries.push_back({TiffTag::kPlanarConfiguration, kShort, 1, kChunky});
  entries.push_back({TiffTag::kResolutionUnit, kShort, 1, kInch});
  entries.push_back({TiffTag::kSoftware, kAscii, static_cast<std::uint32_t>(kSoftware.size()), f.software});
  if (f.colorMapEntries > 0) entries.push_back({TiffTag::kColorMap, kShort, f.colorMapEntries, f.colorMap});
  return entries;
}

// The strip: rows top first, each as the encoder stores it.
void WriteStrip(ByteSink& file, const RasterImage& image, RowEncoder& encoder) {
  std::vector<std::uint8_t> row(encoder.RowBytes());
  for (int y = 0; y < image.Height(); ++y) {
    encoder.Encode(image.Row(y), row.data());
    file.Write(row.data(), row.size());
  }
}

void WriteRgb(ByteSink& file, const RasterImage& image, const StorageFormat& format) {
  const auto w = static_cast<std::uint32_t>(image.Width());
  const auto h = static_cast<std::uint32_t>(image.Height());
  constexpr std::uint32_t kXRes = 8, kYRes = 16, kBitsPerSampleAt = 24, kSoftwareAt = 30, kStrip = 40;
  const std::uint32_t stripBytes = 3 * w * h;
  std::vector<std::uint8_t> head;
  PutHeader(head, kStrip + stripBytes);
  PutResolutions(head);
  for (int i = 0; i < 3; ++i) PutLe16(head, 8);
  PutSoftware(head);
  file.Write(head.data(), head.size());

  RowEncoder encoder(format, image.Width(), RowEncoder::Samples::kRgb);
  WriteStrip(file, image, encoder);

  std::vector<std::uint8_t> directory;
  PutDirectory(directory, Directory({.width = w,
                                     .height = h,
                                     .bitsCount = 3,
                                     .bits = kBitsPerSampleAt,
                                     .photometric = kRgb,
                                     .samples = 3,
                                     .strip = kStrip,
                                     .stripBytes = stripBytes,
                                     .xRes = kXRes,
                                     .yRes = kYRes,
                                     .software = kSoftwareAt,
                                     .planar = true}));
  file.Write(directory.data(), directory.size());
}

void WritePalette(ByteSink& file, const RasterImage& image, const StorageFormat& format) {
  const auto w = static_cast<std::uint32_t>(image.Width());
  const auto h = static_cast<std::uint32_t>(image.Height());
  const std::uint32_t bits = static_cast<std::uint32_t>(format.Bits());
  const std::uint32_t entries = 1u << bits;
  RowEncoder encoder(format, image.Width(), RowEncoder::Samples::kRgb);
  const auto rowBytes = static_cast<std::uint32_t>(encoder.RowBytes());
  const std::uint32_t colorMap = kHeaderBytes;
  const std::uint32_t xRes = colorMap + 3 * entries * 2;
  const std::uint32_t yRes = xRes + kRationalBytes;
  const std::uint32_t software = yRes + kRationalBytes;
  const std::uint32_t strip = software + static_cast<std::uint32_t>(kSoftware.size());
  const std::uint32_t stripBytes = h * rowBytes;

  std::vector<std::uint8_t> head;
  PutHeader(head, strip + stripBytes);
  for (int channel = 0; channel < 3; ++channel) {
    for (std::uint32_t i = 0; i < entries; ++i) {
      const Rgb c = i < format.palette.size() ? format.palette[i] : Rgb{};
      const std::uint8_t component = channel == 0 ? c.r : (channel == 1 ? c.g : c.b);
      PutLe16(head, component * 256u);
    }
  }
  PutResolutions(head);
  PutSoftware(head);
  file.Write(head.data(), head.size());

  WriteStrip(file, image, encoder);

  std::vector<std::uint8_t> directory;
  PutDirectory(directory, Directory({.width = w,
                                     .height = h,
                                     .bits = bits,
                                     .photometric = kPalette,
                                     .strip = strip,
                                     .stripBytes = stripBytes,
                                     .xRes = xRes,
                                     .yRes = yRes,
                                     .software = software,
                                     .colorMapEntries = 3 * entries,
                                     .colorMap = colorMap}));
  file.Write(directory.data(), directory.size());
}

void WriteBilevel(ByteSink& file, const RasterImage& image) {
  const auto w = static_cast<std::uint32_t>(image.Width());
  const auto h = static_cast<std::uint32_t>(image.Height());
  // Black is zero: the bits are indexes into black, white whatever palette came along.
  const StorageFormat blackWhite{ColorDepth::kBits1, BlackWhitePalette()};
  RowEncoder encoder(blackWhite, image.Width(), RowEncoder::Samples::kRgb);
  const std::uint32_t strip = kHeaderBytes;
  const std::uint32_t stripBytes = h * static_cast<std::uint32_t>(encoder.RowBytes());
  const std::uint32_t xRes = strip + stripBytes;
  const std::uint32_t yRes = xRes + kRationalBytes;
  const std::uint32_t software = yRes + kRationalBytes;
  const std::uint32_t directoryAt = software + static_cast<std::uint32_t>(kSoftware.size());

  std::vector<std::uint8_t> head;
  PutHeader(head, directoryAt);
  file.Write(head.data(), head.size());
  WriteStrip(file, image, encoder);

  std::vector<std::uint8_t> tail;
  PutResolutions(tail);
  PutSoftware(tail);
  PutDirectory(tail, Directory({.width = w,
                                .height = h,
                                .bits = 1,
                                .photometric = kBlackIsZero,
                                .strip = strip,
                                .stripBytes = stripBytes,
                                .xRes = xRes,
                                .yRes = yRes,
                                .software = software}));
  file.Write(tail.data(), tail.size());
}

}  // namespace

Status EncodeTiff(ByteSink& file, const RasterImage& image, const StorageFormat& format) {
  if (Status status = CheckWritable(image, format); !status) return status;
  switch (format.depth) {
    case ColorDepth::kBits1:
      WriteBilevel(file, image);
      break;
    case ColorDepth::kBits4:
    case ColorDepth::kBits8:
      WritePalette(file, image, format);
      break;
    case ColorDepth::kBits24:
    case ColorDepth::kBits32:
      WriteRgb(file, image, format);
      break;
  }
  return Status::Ok();
}

Status WriteTiff(const std::filesystem::path& path, const RasterImage& image, const StorageFormat& format) {
  if (Status status = CheckWritable(image, format); !status) return status;
  return WriteAtomically(path, [&](ByteSink& file) { return EncodeTiff(file, image, format); });
}

}  // namespace quillstone
