#include "imagefiles/jpeg_block_keeper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "imagefiles/jpeg_block_splice.h"
#include "imagefiles/jpeg_decoder.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

std::span<const std::uint8_t> Bytes(const std::string& file) {
  return {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()};
}

// What a JPEG stream holds, read back through libjpeg's coefficient calls.
struct Coefficients {
  std::string sampling;  // "2x2 1x1 1x1"
  bool progressive = false;
  bool arithmetic = false;
  unsigned restart = 0;
  std::string huffman;  // each component's DC and AC table, counts and symbols
  std::vector<std::string> comments;
  struct Plane {
    int h, v, across, down;
    std::vector<std::array<JCOEF, DCTSIZE2>> blocks;  // row by row
  };
  std::vector<Plane> planes;
  // What a kept stream carries over unchanged: sampling, mode, restart interval and comments.
  auto Form() const { return std::tie(sampling, progressive, arithmetic, restart, comments); }
};

Coefficients ReadCoefficients(const std::string& file) {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, Bytes(file).data(), file.size());
  jpeg_save_markers(&cinfo, JPEG_COM, 0xFFFF);
  jpeg_read_header(&cinfo, TRUE);
  jvirt_barray_ptr* arrays = jpeg_read_coefficients(&cinfo);
  Coefficients out;
  out.progressive = cinfo.progressive_mode;
  out.arithmetic = cinfo.arith_code;
  out.restart = cinfo.restart_interval;
  for (jpeg_saved_marker_ptr m = cinfo.marker_list; m != nullptr; m = m->next)
    out.comments.emplace_back(reinterpret_cast<const char*>(m->data), m->data_length);
  for (int ci = 0; ci < cinfo.num_components; ++ci) {
    const jpeg_component_info& c = cinfo.comp_info[ci];
    out.sampling += (ci ? " " : "") + std::to_string(c.h_samp_factor) + "x" + std::to_string(c.v_samp_factor);
    for (const JHUFF_TBL* table :
         {cinfo.dc_huff_tbl_ptrs[c.dc_tbl_no], cinfo.ac_huff_tbl_ptrs[c.ac_tbl_no]}) {
      if (table == nullptr) continue;
      out.huffman.append(reinterpret_cast<const char*>(table->bits), sizeof table->bits);
      out.huffman.append(reinterpret_cast<const char*>(table->huffval), sizeof table->huffval);
    }
    Coefficients::Plane plane{c.h_samp_factor,
                              c.v_samp_factor,
                              static_cast<int>(c.width_in_blocks),
                              static_cast<int>(c.height_in_blocks),
                              {}};
    for (JDIMENSION y = 0; y < c.height_in_blocks; ++y) {
      JBLOCKARRAY row =
          (*cinfo.mem->access_virt_barray)(reinterpret_cast<j_common_ptr>(&cinfo), arrays[ci], y, 1, FALSE);
      for (JDIMENSION x = 0; x < c.width_in_blocks; ++x)
        std::copy(row[0][x], row[0][x] + DCTSIZE2, plane.blocks.emplace_back().begin());
    }
    out.planes.push_back(std::move(plane));
  }
  jpeg_destroy_decompress(&cinfo);
  return out;
}

// libjpeg's own encode of `image` with the source's quantisation tables, sampling and
// colours, and the restart interval given.
std::string EncodeLikeSource(const RasterImage& image, const std::string& source, unsigned restart = 0) {
  jpeg_decompress_struct in{};
  jpeg_compress_struct out{};
  jpeg_error_mgr errors{};
  in.err = out.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&in);
  jpeg_mem_src(&in, Bytes(source).data(), source.size());
  jpeg_read_header(&in, TRUE);
  jpeg_read_coefficients(&in);
  jpeg_create_compress(&out);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&out, &buffer, &size);
  jpeg_copy_critical_parameters(&in, &out);
  out.in_color_space = JCS_EXT_BGR;
  out.input_components = 3;
  out.dct_method = JDCT_ISLOW;
  out.restart_interval = restart;
  jpeg_start_compress(&out, TRUE);
  while (out.next_scanline < out.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.Row(static_cast<int>(out.next_scanline)));
    jpeg_write_scanlines(&out, &row, 1);
  }
  jpeg_finish_compress(&out);
  jpeg_destroy_compress(&out);
  jpeg_destroy_decompress(&in);
  std::string file(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return file;
}

