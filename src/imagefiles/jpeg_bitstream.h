#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "imagefiles/jpeg_block_encoder.h"
#include "imaging/large_buffer.h"

namespace quillstone {

// The entropy-coded data of a sequential, Huffman-coded JPEG scan at the level of bits:
// reading where every block's codes lie, and writing codes and stretches of bits again.
// Lets a writer copy the blocks a mark leaves alone as the very bits the source holds.

// The bit count of a coefficient's magnitude: its Huffman category.
inline int HuffmanCategory(int value) {
  return std::bit_width(static_cast<unsigned>(value < 0 ? -value : value));
}

// The counts and symbols that define a Huffman table, as a DHT segment holds them.
struct HuffmanSpec {
  std::array<std::uint8_t, 17> counts{};  // codes of each length 1..16; [0] unused
  std::array<std::uint8_t, 256> symbols{};
};

// A table with codes for symbols it lacked, and the shortest length whose codes it changed
// (17: none; every code it had is as it was).
struct ExtendedHuffmanTable {
  HuffmanSpec spec;
  int changedFrom = 17;
};

// The table extended by codes for the symbols `missing` names. The new codes follow the last
// one, all of one length, the shortest at which they fit without a code of ones only. When
// they do not fit within 16 bits, the last codes of the longest lengths below 16 move to 16
// bits until they do, which changes the codes from the shortest length moved on and leaves
// the shorter ones as they are. None when the table would hold more than 256 symbols.
std::optional<ExtendedHuffmanTable> ExtendHuffmanTable(const HuffmanSpec& table,
                                                       const std::array<bool, 256>& missing);

// One Huffman table, for reading codes and writing them.
struct HuffmanCode {
  // Reading: the codes of up to kLookBits bits by their leading bits, (length << 8) |
  // symbol, 0 for a longer code; the longer ones through maxCode and valueOffset.
  static constexpr int kLookBits = 9;
  std::array<std::uint16_t, 1 << kLookBits> look{};
  std::array<std::int32_t, 18> maxCode{};
  std::array<std::int32_t, 17> valueOffset{};
  std::array<std::uint8_t, 256> values{};
  // An AC code with its value's bits: its symbol, the bits they take, the code's own length
  // and how many coefficients it passes.
  struct AcStep {
    std::uint8_t symbol = 0;
    std::uint8_t bits = 0;
    std::uint8_t length = 0;
    std::uint8_t passed = 0;
  };
  // Skipping AC codes in one step: the code that leads with its value's bits, by the leading
  // kSkipBits bits; bits 0 for a code whose value's bits end farther, read through `look`.
  static constexpr int kSkipBits = 12;
  std::array<AcStep, 1 << kSkipBits> skip{};
  // Writing: each symbol's code and its length (0: the table has no code for it).
  std::array<std::uint16_t, 256> code{};
  std::array<std::uint8_t, 256> length{};
};

// The table that `counts` (codes of each length 1..16; counts[0] unused) and `symbols`
// define; none when they make no prefix code or name a symbol twice.
std::optional<HuffmanCode> MakeHuffmanCode(std::span<const std::uint8_t, 17> counts,
                                           std::span<const std::uint8_t, 256> symbols);

// One component of a scan, in scan order.
struct ScanComponent {
  int h = 1;  // blocks across and down in each unit (1 x 1 in a scan of one component)
  int v = 1;
  int dc = 0;  // its tables in ScanLayout::tables
  int ac = 0;
};

// The units of a scan: the interleaved MCUs of all components, or the blocks of one.
struct ScanLayout {
  int unitsAcross = 0;
  int unitsDown = 0;
  int restartInterval = 0;  // units between restart markers; 0: none
  std::vector<ScanComponent> components;
  std::array<std::optional<HuffmanCode>, 8> tables;  // those the components use are set
  std::array<std::optional<HuffmanSpec>, 8> specs;   // the same, as the stream defines them

