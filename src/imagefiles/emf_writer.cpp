#include "imagefiles/emf_writer.h"

#include <cstdint>
#include <vector>

#include "imagefiles/byte_order.h"
#include "imagefiles/dib_format.h"
#include "platform/atomic_file.h"

namespace quillstone {
namespace {

constexpr std::uint32_t kEmrHeader = 1;
constexpr std::uint32_t kEmrEof = 14;
constexpr std::uint32_t kEmrStretchDiBits = 81;
constexpr std::uint32_t kHeaderBytes = 108;        // with both header extensions
constexpr std::uint32_t kStretchDiBitsBytes = 80;  // the fixed part, before the bitmap
constexpr std::uint32_t kEofBytes = 20;
constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kSrcCopy = 0x00CC0020;
constexpr std::int32_t kDevicePixels[2] = {1920, 1440};
constexpr std::int32_t kDeviceMillimetres[2] = {508, 381};  // 96 pixels per inch

void PutRect(std::vector<std::uint8_t>& out, std::int32_t left, std::int32_t top, std::int32_t right,
             std::int32_t bottom) {
  PutLe32(out, left);
  PutLe32(out, top);
  PutLe32(out, right);
  PutLe32(out, bottom);
}

// Pixels at 96 per inch in 0.01 mm: 2540 / 96 per pixel, rounded.
std::int32_t HundredthsOfMillimetre(std::int64_t pixels) {
  return static_cast<std::int32_t>((pixels * 2540 + 48) / 96);
}

}  // namespace

Status WriteWmf(const RasterImage& image, const std::filesystem::path& path, const StorageFormat& format) {
  if (Status status = CheckWritable(image, format); !status) return status;
  const DibLayout layout = MakeDibLayout(image, format);
  const std::int32_t w = image.Width(), h = image.Height();
  const std::uint32_t recordBytes = kStretchDiBitsBytes + layout.InfoBytes() + layout.imageBytes;
  const std::uint32_t totalBytes = kHeaderBytes + recordBytes + kEofBytes;

  std::vector<std::uint8_t> out;
  out.reserve(kHeaderBytes + kStretchDiBitsBytes + layout.InfoBytes());
  // EMR_HEADER
  PutLe32(out, kEmrHeader);
  PutLe32(out, kHeaderBytes);
  PutRect(out, 0, 0, w - 1, h - 1);  // bounds, inclusive, in device pixels
  PutRect(out, 0, 0, HundredthsOfMillimetre(w) - 1, HundredthsOfMillimetre(h) - 1);  // frame, inclusive
  PutLe32(out, kSignature);
  PutLe32(out, 0x00010000u);  // version
  PutLe32(out, totalBytes);
  PutLe32(out, 3u);  // records
  PutLe16(out, 1);   // handles: only the reserved index 0
  PutLe16(out, 0);   // reserved
  PutLe32(out, 0u);  // description length (characters)
  PutLe32(out, 0u);  // description offset
  PutLe32(out, 0u);  // palette entries
  PutLe32(out, kDevicePixels[0]);
  PutLe32(out, kDevicePixels[1]);
  PutLe32(out, kDeviceMillimetres[0]);
  PutLe32(out, kDeviceMillimetres[1]);
  PutLe32(out, 0u);  // pixel format size
  PutLe32(out, 0u);  // pixel format offset
  PutLe32(out, 0u);  // not OpenGL
  PutLe32(out, kDeviceMillimetres[0] * 1000);
  PutLe32(out, kDeviceMillimetres[1] * 1000);
  // EMR_STRETCHDIBITS
  PutLe32(out, kEmrStretchDiBits);
  PutLe32(out, recordBytes);
  PutRect(out, 0, 0, w - 1, h - 1);                        // bounds
  PutLe32(out, 0);                                         // xDest
  PutLe32(out, 0);                                         // yDest
  PutLe32(out, 0);                                         // xSrc
  PutLe32(out, 0);                                         // ySrc
  PutLe32(out, w);                                         // cxSrc
  PutLe32(out, h);                                         // cySrc
  PutLe32(out, kStretchDiBitsBytes);                       // offBmiSrc
  PutLe32(out, layout.InfoBytes());                        // cbBmiSrc
  PutLe32(out, kStretchDiBitsBytes + layout.InfoBytes());  // offBitsSrc
  PutLe32(out, layout.imageBytes);                         // cbBitsSrc
  PutLe32(out, 0u);                                        // DIB_RGB_COLORS
  PutLe32(out, kSrcCopy);
  PutLe32(out, w);  // cxDest
  PutLe32(out, h);  // cyDest
  AppendDibInfo(out, layout, format);

  std::vector<std::uint8_t> eof;
  PutLe32(eof, kEmrEof);
  PutLe32(eof, kEofBytes);
  PutLe32(eof, 0u);   // palette entries
  PutLe32(eof, 16u);  // palette offset
  PutLe32(eof, kEofBytes);

  AtomicFile file;
  if (Status status = file.Open(path); !status) return status;
  file.Write(out.data(), out.size());
  WriteDibRows(file, image, format, layout);
  file.Write(eof.data(), eof.size());
  return file.Commit();
}

}  // namespace quillstone