RasterImage Decode(const std::string& file) {
  RasterImage image;
  EXPECT_TRUE(DecodeJpegMemory(Bytes(file).data(), file.size(), image));
  return image;
}

// Paints a small colourful patch, as a logo would be.
void PaintPatch(RasterImage& image, int left, int top, int width, int height) {
  for (int y = std::max(top, 0); y < std::min(top + height, image.Height()); ++y)
    for (int x = std::max(left, 0); x < std::min(left + width, image.Width()); ++x)
      image.SetPixel(x, y, MakeColor(40 * x, 255 - 30 * y, 17 * (x + y)));
}

// A grey picture whose AC table has one code of each length 1..16 and no room for more;
// each block holds one coefficient of 1 after a run of zeros one longer than in the block
// before (two in the first), so that the blocks use codes of every length from 5 bits on.
// The blocks a mark adds need symbols the table lacks, so some of its longest codes change.
std::string GreyWithFullTables() {
  jpeg_compress_struct out{};
  jpeg_error_mgr errors{};
  out.err = jpeg_std_error(&errors);
  jpeg_create_compress(&out);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&out, &buffer, &size);
  out.image_width = 32;
  out.image_height = 24;
  out.input_components = 1;
  out.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&out);
  JHUFF_TBL* ac = out.ac_huff_tbl_ptrs[0];
  std::fill(std::begin(ac->bits), std::end(ac->bits), 1);
  ac->bits[0] = 0;
  const UINT8 symbols[16] = {0x00, 0xF0, 0x01, 0x11, 0x21, 0x31, 0x41, 0x51,
                             0x61, 0x71, 0x81, 0x91, 0xA1, 0xB1, 0xC1, 0xD1};
  std::copy(std::begin(symbols), std::end(symbols), ac->huffval);
  const auto common = reinterpret_cast<j_common_ptr>(&out);
  jvirt_barray_ptr blocks = (*out.mem->request_virt_barray)(common, JPOOL_IMAGE, TRUE, 4, 3, 1);
  jpeg_write_coefficients(&out, &blocks);
  for (JDIMENSION by = 0; by < 3; ++by) {
    JBLOCKARRAY row = (*out.mem->access_virt_barray)(common, blocks, by, 1, TRUE);
    for (JDIMENSION bx = 0; bx < 4; ++bx) {
      std::fill(row[0][bx], row[0][bx] + DCTSIZE2, 0);
      row[0][bx][kZigzag[by * 4 + bx + 3]] = 1;
    }
  }
  jpeg_finish_compress(&out);
  jpeg_destroy_compress(&out);
  std::string file(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return file;
}

struct KeepCase {
  const char* file;  // in the corpus, or a name for `make`
  const char* sampling;
  bool copiesBits;                  // a sequential Huffman-coded stream of one scan
  unsigned restart = 0;             // nonzero: the file encoded again by libjpeg with this restart interval
  std::string (*make)() = nullptr;  // makes the source instead
};

// Each case is written by copying the source's bits where it can and, to compare, through
// the library's coefficient arrays.
class KeepBlocksTest : public ::testing::TestWithParam<std::tuple<KeepCase, bool>> {};

