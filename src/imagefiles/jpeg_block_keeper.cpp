#include "imagefiles/jpeg_block_keeper.h"

#include <jerror.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

#include "imagefiles/jpeg_bitstream.h"
#include "imagefiles/jpeg_block_encoder.h"
#include "imagefiles/jpeg_block_splice.h"
#include "imagefiles/jpeg_decoder.h"
#include "imagefiles/jpeg_glue.h"
#include "imagefiles/jpeg_segments.h"
#include "imaging/large_buffer.h"

namespace quillstone {

namespace {

// The whole-image coefficient arrays of a keeping write, which stand in for libjpeg's own:
// those come from plain malloc and are first touched page by page, which costs more than
// decoding the blocks; these share one buffer of huge pages, as rasters do. libjpeg sees
// each array as an opaque jvirt_barray_ptr and reaches its rows through the memory
// manager's methods, which the session replaces.
struct BlockArray {
  JDIMENSION blocksPerRow = 0;
  JDIMENSION rows = 0;
  std::vector<JBLOCKROW> rowPointers;
};

struct BlockArrays {
  std::vector<std::unique_ptr<BlockArray>> arrays;
  KeptBlocksMemory ownMemory;
  KeptBlocksMemory* memory = &ownMemory;
  void (*libraryRealize)(j_common_ptr) = nullptr;  // realizes what the library's own methods asked
};

// Everything a keeping write touches lives here, outside the function that calls setjmp, so
// that a longjmp never skips a destructor.
struct Session {
  JpegErrors errors{};
  jpeg_decompress_struct source{};
  jpeg_compress_struct output{};
  bool sourceMade = false;
  bool outputMade = false;
  std::string problem;  // why the stream's blocks cannot be kept
  BlockLayout layout;
  std::vector<std::uint8_t> changed;  // per unit of one unit row
  std::vector<CoefficientBlock> blocks;
  std::vector<JBLOCKARRAY> rows;  // per component: the block rows of one unit row
  KeptBlocksCount count;
  BlockArrays blockArrays;
  // The AC symbols (run and size) the blocks encoded anew need, per Huffman table slot.
  std::array<std::array<bool, 256>, NUM_HUFF_TBLS> acSymbolsNeeded{};