  int BlocksPerUnit() const;
  const HuffmanCode& Dc(const ScanComponent& c) const { return *tables[static_cast<std::size_t>(c.dc)]; }
  const HuffmanCode& Ac(const ScanComponent& c) const { return *tables[static_cast<std::size_t>(c.ac)]; }
};

// Where one coded block lies in EntropyScan::data, as bit positions, and its DC value.
struct CodedBlock {
  std::uint32_t start = 0;    // its DC difference's code
  std::uint32_t acStart = 0;  // its AC codes
  std::uint32_t end = 0;      // just after its last code
  std::int16_t dc = 0;        // the DC value (the differences summed)
  std::uint8_t longest = 0;   // the length of its longest Huffman code, DC or AC
};

struct EntropyScan {
  // The entropy-coded bytes without their stuffing and restart markers (each restart
  // interval starts on a byte), followed by zero bytes that the codes of one unit cannot
  // read past.
  LargeVector<std::uint8_t> data;
  LargeVector<CodedBlock> blocks;  // every block in coding order, padding blocks included
  std::vector<std::uint32_t> intervalStarts;
};

// Reads the entropy-coded segment that starts `bytes` (just after the scan header) into
// `scan`. False when a table the layout names is missing, or when the data is not sound: a
// code no table holds, more than 64 coefficients in a block, restart markers out of order
// or in the wrong number, data that runs short or has whole bytes left over after an
// interval's last block, or a scan ended by a marker other than the end of the image.
bool ScanEntropyData(std::span<const std::uint8_t> bytes, const ScanLayout& layout, EntropyScan& scan);

// Appends entropy-coded bits to a byte vector, stuffing a zero after every 0xFF.
class BitWriter {
 public:
  explicit BitWriter(LargeVector<std::uint8_t>& out) : out_(out) {}

  // Appends the low `count` bits of `bits` (count <= 32).
  void Put(std::uint32_t bits, int count) {
    bits_ = (bits_ << count) | (bits & ((std::uint64_t{1} << count) - 1));
    count_ += count;
    if (count_ >= 32) Emit32();
  }
  // Appends the bits [from, to) of destuffed data (followed by at least eight readable bytes).
  void Copy(const std::uint8_t* data, std::uint64_t from, std::uint64_t to);
  // Fills the last byte with one bits.
  void PadToByte();
  // Pads and appends a marker (0xFF, code).
  void Marker(std::uint8_t code);

 private:
  void Emit32();  // the 32 oldest bits waiting; fewer than 32 wait after each Put

  LargeVector<std::uint8_t>& out_;
  std::uint64_t bits_ = 0;
  int count_ = 0;
};

// Writes a DC difference with its table; false when the table has no code for its size.
bool PutDcDifference(BitWriter& writer, int difference, const HuffmanCode& table);

// Calls symbol(symbol, value) for each AC symbol a sequential Huffman coder writes for a
// block (natural order): a run of zeros with the next value's size and that value, sixteen
// zeros (0xF0), the end of the block when zeros end it (0x00); value 0 for the last two.
template <typename Symbol>
void ForEachAcSymbol(const CoefficientBlock& block, Symbol&& symbol) {
  int run = 0;
  for (int k = 1; k < 64; ++k) {
    const int value = block[static_cast<std::size_t>(kZigzag[static_cast<std::size_t>(k)])];
    if (value == 0) {
      ++run;
      continue;
    }
    for (; run > 15; run -= 16) symbol(0xF0, 0);
    symbol((run << 4) | HuffmanCategory(value), value);
    run = 0;
  }
  if (run > 0) symbol(0x00, 0);
}

// Writes the AC coefficients of a block as ForEachAcSymbol gives them, each symbol's code
// followed by its value's bits. False when the table lacks a symbol the block needs.
bool PutAcCoefficients(BitWriter& writer, const CoefficientBlock& block, const HuffmanCode& table);

// Writes a scanned block's AC codes again with another table: each symbol's code from `to`,
// its value's bits as they are. False when `to` lacks one of its symbols.
bool RecodeAcCodes(BitWriter& writer, const std::uint8_t* data, const CodedBlock& block,
                   const HuffmanCode& from, const HuffmanCode& to);

}  // namespace quillstone