// A corner logo and a small patch: every block of a unit the marks left alone is the
// source's; every block of a changed unit is libjpeg's own encode of the marked picture
// with the source's tables; decoded, the output is the source outside the changed units
// and a one-pixel ring, and inside them no farther from the marked picture than libjpeg's
// whole encode; mode, restart interval and comments are kept.
TEST_P(KeepBlocksTest, KeepsUntouchedUnitsAndEncodesChangedOnesAsLibjpeg) {
  QUILLSTONE_REQUIRE_TESTDATA(data);
  const auto& [param, throughLibrary] = GetParam();
  SCOPED_TRACE(std::string(param.file) + (throughLibrary ? " through the library" : ""));
  std::string source = param.make != nullptr ? param.make() : testing::FileContents(data / param.file);
  if (param.restart > 0) source = EncodeLikeSource(Decode(source), source, param.restart);
  const RasterImage original = Decode(source);
  RasterImage marked = original;
  PaintPatch(marked, original.Width() - 13, original.Height() - 9, 13, 9);
  PaintPatch(marked, 9, 3, 5, 5);

  // The cases share the arrays' memory, as a batch thread's files do: what one file leaves
  // there must not reach the next.
  static KeptBlocksMemory memory;
  MemorySink sink;
  KeptBlocksCount count;
  ASSERT_TRUE(EncodeKeepingBlocks(
      marked,
      {.file = Bytes(source), .decoded = original, .memory = &memory, .throughLibrary = throughLibrary}, sink,
      "out.jpg", &count));
  EXPECT_EQ(count.copiedBits, param.copiesBits && !throughLibrary);
  const std::string whole = EncodeLikeSource(marked, source);
  const Coefficients from = ReadCoefficients(source), written = ReadCoefficients(sink.bytes),
                     reference = ReadCoefficients(whole);
  ASSERT_EQ(from.sampling, param.sampling);
  EXPECT_EQ(written.Form(), from.Form());

  // The units the marks changed, by their pixels.
  int maxH = 1, maxV = 1;
  for (const auto& p : from.planes) maxH = std::max(maxH, p.h), maxV = std::max(maxV, p.v);
  const int width = original.Width(), height = original.Height(), unitW = 8 * maxH, unitH = 8 * maxV;
  const int across = (width + unitW - 1) / unitW, down = (height + unitH - 1) / unitH;
  std::vector<char> changedUnits(static_cast<std::size_t>(across) * down, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (!(original.Pixel(x, y) == marked.Pixel(x, y))) changedUnits[y / unitH * across + x / unitW] = 1;
  const auto changedUnit = [&](int ux, int uy) { return changedUnits[uy * across + ux] != 0; };
  EXPECT_EQ(count.encoded, std::count(changedUnits.begin(), changedUnits.end(), 1));
  EXPECT_EQ(count.units, across * down);

  for (std::size_t ci = 0; ci < written.planes.size(); ++ci) {
    const auto& plane = written.planes[ci];
    for (int by = 0; by < plane.down; ++by) {
      for (int bx = 0; bx < plane.across; ++bx) {
        const std::size_t at = static_cast<std::size_t>(by) * plane.across + bx;
        const auto& expected = changedUnit(bx / plane.h, by / plane.v) ? reference.planes[ci].blocks[at]
                                                                       : from.planes[ci].blocks[at];
        ASSERT_EQ(plane.blocks[at], expected) << "component " << ci << " block " << bx << "," << by;
      }
    }
  }

  const RasterImage out = Decode(sink.bytes);
  const auto nearChange = [&](int x, int y) {  // in a changed unit or one pixel from one
    for (const int dy : {-1, 1})
      for (const int dx : {-1, 1})
        if (changedUnit(std::clamp(x + dx, 0, width - 1) / unitW, std::clamp(y + dy, 0, height - 1) / unitH))
          return true;
    return false;
  };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      ASSERT_TRUE(nearChange(x, y) || out.Pixel(x, y) == original.Pixel(x, y)) << x << "," << y;
  // Largest and summed channel error against the marked picture inside the changed units.
  const auto error = [&](const RasterImage& image) {
    std::pair<int, long> e{0, 0};
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (!changedUnit(x / unitW, y / unitH)) continue;
        const Rgb a = image.Pixel(x, y), b = marked.Pixel(x, y);
        for (const int d : {a.r - b.r, a.g - b.g, a.b - b.b})
          e = {std::max(e.first, std::abs(d)), e.second + std::abs(d)};
      }
    }
    return e;
  };
  const auto ours = error(out), libjpeg = error(Decode(whole));
  EXPECT_LE(ours.first, libjpeg.first);
  EXPECT_LE(ours.second, libjpeg.second);

  // Unmarked, the file costs no more than the source (within 2 %); a sequential Huffman-coded
  // one keeps the source's own tables.
  MemorySink unmarked;
  ASSERT_TRUE(EncodeKeepingBlocks(
      original,
      {.file = Bytes(source), .decoded = original, .memory = &memory, .throughLibrary = throughLibrary},
      unmarked, "same.jpg"));
  EXPECT_LE(unmarked.bytes.size(), source.size() * 1.02);
  if (!from.progressive && !from.arithmetic) {
    EXPECT_EQ(ReadCoefficients(unmarked.bytes).huffman, from.huffman);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, KeepBlocksTest,
    ::testing::Combine(
        ::testing::Values(KeepCase{"jpeg/jpeg-decoder/reftest/progressive3.jpg", "1x1 1x1 1x1", false},
                          KeepCase{"jpeg/jpeg-decoder/crashtest/multiple-0xff-before-eoi.jpg", "2x1 1x1 1x1",
                                   true},
                          KeepCase{"jpeg/libjpeg-turbo/testorig.jpg", "2x2 1x1 1x1", true},
                          KeepCase{"jpeg/libjpeg-turbo/testorig.jpg", "2x2 1x1 1x1", true, 7},
                          KeepCase{"jpeg/libjpeg-turbo/testimgp.jpg", "2x2 1x1 1x1", false},
                          KeepCase{"jpeg/libjpeg-turbo/testimgari.jpg", "2x2 1x1 1x1", false},
                          KeepCase{"jpeg/libjpeg-turbo/testimggray.jpg", "1x1", true},
                          KeepCase{"jpeg/libjpeg-turbo/testimggray.jpg", "1x1", true, 5},
                          KeepCase{"jpeg/jpegsuite/baseline/32x32x8_restarts.jpg", "1x1", true},
                          KeepCase{"jpeg/jpegsuite/baseline/32x32x8_comments.jpg", "1x1", true},
                          KeepCase{"grey, full tables", "1x1", true, 0, GreyWithFullTables}),
        ::testing::Bool()));