  Session() {
    source.err = UseJpegErrors(errors);
    output.err = source.err;
  }
  ~Session() {
    if (outputMade) jpeg_destroy_compress(&output);
    if (sourceMade) jpeg_destroy_decompress(&source);
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
};

BlockArrays& ArraysOf(j_common_ptr cinfo) {
  return static_cast<Session*>(cinfo->client_data)->blockArrays;
}

jvirt_barray_ptr RequestBlockArray(j_common_ptr cinfo, int, boolean, JDIMENSION blocksPerRow, JDIMENSION rows,
                                   JDIMENSION) {
  BlockArrays& all = ArraysOf(cinfo);
  try {
    auto array = std::make_unique<BlockArray>();
    array->blocksPerRow = blocksPerRow;
    array->rows = rows;
    all.arrays.push_back(std::move(array));
  } catch (const std::bad_alloc&) {
    ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 1);
  }
  return reinterpret_cast<jvirt_barray_ptr>(all.arrays.back().get());
}

// Gives every array its rows in one zeroed buffer (a sequential stream's decoder writes only
// a block's nonzero coefficients).
void RealizeBlockArrays(j_common_ptr cinfo) {
  BlockArrays& all = ArraysOf(cinfo);
  all.libraryRealize(cinfo);
  std::size_t blocks = 0;
  for (const auto& array : all.arrays) blocks += std::size_t{array->blocksPerRow} * array->rows;
  try {
    KeptBlocksMemory& memory = *all.memory;
    if (memory.bytes < blocks * sizeof(JBLOCK)) {
      memory.buffer.reset();  // the old buffer goes before the larger one comes
      memory.bytes = 0;
      memory.buffer = AllocateLargeBuffer(std::max<std::size_t>(blocks, 1) * sizeof(JBLOCK));
      memory.bytes = blocks * sizeof(JBLOCK);
    }
    std::memset(memory.buffer.get(), 0, blocks * sizeof(JBLOCK));
    auto* next = reinterpret_cast<JBLOCKROW>(memory.buffer.get());
    for (const auto& array : all.arrays) {
      array->rowPointers.resize(array->rows);
      for (JBLOCKROW& row : array->rowPointers) {
        row = next;
        next += array->blocksPerRow;
      }
    }
  } catch (const std::bad_alloc&) {
    ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 2);
  }
}

JBLOCKARRAY AccessBlockArray(j_common_ptr cinfo, jvirt_barray_ptr ptr, JDIMENSION startRow, JDIMENSION rows,
                             boolean) {
  auto* array = reinterpret_cast<BlockArray*>(ptr);
  if (startRow + rows > array->rows || array->rowPointers.empty()) ERREXIT(cinfo, JERR_BAD_VIRTUAL_ACCESS);
  return array->rowPointers.data() + startRow;
}

// Makes the source's coefficient arrays the session's own (the compressor reads them
// through AccessBlockArray too).
void UseOwnBlockArrays(Session& s) {
  s.source.client_data = &s;
  s.blockArrays.libraryRealize = s.source.mem->realize_virt_arrays;
  s.source.mem->request_virt_barray = RequestBlockArray;
  s.source.mem->realize_virt_arrays = RealizeBlockArrays;
  s.source.mem->access_virt_barray = AccessBlockArray;
}

// Why the blocks of a stream whose header has been read cannot be kept; empty when they can.
std::string LayoutProblem(const jpeg_decompress_struct& source) {
  if (source.data_precision != 8)
    return "the source has " + std::to_string(source.data_precision) + "-bit samples";
  if (source.jpeg_color_space != JCS_YCbCr && source.jpeg_color_space != JCS_GRAYSCALE)
    return source.jpeg_color_space == JCS_CMYK || source.jpeg_color_space == JCS_YCCK
               ? "the source's colours are CMYK"
               : "the source's colours are neither YCbCr nor grey";
  for (int ci = 0; ci < source.num_components; ++ci) {
    const jpeg_component_info& c = source.comp_info[ci];
    if (source.max_h_samp_factor % c.h_samp_factor != 0 || source.max_v_samp_factor % c.v_samp_factor != 0)
      return "the source's chroma sampling is fractional";
  }
  return {};
}

// The segments the metadata writer owns: EXIF and XMP (APP1), the colour profile (APP2) and
// IPTC (APP13).
bool MetadataSegment(int marker, std::string_view data) {
  const auto startsWith = [&](std::string_view tag) { return data.substr(0, tag.size()) == tag; };
  switch (marker) {
    case JPEG_APP0 + 1:
      return startsWith(std::string_view("Exif\0", 5)) || startsWith("http://ns.adobe.com/");
    case JPEG_APP0 + 2:
      return startsWith(std::string_view("ICC_PROFILE\0", 12));
    case JPEG_APP0 + 13:
      return startsWith(std::string_view("Photoshop 3.0\0", 14));
    default:
      return false;
  }
}

// The saved segments libjpeg's compressor is not to write again: the metadata, and the JFIF
// segment (APP0) it writes itself.
bool OwnedElsewhere(const jpeg_marker_struct& marker) {
  const std::string_view data(reinterpret_cast<const char*>(marker.data), marker.data_length);
  return (marker.marker == JPEG_APP0 && data.substr(0, 5) == std::string_view("JFIF\0", 5)) ||
         MetadataSegment(marker.marker, data);
}

BlockLayout LayoutOf(const jpeg_decompress_struct& source) {
  BlockLayout layout;
  layout.width = static_cast<int>(source.image_width);
  layout.height = static_cast<int>(source.image_height);
  layout.maxH = source.max_h_samp_factor;
  layout.maxV = source.max_v_samp_factor;
  layout.components.resize(static_cast<std::size_t>(source.num_components));
  for (int ci = 0; ci < source.num_components; ++ci) {
    const jpeg_component_info& from = source.comp_info[ci];
    BlockComponent& c = layout.components[static_cast<std::size_t>(ci)];
    c.h = from.h_samp_factor;
    c.v = from.v_samp_factor;
    c.widthInBlocks = static_cast<int>(from.width_in_blocks);
    c.heightInBlocks = static_cast<int>(from.height_in_blocks);
    // A missing table fails the library's own checks first; a zero quantiser only comes
    // from a broken table and is taken as 1.
    const JQUANT_TBL* table = source.quant_tbl_ptrs[from.quant_tbl_no & 3];
    for (int i = 0; i < 64 && table != nullptr; ++i)
      c.quant[i] = std::max<std::uint16_t>(table->quantval[i], 1);
  }
  return layout;
}

// Encodes the changed units of every unit row again into the source's coefficient arrays.
void ReplaceChangedUnits(Session& s, jvirt_barray_ptr* arrays, const RasterImage& decoded,
                         const RasterImage& marked) {
  const BlockLayout& layout = s.layout;
  auto common = reinterpret_cast<j_common_ptr>(&s.source);
  for (int uy = 0; uy < layout.UnitsDown(); ++uy) {
    FindChangedUnits(decoded, marked, layout, uy, s.changed);
    if (std::find(s.changed.begin(), s.changed.end(), 1) == s.changed.end()) continue;
    std::vector<JBLOCKARRAY>& rows = s.rows;
    rows.resize(layout.components.size());
    for (std::size_t ci = 0; ci < rows.size(); ++ci) {
      const int v = layout.components[ci].v;
      rows[ci] = (*s.source.mem->access_virt_barray)(common, arrays[ci], static_cast<JDIMENSION>(uy * v),
                                                     static_cast<JDIMENSION>(v), TRUE);
    }
    for (int ux = 0; ux < layout.UnitsAcross(); ++ux) {
      if (!s.changed[ux]) continue;
      ++s.count.encoded;
      EncodeUnit(marked, layout, ux, uy, s.blocks);
      std::size_t next = 0;
      for (std::size_t ci = 0; ci < rows.size(); ++ci) {
        const BlockComponent& c = layout.components[ci];
        for (int by = 0; by < c.v; ++by) {
          for (int bx = 0; bx < c.h; ++bx, ++next) {
            const int blockX = ux * c.h + bx;
            if (blockX >= c.widthInBlocks || uy * c.v + by >= c.heightInBlocks) continue;
            std::memcpy(rows[ci][by][blockX], s.blocks[next].data(), sizeof(JBLOCK));
            ForEachAcSymbol(s.blocks[next], [&](int symbol, int) {
              s.acSymbolsNeeded[s.source.comp_info[ci].ac_tbl_no & 3][static_cast<std::size_t>(symbol)] =
                  true;
            });
          }
        }
      }
    }
  }
}

// Whether the source's Huffman tables are the ones `output` holds (the standard tables, after
// jpeg_copy_critical_parameters): then the kept blocks cost what they cost in the source
// without a statistics pass.
bool SameHuffmanTables(const jpeg_decompress_struct& source, const jpeg_compress_struct& output) {
  const auto same = [](const JHUFF_TBL* a, const JHUFF_TBL* b) {
    if (a == nullptr) return true;  // a slot the source leaves empty uses nothing
    if (b == nullptr || std::memcmp(a->bits, b->bits, sizeof a->bits) != 0) return false;
    int symbols = 0;
    for (int i = 1; i <= 16; ++i) symbols += a->bits[i];
    return std::memcmp(a->huffval, b->huffval, static_cast<std::size_t>(symbols)) == 0;
  };
  for (int i = 0; i < NUM_HUFF_TBLS; ++i) {
    if (!same(source.dc_huff_tbl_ptrs[i], output.dc_huff_tbl_ptrs[i]) ||
        !same(source.ac_huff_tbl_ptrs[i], output.ac_huff_tbl_ptrs[i]))
      return false;
  }
  return true;
}

// The symbols a Huffman table holds a code for; none for a table that names a symbol twice,
// which a decoder reads but libjpeg's coder refuses.
std::array<bool, 256> SymbolsOf(const JHUFF_TBL& table) {
  std::array<bool, 256> present{};
  int symbols = 0;
  for (int i = 1; i <= 16; ++i) symbols += table.bits[i];
  for (int i = 0; i < std::min(symbols, 256); ++i) {
    if (present[table.huffval[i]]) return {};
    present[table.huffval[i]] = true;
  }
  return present;
}

// Whether the source's own Huffman tables can code the output: every DC difference of every
// block in coding order (restarts start again from zero), the AC symbols of the blocks
// encoded anew, and what the coder's padding blocks at the right and bottom edges write (a
// zero difference and an end of block). The kept blocks' AC symbols were coded with these
// tables in the source, all but the end of a block: a source may have coded it as any run
// of zeros of size 0 (0x10 to 0xE0, which decoders take alike), where the coder writes 0x00,
// so that one is needed for every block whose last coefficient is zero.
bool SourceTablesCover(Session& s, jvirt_barray_ptr* arrays) {
  const jpeg_decompress_struct& src = s.source;
  auto common = reinterpret_cast<j_common_ptr>(&s.source);
  const bool interleaved = src.num_components > 1;
  const int unitsAcross = interleaved ? s.layout.UnitsAcross() : src.comp_info[0].width_in_blocks;
  const int unitsDown = interleaved ? s.layout.UnitsDown() : src.comp_info[0].height_in_blocks;
  std::array<std::array<bool, 256>, NUM_HUFF_TBLS> dcNeeded{};
  for (int ci = 0; interleaved && ci < src.num_components; ++ci) {
    const jpeg_component_info& c = src.comp_info[ci];
    if (unitsAcross * c.h_samp_factor == static_cast<int>(c.width_in_blocks) &&
        unitsDown * c.v_samp_factor == static_cast<int>(c.height_in_blocks))
      continue;  // no padding blocks
    dcNeeded[c.dc_tbl_no & 3][0] = true;
    s.acSymbolsNeeded[c.ac_tbl_no & 3][0x00] = true;
  }
  std::vector<int> predictor(static_cast<std::size_t>(src.num_components), 0);
  long unit = 0;
  for (int uy = 0; uy < unitsDown; ++uy) {
    for (int ux = 0; ux < unitsAcross; ++ux, ++unit) {
      if (src.restart_interval != 0 && unit % src.restart_interval == 0)
        std::fill(predictor.begin(), predictor.end(), 0);
      for (int ci = 0; ci < src.num_components; ++ci) {
        const jpeg_component_info& c = src.comp_info[ci];
        const int h = interleaved ? c.h_samp_factor : 1, v = interleaved ? c.v_samp_factor : 1;
        const auto width = static_cast<int>(c.width_in_blocks), height = static_cast<int>(c.height_in_blocks);
        for (int by = uy * v; by < std::min(uy * v + v, height); ++by) {
          const JBLOCKROW row =
              (*src.mem->access_virt_barray)(common, arrays[ci], static_cast<JDIMENSION>(by), 1, FALSE)[0];
          for (int bx = ux * h; bx < std::min(ux * h + h, width); ++bx) {
            const int dc = row[bx][0];
            // A block whose last coefficient is zero ends with an end of block.
            if (row[bx][DCTSIZE2 - 1] == 0) s.acSymbolsNeeded[c.ac_tbl_no & 3][0x00] = true;
            dcNeeded[c.dc_tbl_no & 3][static_cast<std::size_t>(HuffmanCategory(dc - predictor[ci]))] = true;
            predictor[ci] = dc;
          }
        }
      }
    }
  }
  for (int i = 0; i < NUM_HUFF_TBLS; ++i) {
    const auto covers = [](const JHUFF_TBL* table, const std::array<bool, 256>& needed) {
      if (std::find(needed.begin(), needed.end(), true) == needed.end()) return true;
      if (table == nullptr) return false;
      const std::array<bool, 256> present = SymbolsOf(*table);
      for (std::size_t symbol = 0; symbol < 256; ++symbol) {
        if (needed[symbol] && !present[symbol]) return false;
      }
      return true;
    };
    if (!covers(src.dc_huff_tbl_ptrs[i], dcNeeded[i]) ||
        !covers(src.ac_huff_tbl_ptrs[i], s.acSymbolsNeeded[i]))
      return false;
  }
  return true;
}

// Gives the output the source's Huffman tables and their assignment to the components.
void UseSourceTables(Session& s) {
  auto common = reinterpret_cast<j_common_ptr>(&s.output);
  const auto copy = [&](const JHUFF_TBL* from, JHUFF_TBL*& to) {
    if (from == nullptr) return;
    if (to == nullptr) to = jpeg_alloc_huff_table(common);
    std::memcpy(to->bits, from->bits, sizeof to->bits);
    std::memcpy(to->huffval, from->huffval, sizeof to->huffval);
    to->sent_table = FALSE;
  };
  for (int i = 0; i < NUM_HUFF_TBLS; ++i) {
    copy(s.source.dc_huff_tbl_ptrs[i], s.output.dc_huff_tbl_ptrs[i]);
    copy(s.source.ac_huff_tbl_ptrs[i], s.output.ac_huff_tbl_ptrs[i]);
  }
  for (int ci = 0; ci < s.output.num_components; ++ci) {
    s.output.comp_info[ci].dc_tbl_no = s.source.comp_info[ci].dc_tbl_no;
    s.output.comp_info[ci].ac_tbl_no = s.source.comp_info[ci].ac_tbl_no;
  }
}

// Reads the source's header into s.source; false when its blocks cannot be kept.
// Library errors jump back to the caller's setjmp.
bool ReadSourceHeader(Session& s, std::span<const std::uint8_t> file) {
  jpeg_create_decompress(&s.source);
  s.sourceMade = true;
  UseOwnBlockArrays(s);
  jpeg_mem_src(&s.source, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_save_markers(&s.source, JPEG_COM, 0xFFFF);
  for (int n = 0; n < 16; ++n) jpeg_save_markers(&s.source, JPEG_APP0 + n, 0xFFFF);
  jpeg_read_header(&s.source, TRUE);
  s.problem = LayoutProblem(s.source);
  return s.problem.empty();
}

// The whole keeping write; returns false on a library error or a refused source. Holds no
// objects with destructors, since a library error leaves it through longjmp.
bool Keep(Session& s, const RasterImage& marked, const JpegBlocksSource& from, JpegSinkDestination& sink) {
  if (setjmp(s.errors.jump)) return false;
  if (from.memory != nullptr) s.blockArrays.memory = from.memory;
  if (!ReadSourceHeader(s, from.file)) return false;
  jvirt_barray_ptr* arrays = jpeg_read_coefficients(&s.source);
  if (s.source.err->num_warnings > 0) {
    s.problem = "the source is damaged";
    return false;
  }
  if (static_cast<int>(s.source.image_width) != marked.Width() ||
      static_cast<int>(s.source.image_height) != marked.Height() || from.decoded.Width() != marked.Width() ||
      from.decoded.Height() != marked.Height()) {
    s.problem = "the picture's size changed";
    return false;
  }
  jpeg_create_compress(&s.output);
  s.outputMade = true;
  s.output.client_data = &s;
  s.output.mem->access_virt_barray = AccessBlockArray;
  s.output.dest = sink.Manager();
  jpeg_copy_critical_parameters(&s.source, &s.output);
  if (s.source.progressive_mode) jpeg_simple_progression(&s.output);
  // An arithmetic-coded source stays arithmetic-coded (it needs no tables of statistics).
  s.output.arith_code = s.source.arith_code;
  s.output.restart_interval = s.source.restart_interval;
  s.layout = LayoutOf(s.source);
  s.count.units = s.layout.UnitsAcross() * s.layout.UnitsDown();
  ReplaceChangedUnits(s, arrays, from.decoded, marked);
  // A sequential Huffman-coded source of one scan keeps its tables when they code the new
  // blocks too: then the kept blocks cost what they cost in the source, without a statistics
  // pass (with more scans, a table may have been defined anew between them). Otherwise tables
  // are computed for the data (a progressive source's always are).
  s.output.optimize_coding = !s.source.arith_code;
  if (!s.source.progressive_mode && !s.source.arith_code) {
    if (SameHuffmanTables(s.source, s.output)) {
      s.output.optimize_coding = FALSE;
    } else if (s.source.input_scan_number == 1 && SourceTablesCover(s, arrays)) {
      UseSourceTables(s);
      s.output.optimize_coding = FALSE;
    }
  }
  jpeg_write_coefficients(&s.output, arrays);
  for (jpeg_saved_marker_ptr m = s.source.marker_list; m != nullptr; m = m->next) {
    if (!OwnedElsewhere(*m)) jpeg_write_marker(&s.output, m->marker, m->data, m->data_length);
  }
  jpeg_finish_compress(&s.output);
  jpeg_finish_decompress(&s.source);
  return true;
}

// Reads only the header; false on a library error, leaving the reason in the session.
bool ReadHeaderOnly(Session& s, std::span<const std::uint8_t> file) {
  if (setjmp(s.errors.jump)) return false;
  return ReadSourceHeader(s, file);
}

// The markers the header walk names.
constexpr int kStartOfImage = 0xD8;
constexpr int kBaselineFrame = 0xC0;
constexpr int kExtendedFrame = 0xC1;
constexpr int kHuffmanTables = 0xC4;
constexpr int kQuantTables = 0xDB;
constexpr int kStartOfScan = 0xDA;

// Calls `segment(marker, bytes)` for the start-of-image marker and each segment of the
// header of `file` (ForEachJpegSegment), the scan header last, which must end at
// `scanStart`; false when the header is not whole.
template <typename Segment>
bool ForEachHeaderSegment(std::span<const std::uint8_t> file, std::size_t scanStart, Segment&& segment) {
  if (scanStart > file.size() || scanStart < 2) return false;
  segment(kStartOfImage, file.first(2));
  std::size_t end = 0;
  const bool whole =
      ForEachJpegSegment(file.first(scanStart), [&](std::uint8_t marker, std::size_t at, std::size_t length) {
        segment(marker, file.subspan(at, length));
        end = marker == kStartOfScan ? at + length : 0;
      });
  return whole && end == scanStart;
}

// Sets up memory's layouts for a source whose header s.source holds; false when its blocks
// cannot be copied as bits: not one sequential Huffman-coded scan of all its components in
// their order, a single component sampled other than 1 x 1, or a table missing or unusable.
bool MakeScanLayout(const Session& s, KeptBlocksMemory& memory) {
  const jpeg_decompress_struct& src = s.source;
  if (src.progressive_mode || src.arith_code || src.comps_in_scan != src.num_components ||
      src.err->num_warnings > 0)
    return false;
  memory.blockLayout = LayoutOf(src);
  ScanLayout& scan = memory.scanLayout;
  scan = {};
  const bool interleaved = src.num_components > 1;
  scan.unitsAcross =
      interleaved ? memory.blockLayout.UnitsAcross() : static_cast<int>(src.comp_info[0].width_in_blocks);
  scan.unitsDown =
      interleaved ? memory.blockLayout.UnitsDown() : static_cast<int>(src.comp_info[0].height_in_blocks);
  scan.restartInterval = static_cast<int>(src.restart_interval);
  for (int ci = 0; ci < src.num_components; ++ci) {
    const jpeg_component_info& comp = src.comp_info[ci];
    if (src.cur_comp_info[ci] != &comp || src.quant_tbl_ptrs[comp.quant_tbl_no & 3] == nullptr) return false;
    if (!interleaved && (comp.h_samp_factor != 1 || comp.v_samp_factor != 1)) return false;
    const auto table = [&](const JHUFF_TBL* from, int slot) {
      const auto at = static_cast<std::size_t>(slot);
      if (from != nullptr && !scan.tables[at]) {
        HuffmanSpec& spec = scan.specs[at].emplace();
        std::copy(std::begin(from->bits), std::end(from->bits), spec.counts.begin());
        std::copy(std::begin(from->huffval), std::end(from->huffval), spec.symbols.begin());
        scan.tables[at] = MakeHuffmanCode(spec.counts, spec.symbols);
      }
      return scan.tables[at].has_value();
    };
    const int dc = comp.dc_tbl_no & 3;
    const int ac = NUM_HUFF_TBLS + (comp.ac_tbl_no & 3);
    if (!table(src.dc_huff_tbl_ptrs[dc], dc) || !table(src.ac_huff_tbl_ptrs[ac - NUM_HUFF_TBLS], ac))
      return false;
    scan.components.push_back({comp.h_samp_factor, comp.v_samp_factor, dc, ac});
  }
  return true;
}

// Reads the header and scans the entropy-coded data into memory; false as ScanJpegSource.
bool Scan(std::span<const std::uint8_t> file, KeptBlocksMemory& memory) {
  Session s;
  if (!ReadHeaderOnly(s, file) || !MakeScanLayout(s, memory)) return false;
  memory.scanStart = static_cast<std::size_t>(s.source.src->next_input_byte - file.data());
  return ScanEntropyData(file.subspan(memory.scanStart), memory.scanLayout, memory.scan);
}

// Appends a DHT segment defining `tables` (by slot: DC 0..3, AC 4..7).
void AppendHuffmanTables(const std::array<std::optional<HuffmanSpec>, 8>& tables,
                         LargeVector<std::uint8_t>& out) {
  const std::size_t at = out.size();
  out.insert(out.end(), {0xFF, static_cast<std::uint8_t>(kHuffmanTables), 0, 0});
  for (std::size_t slot = 0; slot < tables.size(); ++slot) {
    if (!tables[slot]) continue;
    out.push_back(static_cast<std::uint8_t>((slot >= NUM_HUFF_TBLS ? 0x10 : 0x00) | (slot % NUM_HUFF_TBLS)));
    int symbols = 0;
    for (int i = 1; i <= 16; ++i) {
      out.push_back(tables[slot]->counts[static_cast<std::size_t>(i)]);
      symbols += tables[slot]->counts[static_cast<std::size_t>(i)];
    }
    out.insert(out.end(), tables[slot]->symbols.begin(), tables[slot]->symbols.begin() + symbols);
  }
  const std::size_t length = out.size() - at - 2;
  out[at + 2] = static_cast<std::uint8_t>(length >> 8);
  out[at + 3] = static_cast<std::uint8_t>(length);
}

// Writes the output from the source's bits (PlanSplice, WriteSplice): its header without the
// metadata segments, and with tables of its own when the source's cannot code it. False,
// having written nothing, when the source does not allow it (Scan), its size is not the
// pictures' or a block cannot be coded.
bool KeepByCopyingBits(const RasterImage& marked, const JpegBlocksSource& from, ByteSink& sink,
                       KeptBlocksCount& count) {
  KeptBlocksMemory ownMemory;
  KeptBlocksMemory& memory = from.memory != nullptr ? *from.memory : ownMemory;
  if (!from.scanned && !Scan(from.file, memory)) return false;
  const BlockLayout& layout = memory.blockLayout;
  if (layout.width != marked.Width() || layout.height != marked.Height() ||
      from.decoded.Width() != marked.Width() || from.decoded.Height() != marked.Height())
    return false;
  SplicePlan& plan = memory.plan;
  PlanSplice(memory.scan, memory.scanLayout, layout, from.decoded, marked,
             from.scanned ? &from.changeable : nullptr, plan);
  const bool newTables = plan.NewTables();
  LargeVector<std::uint8_t>& out = memory.output;
  out.clear();
  out.reserve(from.file.size() + from.file.size() / 8 + 1024);
  const bool header =
      ForEachHeaderSegment(from.file, memory.scanStart, [&](int marker, std::span<const std::uint8_t> bytes) {
        const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        if (marker != kStartOfImage && MetadataSegment(marker, data.substr(4))) return;
        if (newTables && marker == kHuffmanTables) return;
        if (newTables && marker == kStartOfScan) {
          // The tables the scan uses, new or the source's.
          std::array<std::optional<HuffmanSpec>, 8> tables;
          for (const ScanComponent& c : memory.scanLayout.components) {
            for (const auto slot : {static_cast<std::size_t>(c.dc), static_cast<std::size_t>(c.ac)})
              tables[slot] =
                  plan.newTables[slot] ? plan.newTables[slot]->spec : memory.scanLayout.specs[slot];
          }
          AppendHuffmanTables(tables, out);
        }
        out.insert(out.end(), bytes.begin(), bytes.end());
      });
  if (!header || !WriteSplice(memory.scan, memory.scanLayout, layout, plan, out)) return false;
  sink.Write(out.data(), out.size());
  count = {layout.UnitsAcross() * layout.UnitsDown(), plan.encoded, true};
  return true;
}

}  // namespace

std::string JpegBlocksProblem(std::span<const std::uint8_t> file, bool greyOutput) {
  Session s;
  if (ReadHeaderOnly(s, file))
    return greyOutput && s.source.num_components != 1 ? "the output is greyscale" : "";
  return s.problem.empty() ? std::string("the source cannot be read: ") + s.errors.message : s.problem;
}

bool ScanJpegSource(std::span<const std::uint8_t> file, KeptBlocksMemory& memory) {
  return Scan(file, memory);
}

bool DecodeScannedUnits(std::span<const std::uint8_t> file, KeptBlocksMemory& memory, Rect units,
                        RasterImage& target) {
  // A scan of one component has 8 x 8 units: MakeScanLayout takes it only sampled 1 x 1.
  const BlockLayout& layout = memory.blockLayout;
  const Rect pixels = layout.UnitPixels(units);
  const int left = pixels.left, top = pixels.top, width = pixels.Width(), height = pixels.Height();
  if (width <= 0 || height <= 0 || target.Width() != layout.width || target.Height() != layout.height)
    return false;
  // The units' own picture: the source's tables, its frame header with their size, no
  // restarts, and their blocks' codes.
  LargeVector<std::uint8_t>& out = memory.output;
  out.clear();
  const bool header =
      ForEachHeaderSegment(file, memory.scanStart, [&](int marker, std::span<const std::uint8_t> bytes) {
        const bool frame = marker == kBaselineFrame || marker == kExtendedFrame;
        if (!frame && marker != kStartOfImage && marker != kQuantTables && marker != kHuffmanTables &&
            marker != kStartOfScan)
          return;
        const std::size_t at = out.size();
        out.insert(out.end(), bytes.begin(), bytes.end());
        if (frame && bytes.size() >= 9) {  // its height and width
          out[at + 5] = static_cast<std::uint8_t>(height >> 8);
          out[at + 6] = static_cast<std::uint8_t>(height);
          out[at + 7] = static_cast<std::uint8_t>(width >> 8);
          out[at + 8] = static_cast<std::uint8_t>(width);
        }
      });
  if (!header || !CopyUnits(memory.scan, memory.scanLayout, units, out)) return false;
  std::string damage;
  if (!DecodeJpegMemory(out.data(), out.size(), memory.units, &damage) || !damage.empty() ||
      memory.units.Width() != width || memory.units.Height() != height)
    return false;
  for (int y = 0; y < height; ++y)
    std::memcpy(target.Row(top + y) + 3 * left, memory.units.Row(y), 3 * static_cast<std::size_t>(width));
  return true;
}

Status EncodeKeepingBlocks(const RasterImage& marked, const JpegBlocksSource& source, ByteSink& sink,
                           const std::filesystem::path& path, KeptBlocksCount* count) {
  if (!source.throughLibrary) {
    KeptBlocksCount copied;
    if (KeepByCopyingBits(marked, source, sink, copied)) {
      if (count != nullptr) *count = copied;
      return sink.Failed() ? Status::Error("cannot write JPEG " + path.string()) : Status::Ok();
    }
    // Only the changeable units of a scanned source's pictures hold its pixels.
    if (source.scanned)
      return Status::Error("cannot write JPEG " + path.string() + ": its bits cannot be copied");
  }
  Session s;
  JpegSinkDestination destination(sink);
  const bool kept = Keep(s, marked, source, destination);
  if (count != nullptr) *count = s.count;
  if (kept) return Status::Ok();
  return Status::Error("cannot write JPEG " + path.string() + ": " +
                       (s.problem.empty() ? std::string(s.errors.message) : s.problem));
}

}  // namespace quillstone
