#include <cstdio>
#include <vector>

#include "imagefiles/jpeg_decoder.h"
#include "support/test_support.h"

// jpeglib.h uses size_t and FILE without declaring them: <cstdio> comes first.
#include <jpeglib.h>

namespace quillstone {
namespace {

// Encodes a flat picture (every pixel `pixel`, one byte per component) with libjpeg at
// quality 100, no chroma subsampling, so that flat blocks come back exactly.
std::vector<std::uint8_t> EncodeFlat(int width, int height, J_COLOR_SPACE in, J_COLOR_SPACE stored,
                                     const std::vector<std::uint8_t>& pixel, bool progressive = false) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = static_cast<int>(pixel.size());
  cinfo.in_color_space = in;
  jpeg_set_defaults(&cinfo);
  jpeg_set_colorspace(&cinfo, stored);
  for (int c = 0; c < cinfo.num_components; ++c) {
    cinfo.comp_info[c].h_samp_factor = 1;
    cinfo.comp_info[c].v_samp_factor = 1;
  }
  jpeg_set_quality(&cinfo, 100, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<std::uint8_t> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), pixel.begin(), pixel.end());
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<std::uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

Status Decode(const std::vector<std::uint8_t>& bytes, RasterImage& out,
              std::int64_t maxPixels = kDecodeMaxPixels) {
  return DecodeJpegMemory(bytes.data(), bytes.size(), out, nullptr, maxPixels);
}

// The bytes decode to a width x height picture whose every pixel is `want`, each channel
// within the tolerance.
void ExpectFlat(const std::vector<std::uint8_t>& bytes, int width, int height, Rgb want, int tolerance = 0) {
  RasterImage out;
  const Status status = Decode(bytes, out);
  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_LE(testing::LargestDifference(out, RasterImage(width, height, MakeColor(want))), tolerance)
      << out.Width() << "x" << out.Height() << ", first pixel " << testing::Describe(out.Pixel(0, 0));
}

TEST(JpegDecode, CmykIsTakenAsInvertedAndScaledByBlack) {
  struct Case {
    std::vector<std::uint8_t> cmyk;
    Rgb want;  // R = C * K / 255, G = M * K / 255, B = Y * K / 255, rounded
  };
  const Case cases[] = {
      {{200, 100, 50, 128}, {100, 50, 25}},  // 100.39, 50.20, 25.10
      {{200, 100, 50, 255}, {200, 100, 50}},
      {{255, 255, 255, 0}, {0, 0, 0}},
      {{1, 3, 255, 128}, {1, 2, 128}},  // 0.50, 1.51, 128.0
  };
  for (const Case& c : cases) {
    ExpectFlat(EncodeFlat(8, 8, JCS_CMYK, JCS_CMYK, c.cmyk), 8, 8, c.want);
    // YCCK stores the same picture after a colour transform, so it may land one step off.
    ExpectFlat(EncodeFlat(8, 8, JCS_CMYK, JCS_YCCK, c.cmyk), 8, 8, c.want, 1);
  }
}

// Offset of the frame header's height field (SOF0 or SOF2: FF C0/C2, length, precision).
std::size_t FrameSizeOffset(const std::vector<std::uint8_t>& bytes) {
  for (std::size_t i = 0; i + 9 < bytes.size(); ++i) {
    if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC2)) return i + 5;
  }
  return 0;
}

TEST(JpegDecode, SizesBeyondTheLimitsAreRefusedBeforeDecoding) {
  std::vector<std::uint8_t> bytes = EncodeFlat(16, 16, JCS_GRAYSCALE, JCS_GRAYSCALE, {9});
  const std::size_t at = FrameSizeOffset(bytes);
  ASSERT_NE(at, 0u);
  // 60000 x 60000 is within libjpeg's own limit but far above 2^28 pixels.
  bytes[at] = bytes[at + 2] = 0xEA;
  bytes[at + 1] = bytes[at + 3] = 0x60;
  RasterImage out(4, 4);
  Status status = Decode(bytes, out);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.message(), "image size 60000x60000 exceeds 2^28 pixels");
  EXPECT_TRUE(out.Empty());

  status = Decode(EncodeFlat(16, 16, JCS_GRAYSCALE, JCS_GRAYSCALE, {9}), out, 255);
  EXPECT_EQ(status.message(), "image size 16x16 exceeds the limit of 255 pixels");
}

TEST(JpegDecode, EndlessScanSequencesAreRefused) {
  std::vector<std::uint8_t> bytes = EncodeFlat(16, 16, JCS_GRAYSCALE, JCS_GRAYSCALE, {9}, true);
  // Repeat the last scan (its SOS marker up to EOI) until there are more than 1000 scans.
  std::size_t lastScan = bytes.size() - 2;
  while (lastScan > 0 && !(bytes[lastScan] == 0xFF && bytes[lastScan + 1] == 0xDA)) --lastScan;
  ASSERT_GT(lastScan, 0u);
  const std::vector<std::uint8_t> scan(bytes.begin() + static_cast<std::ptrdiff_t>(lastScan),
                                       bytes.end() - 2);
  bytes.erase(bytes.end() - 2, bytes.end());  // the EOI marker
  for (int i = 0; i < 1000; ++i) bytes.insert(bytes.end(), scan.begin(), scan.end());
  bytes.insert(bytes.end(), {0xFF, 0xD9});
  RasterImage out;
  const Status status = Decode(bytes, out);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.message(), "JPEG stream has more than 1000 scans");
}

// Empty data is refused before libjpeg sees it; libjpeg's own errors (a bad table, a missing
// scan, a side beyond its limit) come back as messages for the test data's refused files.
TEST(JpegDecode, EmptyDataIsRefused) {
  RasterImage out(2, 2);
  EXPECT_FALSE(DecodeJpegMemory(nullptr, 0, out).ok());
}

}  // namespace
}  // namespace quillstone