// A scan cut short, its end marker right after, is refused without reading past its data
// (the codes zero bits make pass few coefficients each, so a block runs far beyond).
TEST(ScanJpegSource, RefusesAScanCutShort) {
  QUILLSTONE_REQUIRE_TESTDATA(data);
  std::string file = testing::FileContents(data / "jpeg/libjpeg-turbo/testorig.jpg");
  file.resize(file.size() / 2);
  while (static_cast<unsigned char>(file.back()) == 0xFF) file.pop_back();
  file += "\xFF\xD9";
  KeptBlocksMemory memory;
  EXPECT_FALSE(ScanJpegSource(Bytes(file), memory));
}

// Units decoded as a picture of their own are the whole picture's pixels inside their ring
// of units (up to the picture's edges), and nothing else of the target is touched.
TEST(DecodeScannedUnits, GivesTheWholeDecodeInsideTheUnitsRing) {
  QUILLSTONE_REQUIRE_TESTDATA(data);
  struct Case {
    const char* file;
    unsigned restart;
    Rect units;
  };
  for (const Case& c : {Case{"jpeg/libjpeg-turbo/testorig.jpg", 0, {3, 2, 9, 7}},
                        Case{"jpeg/libjpeg-turbo/testorig.jpg", 4, {10, 5, 15, 10}},
                        Case{"jpeg/jpeg-decoder/crashtest/multiple-0xff-before-eoi.jpg", 0, {0, 0, 6, 4}},
                        Case{"jpeg/libjpeg-turbo/testimggray.jpg", 3, {20, 10, 29, 19}}}) {
    SCOPED_TRACE(c.file);
    std::string file = testing::FileContents(data / c.file);
    if (c.restart > 0) file = EncodeLikeSource(Decode(file), file, c.restart);
    const RasterImage whole = Decode(file);
    KeptBlocksMemory memory;
    ASSERT_TRUE(ScanJpegSource(Bytes(file), memory));
    RasterImage target(whole.Width(), whole.Height(), 0x123456);
    ASSERT_TRUE(DecodeScannedUnits(Bytes(file), memory, c.units, target));
    const int unitW = memory.blockLayout.UnitWidth(), unitH = memory.blockLayout.UnitHeight();
    const int across = memory.scanLayout.unitsAcross, down = memory.scanLayout.unitsDown;
    const Rect inner{c.units.left > 0 ? c.units.left + 1 : 0, c.units.top > 0 ? c.units.top + 1 : 0,
                     c.units.right < across ? c.units.right - 1 : across,
                     c.units.bottom < down ? c.units.bottom - 1 : down};
    for (int y = 0; y < whole.Height(); ++y) {
      for (int x = 0; x < whole.Width(); ++x) {
        if (inner.Contains(x / unitW, y / unitH)) {
          ASSERT_EQ(target.Pixel(x, y), whole.Pixel(x, y)) << x << "," << y;
        } else if (!c.units.Contains(x / unitW, y / unitH)) {
          ASSERT_EQ(target.Pixel(x, y), SplitColor(0x123456)) << x << "," << y;
        }
      }
    }
  }
}

