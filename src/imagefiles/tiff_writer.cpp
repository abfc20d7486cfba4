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

struct TiffEntry {
  std::uint16_t tag;
  std::uint16_t type;
  std::uint32_t count;
  std::uint32_t value;  // the value itself (SHORT and LONG of count 1) or an offset
};

constexpr std::uint32_t kHeaderBytes = 8;
constexpr std::uint32_t kRationalBytes = 8;
constexpr std::array<char, 10> kSoftware = {'H', 'a', 'r', 'r', 'o', 'w', 'f', 'e', 'l', 'l'};

void PutHeader(std::vector<std::uint8_t>& out, std::uint32_t directoryOffset) {
  out.push_back('I');
  out.push_back('I');
  PutLe16(out, 42);
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
    PutLe16(out, e.tag);
    PutLe16(out, e.type);
    PutLe32(out, e.count);
    PutLe32(out, e.value);
  }
  PutLe32(out, 0u);  // no next directory
}

// The strip: rows top first, each as the encoder stores it.
void WriteStrip(AtomicFile& file, const RasterImage& image, RowEncoder& encoder) {
  std::vector<std::uint8_t> row(encoder.RowBytes());
  for (int y = 0; y < image.Height(); ++y) {
    encoder.Encode(image.Row(y), row.data());
    file.Write(row.data(), row.size());
  }
}

void WriteRgb(AtomicFile& file, const RasterImage& image, const StorageFormat& format) {
  const auto w = static_cast<std::uint32_t>(image.Width());
  const auto h = static_cast<std::uint32_t>(image.Height());
  constexpr std::uint32_t kXRes = 8, kYRes = 16, kBitsPerSample = 24, kSoftwareAt = 30, kStrip = 40;
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
  PutDirectory(directory, {{254, kLong, 1, 0},
                           {256, kShort, 1, w},
                           {257, kShort, 1, h},
                           {258, kShort, 3, kBitsPerSample},
                           {259, kShort, 1, 1},
                           {262, kShort, 1, 2},
                           {273, kLong, 1, kStrip},
                           {277, kShort, 1, 3},
                           {278, kLong, 1, h},
                           {279, kLong, 1, stripBytes},
                           {282, kRational, 1, kXRes},
                           {283, kRational, 1, kYRes},
                           {284, kShort, 1, 1},
                           {296, kShort, 1, 2},
                           {305, kAscii, 10, kSoftwareAt}});
  file.Write(directory.data(), directory.size());
}

void WritePalette(AtomicFile& file, const RasterImage& image, const StorageFormat& format) {
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
  PutDirectory(directory, {{254, kLong, 1, 0},
                           {256, kShort, 1, w},
                           {257, kShort, 1, h},
                           {258, kShort, 1, bits},
                           {259, kShort, 1, 1},
                           {262, kShort, 1, 3},
                           {273, kLong, 1, strip},
                           {277, kShort, 1, 1},
                           {278, kLong, 1, h},
                           {279, kLong, 1, stripBytes},
                           {282, kRational, 1, xRes},
                           {283, kRational, 1, yRes},
                           {296, kShort, 1, 2},
                           {305, kAscii, 10, software},
                           {320, kShort, 3 * entries, colorMap}});
  file.Write(directory.data(), directory.size());
}

void WriteBilevel(AtomicFile& file, const RasterImage& image) {
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
  PutDirectory(tail, {{254, kLong, 1, 0},
                      {256, kShort, 1, w},
                      {257, kShort, 1, h},
                      {258, kShort, 1, 1},
                      {259, kShort, 1, 1},
                      {262, kShort, 1, 1},
                      {273, kLong, 1, strip},
                      {277, kShort, 1, 1},
                      {278, kLong, 1, h},
                      {279, kLong, 1, stripBytes},
                      {282, kRational, 1, xRes},
                      {283, kRational, 1, yRes},
                      {296, kShort, 1, 2},
                      {305, kAscii, 10, software}});
  file.Write(tail.data(), tail.size());
}

}  // namespace

Status WriteTiff(const std::filesystem::path& path, const RasterImage& image, const StorageFormat& format) {
  if (Status status = CheckWritable(image, format); !status) return status;
  AtomicFile file;
  if (Status status = file.Open(path); !status) return status;
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
  return file.Commit();
}

}  // namespace quillstone