// A table takes codes for the symbols it lacks after its last code, at the shortest length
// where they fit, every code it had staying as it was; a table without room moves its last
// codes of the longest lengths below 16 to 16 bits until they fit, and the codes shorter
// than the shortest it moved stay as they were.
TEST(ExtendHuffmanTable, AddsCodesAfterTheLastAndKeepsTheShorterOnes) {
  struct Case {
    std::vector<int> lengths;  // the table: one symbol (0, 1, ...) of each length given
    int wanted;                // symbols 0x80, 0x81, ... to add
    int newLength;             // their length
    int changedFrom;           // 17: no code changed
  };
  const std::vector<int> full{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  for (const Case& c :
       {Case{{2, 2, 3}, 2, 3, 17}, Case{{1, 2, 3}, 1, 4, 17}, Case{{1, 2, 3}, 3, 5, 17},
        Case{{1, 2}, 1, 3, 17}, Case{full, 1, 16, 15}, Case{full, 4, 16, 14}, Case{full, 5, 16, 13}}) {
    SCOPED_TRACE(std::to_string(c.lengths.size()) + " codes, " + std::to_string(c.wanted) + " more");
    HuffmanSpec table;
    for (std::size_t i = 0; i < c.lengths.size(); ++i) {
      ++table.counts[static_cast<std::size_t>(c.lengths[i])];
      table.symbols[i] = static_cast<std::uint8_t>(i);
    }
    std::array<bool, 256> missing{};
    for (int i = 0; i < c.wanted; ++i) missing[static_cast<std::size_t>(0x80 + i)] = true;
    const std::optional<ExtendedHuffmanTable> extended = ExtendHuffmanTable(table, missing);
    ASSERT_TRUE(extended.has_value());
    EXPECT_EQ(extended->changedFrom, c.changedFrom);
    const std::optional<HuffmanCode> before = MakeHuffmanCode(table.counts, table.symbols);
    const std::optional<HuffmanCode> after = MakeHuffmanCode(extended->spec.counts, extended->spec.symbols);
    ASSERT_TRUE(before && after);
    for (std::size_t i = 0; i < c.lengths.size(); ++i) {
      EXPECT_NE(after->length[i], 0);
      if (before->length[i] >= c.changedFrom) continue;
      EXPECT_EQ(after->code[i], before->code[i]);
      EXPECT_EQ(after->length[i], before->length[i]);
    }
    for (int i = 0; i < c.wanted; ++i)
      EXPECT_EQ(after->length[static_cast<std::size_t>(0x80 + i)], c.newLength);
  }
}

// Streams whose blocks cannot be kept say why before anything is written.
TEST(KeepBlocksRefusal, NamesWhyAStreamIsRefused) {
  QUILLSTONE_REQUIRE_TESTDATA(data);
  const std::string cmyk = testing::FileContents(data / "jpeg/jpegsuite/baseline/32x32x8_cmyk.jpg");
  const std::string rgb = testing::FileContents(data / "jpeg/jpegsuite/baseline/32x32x8_rgb.jpg");
  EXPECT_EQ(JpegBlocksProblem(Bytes(cmyk)), "the source's colours are CMYK");
  EXPECT_EQ(JpegBlocksProblem(Bytes(rgb)), "the source's colours are neither YCbCr nor grey");
  EXPECT_NE(JpegBlocksProblem(Bytes("not a jpeg")).find("cannot be read"), std::string::npos);
}

}  // namespace
}  // namespace quillstone
