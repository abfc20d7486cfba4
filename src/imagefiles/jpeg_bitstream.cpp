#include "imagefiles/jpeg_bitstream.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace quillstone {

namespace {

constexpr int kLook = HuffmanCode::kLookBits;
constexpr int kSkip = HuffmanCode::kSkipBits;
constexpr int kMaxDcCategory = 11;  // 8-bit samples
constexpr int kEndOfBlock = 128;    // coefficients an end of block passes: more than any block holds
// Zero bytes after the destuffed data: more than the codes of one unit (at most ten blocks of
// 64 codes of up to 31 bits with their values) reach, with a window's load beyond.
constexpr std::size_t kScanPadding = 4096;

// The 32 bits from bit position `pos` on, the first in the highest bit.
std::uint32_t Peek32(const std::uint8_t* data, std::uint64_t pos) {
  std::uint64_t word;
  std::memcpy(&word, data + (pos >> 3), sizeof word);
  word = __builtin_bswap64(word);
  return static_cast<std::uint32_t>((word << (pos & 7)) >> 32);
}

// A Huffman code read: its symbol and its length in bits (0: no code of the table).
struct Code {
  int symbol = 0;
  int length = 0;
};

// The code that leads `word` (its first bit the highest).
Code LeadingCode(const HuffmanCode& table, std::uint32_t word) {
  if (const std::uint16_t entry = table.look[word >> (32 - kLook)]; entry != 0)
    return {entry & 0xFF, entry >> 8};
  for (int length = kLook + 1; length <= 16; ++length) {
    const auto code = static_cast<std::int32_t>(word >> (32 - length));
    if (code <= table.maxCode[static_cast<std::size_t>(length)])
      return {
          table.values[static_cast<std::size_t>(code + table.valueOffset[static_cast<std::size_t>(length)])],
          length};
  }
  return {};
}

// How many coefficients an AC symbol passes: its run of zeros and its value, sixteen zeros
// (0xF0), or all that are left (an end of block: any other run with no value, as decoders
// read it).
constexpr int CoefficientsPassed(int symbol) {
  return (symbol & 15) != 0 ? (symbol >> 4) + 1 : symbol == 0xF0 ? 16 : kEndOfBlock;
}

HuffmanCode::AcStep MakeAcStep(int symbol, int length) {
  return {static_cast<std::uint8_t>(symbol), static_cast<std::uint8_t>(length + (symbol & 15)),
          static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(CoefficientsPassed(symbol))};
}

// The AC code that leads `word` with its value's bits: most in one step of the skip table;
// length 0 when no code of the table leads.
inline HuffmanCode::AcStep LeadingAcCode(const HuffmanCode& table, std::uint32_t word) {
  if (const HuffmanCode::AcStep step = table.skip[word >> (32 - kSkip)]; step.bits != 0) return step;
  const Code code = LeadingCode(table, word);
  return code.length > 0 ? MakeAcStep(code.symbol, code.length) : HuffmanCode::AcStep{};
}

// Reads destuffed data bit by bit from a 64-bit window, the next bit the highest, that holds
// at least 56 bits after each Refill: more than a code and its value's bits take.
class BitReader {
 public:
  BitReader(const std::uint8_t* data, std::uint64_t pos) : data_(data), next_(data + (pos >> 3)) {
    Refill();
    Skip(static_cast<int>(pos & 7));
  }
  std::uint64_t Position() const {
    return static_cast<std::uint64_t>(next_ - data_) * 8 - static_cast<std::uint64_t>(count_);
  }
  // Refills when fewer bits wait than a code and its value's bits may take.
  void Ensure31() {
    if (count_ < 31) Refill();
  }
  void Refill() {
    std::uint64_t word;
    std::memcpy(&word, next_, sizeof word);
    window_ |= __builtin_bswap64(word) >> count_;
    next_ += (63 - count_) >> 3;
    count_ |= 56;
  }
  std::uint32_t Peek32() const { return static_cast<std::uint32_t>(window_ >> 32); }
  void Skip(int bits) {
    window_ <<= bits;
    count_ -= bits;
  }

 private:
  const std::uint8_t* data_;
  const std::uint8_t* next_;  // the first byte not yet in the window
  std::uint64_t window_ = 0;
  int count_ = 0;  // the bits in the window
};

// The AC symbol whose code starts at `pos`, which moves past the code but not its value's
// bits; -1 when no code of the table starts there.
int ReadAcSymbol(const HuffmanCode& table, const std::uint8_t* data, std::uint64_t& pos) {
  const HuffmanCode::AcStep step = LeadingAcCode(table, Peek32(data, pos));
  pos += step.length;
  return step.length > 0 ? step.symbol : -1;
}

// Reads the entropy-coded bytes of `bytes` into scan.data without stuffing, noting where
// each restart interval starts; false when restart markers come out of order or the scan
// ends with anything but the end of the image.
bool Unstuff(std::span<const std::uint8_t> bytes, EntropyScan& scan) {
  scan.data.resize(bytes.size() + kScanPadding);
  scan.intervalStarts.assign(1, 0);
  std::uint8_t* out = scan.data.data();
  std::size_t written = 0;
  std::size_t i = 0;
  int nextRestart = 0;
  for (;;) {
    const void* mark = std::memchr(bytes.data() + i, 0xFF, bytes.size() - i);
    const std::size_t at =
        mark == nullptr ? bytes.size() : static_cast<const std::uint8_t*>(mark) - bytes.data();
    std::memcpy(out + written, bytes.data() + i, at - i);
    written += at - i;
    if (at + 1 >= bytes.size()) return false;  // no marker ends the scan
    const std::uint8_t code = bytes[at + 1];
    if (code == 0x00) {
      out[written++] = 0xFF;
      i = at + 2;
    } else if (code == 0xFF) {
      i = at + 1;  // a fill byte before a marker
    } else if (code >= 0xD0 && code <= 0xD7) {
      if (code - 0xD0 != nextRestart) return false;
      nextRestart = (nextRestart + 1) & 7;
      scan.intervalStarts.push_back(static_cast<std::uint32_t>(written));
      i = at + 2;
    } else if (code == 0xD9) {
      break;
    } else {
      return false;
    }
  }
  scan.data.resize(written);
  scan.data.resize(written + kScanPadding, 0);
  return true;
}

// Reads one block's codes; false when they are not sound.
bool ReadBlock(const HuffmanCode& dc, const HuffmanCode& ac, BitReader& bits, int& predictor,
               CodedBlock& block) {
  block.start = static_cast<std::uint32_t>(bits.Position());
  bits.Refill();
  const Code size = LeadingCode(dc, bits.Peek32());
  if (size.length == 0 || size.symbol > kMaxDcCategory) return false;
  bits.Skip(size.length);
  if (size.symbol > 0) {
    const std::uint32_t raw = bits.Peek32() >> (32 - size.symbol);
    bits.Skip(size.symbol);
    predictor += raw < (1u << (size.symbol - 1)) ? static_cast<int>(raw) - (1 << size.symbol) + 1
                                                 : static_cast<int>(raw);
  }
  if (HuffmanCategory(predictor) > kMaxDcCategory) return false;
  block.dc = static_cast<std::int16_t>(predictor);
  block.acStart = static_cast<std::uint32_t>(bits.Position());
  int longest = size.length;
  // k counts the coefficients passed; a block ends when it reaches 64 or at its end of
  // block. Codes that pass more are not sound.
  int k = 1;
  while (k < 64) {
    bits.Ensure31();
    const HuffmanCode::AcStep step = LeadingAcCode(ac, bits.Peek32());
    if (step.length == 0) return false;
    bits.Skip(step.bits);
    longest = std::max<int>(longest, step.length);
    k += step.passed;
  }
  if (k > 64 && k < kEndOfBlock) return false;
  block.end = static_cast<std::uint32_t>(bits.Position());
  block.longest = static_cast<std::uint8_t>(longest);
  return true;
}

}  // namespace

std::optional<HuffmanCode> MakeHuffmanCode(std::span<const std::uint8_t, 17> counts,
                                           std::span<const std::uint8_t, 256> symbols) {
  HuffmanCode table;
  std::array<bool, 256> named{};
  std::uint32_t code = 0;
  int p = 0;
  for (int length = 1; length <= 16; ++length) {
    const int n = counts[static_cast<std::size_t>(length)];
    if (p + n > 256) return std::nullopt;
    table.valueOffset[static_cast<std::size_t>(length)] = p - static_cast<std::int32_t>(code);
    for (int i = 0; i < n; ++i, ++p, ++code) {
      const std::uint8_t symbol = symbols[static_cast<std::size_t>(p)];
      if (named[symbol]) return std::nullopt;
      named[symbol] = true;
      table.values[static_cast<std::size_t>(p)] = symbol;
      table.code[symbol] = static_cast<std::uint16_t>(code);
      table.length[symbol] = static_cast<std::uint8_t>(length);
      if (length <= kLook) {
        const std::uint32_t first = code << (kLook - length);
        for (std::uint32_t fill = 0; fill < (1u << (kLook - length)); ++fill)
          table.look[first + fill] = static_cast<std::uint16_t>((length << 8) | symbol);
      }
      if (const int reach = length + (symbol & 15); reach <= kSkip) {
        const std::uint32_t first = code << (kSkip - length);
        // Each continuation of the code's value bits reaches as far.
        for (std::uint32_t fill = 0; fill < (1u << (kSkip - length)); ++fill)
          table.skip[first + fill] = MakeAcStep(symbol, length);
      }
    }
    // No code may be all ones, so one past the last must still fit the length.
    if (code >= (1u << length)) return std::nullopt;
    table.maxCode[static_cast<std::size_t>(length)] = n > 0 ? static_cast<std::int32_t>(code) - 1 : -1;
    code <<= 1;
  }
  table.maxCode[17] = INT32_MAX;
  return table;
}

std::optional<ExtendedHuffmanTable> ExtendHuffmanTable(const HuffmanSpec& table,
                                                       const std::array<bool, 256>& missing) {
  int present = 0, longest = 1;
  std::array<std::uint32_t, 17> next{};  // the first code after those of each length
  std::uint32_t code = 0;
  for (int length = 1; length <= 16; ++length) {
    code += table.counts[static_cast<std::size_t>(length)];
    next[static_cast<std::size_t>(length)] = code;
    present += table.counts[static_cast<std::size_t>(length)];
    if (table.counts[static_cast<std::size_t>(length)] != 0) longest = length;
    code <<= 1;
  }
  const int wanted = static_cast<int>(std::count(missing.begin(), missing.end(), true));
  if (present + wanted > 256) return std::nullopt;
  // The symbols of each length in the table's order; the missing ones go last.
  std::array<std::vector<std::uint8_t>, 17> symbols;
  for (int length = 1, p = 0; length <= 16; ++length) {
    for (int i = 0; i < table.counts[static_cast<std::size_t>(length)]; ++i)
      symbols[static_cast<std::size_t>(length)].push_back(table.symbols[static_cast<std::size_t>(p++)]);
  }
  ExtendedHuffmanTable extended;
  int length = longest;
  // The free codes run from the first after the last one up to all ones, which is barred.
  while (length < 16 && (next[static_cast<std::size_t>(longest)] << (length - longest)) +
                                static_cast<std::uint32_t>(wanted) >
                            (1u << length) - 1)
    ++length;
  // At 16 bits, a code of length l that moves there frees 2^(16 - l) - 1 codes.
  std::int64_t free = 0xFFFF - std::int64_t{next[16]};
  for (int from = 15; length == 16 && from >= 1 && free < wanted; --from) {
    auto& shorter = symbols[static_cast<std::size_t>(from)];
    for (; !shorter.empty() && free < wanted; shorter.pop_back()) {
      symbols[16].push_back(shorter.back());
      free += (std::int64_t{1} << (16 - from)) - 1;
      extended.changedFrom = from;
    }
  }
  for (std::size_t symbol = 0; symbol < missing.size(); ++symbol) {
    if (missing[symbol])
      symbols[static_cast<std::size_t>(length)].push_back(static_cast<std::uint8_t>(symbol));
  }
  std::size_t p = 0;
  for (std::size_t l = 1; l <= 16; ++l) {
    if (symbols[l].size() > 255) return std::nullopt;  // more than a table can count
    extended.spec.counts[l] = static_cast<std::uint8_t>(symbols[l].size());
    for (const std::uint8_t symbol : symbols[l]) extended.spec.symbols[p++] = symbol;
  }
  return extended;
}

int ScanLayout::BlocksPerUnit() const {
  int blocks = 0;
  for (const ScanComponent& c : components) blocks += c.h * c.v;
  return blocks;
}

bool ScanEntropyData(std::span<const std::uint8_t> bytes, const ScanLayout& layout, EntropyScan& scan) {
  for (const ScanComponent& c : layout.components) {
    if (!layout.tables[static_cast<std::size_t>(c.dc)] || !layout.tables[static_cast<std::size_t>(c.ac)])
      return false;
  }
  if (!Unstuff(bytes, scan)) return false;
  const long units = static_cast<long>(layout.unitsAcross) * layout.unitsDown;
  const long interval = layout.restartInterval > 0 ? layout.restartInterval : units;
  if (units <= 0 || static_cast<long>(scan.intervalStarts.size()) != (units + interval - 1) / interval)
    return false;
  scan.blocks.resize(static_cast<std::size_t>(units * layout.BlocksPerUnit()));
  const std::uint8_t* data = scan.data.data();
  const std::size_t dataBytes = scan.data.size() - kScanPadding;
  if (dataBytes > UINT32_MAX / 8) return false;  // beyond the blocks' 32-bit bit positions
  std::array<int, 4> predictor{};
  BitReader bits(data, 0);
  std::uint64_t endOfInterval = 0;
  std::size_t next = 0;
  for (long unit = 0; unit < units; ++unit) {
    if (unit % interval == 0) {
      if ((bits.Position() + 7) / 8 * 8 != endOfInterval) return false;  // short, or bytes left over
      const auto index = static_cast<std::size_t>(unit / interval);
      bits = BitReader(data, std::uint64_t{scan.intervalStarts[index]} * 8);
      endOfInterval =
          8 *
          std::uint64_t{index + 1 < scan.intervalStarts.size() ? scan.intervalStarts[index + 1] : dataBytes};
      predictor.fill(0);
    }
    for (std::size_t ci = 0; ci < layout.components.size(); ++ci) {
      const ScanComponent& c = layout.components[ci];
      for (int b = 0; b < c.h * c.v; ++b) {
        if (!ReadBlock(layout.Dc(c), layout.Ac(c), bits, predictor[ci], scan.blocks[next++])) return false;
      }
    }
    // Within one unit the codes cannot run further past the data than its padding.
    if (bits.Position() > endOfInterval) return false;
  }
  return (bits.Position() + 7) / 8 * 8 == endOfInterval;
}

void BitWriter::Emit32() {
  count_ -= 32;
  const auto word = static_cast<std::uint32_t>(bits_ >> count_);
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(word >> 24), static_cast<std::uint8_t>(word >> 16),
                                 static_cast<std::uint8_t>(word >> 8), static_cast<std::uint8_t>(word)};
  // A byte of ones in the word is a zero byte in its complement.
  const std::uint32_t inverted = ~word;
  if (((inverted - 0x01010101u) & ~inverted & 0x80808080u) == 0) {
    out_.insert(out_.end(), bytes, bytes + 4);
    return;
  }
  for (const std::uint8_t byte : bytes) {
    out_.push_back(byte);
    if (byte == 0xFF) out_.push_back(0x00);
  }
}

void BitWriter::Copy(const std::uint8_t* data, std::uint64_t from, std::uint64_t to) {
  while (from < to) {
    const int n = static_cast<int>(std::min<std::uint64_t>(32, to - from));
    Put(static_cast<std::uint32_t>(std::uint64_t{Peek32(data, from)} >> (32 - n)), n);
    from += static_cast<std::uint64_t>(n);
  }
}

void BitWriter::PadToByte() {
  if (const int fill = (8 - count_ % 8) % 8; fill > 0) {
    bits_ = (bits_ << fill) | ((1u << fill) - 1);
    count_ += fill;
  }
  while (count_ >= 8) {
    count_ -= 8;
    const auto byte = static_cast<std::uint8_t>(bits_ >> count_);
    out_.push_back(byte);
    if (byte == 0xFF) out_.push_back(0x00);
  }
}

void BitWriter::Marker(std::uint8_t code) {
  PadToByte();
  out_.push_back(0xFF);
  out_.push_back(code);
}

bool PutDcDifference(BitWriter& writer, int difference, const HuffmanCode& table) {
  const int size = HuffmanCategory(difference);
  if (size > kMaxDcCategory || table.length[static_cast<std::size_t>(size)] == 0) return false;
  writer.Put(table.code[static_cast<std::size_t>(size)], table.length[static_cast<std::size_t>(size)]);
  if (size > 0) writer.Put(static_cast<std::uint32_t>(difference < 0 ? difference - 1 : difference), size);
  return true;
}

bool PutAcCoefficients(BitWriter& writer, const CoefficientBlock& block, const HuffmanCode& table) {
  bool coded = true;
  ForEachAcSymbol(block, [&](int symbol, int value) {
    const std::uint8_t length = table.length[static_cast<std::size_t>(symbol)];
    if (length == 0 || (symbol & 15) > 10) {
      coded = false;
      return;
    }
    writer.Put(table.code[static_cast<std::size_t>(symbol)], length);
    writer.Put(static_cast<std::uint32_t>(value < 0 ? value - 1 : value), symbol & 15);
  });
  return coded;
}

namespace {

// Calls symbol(symbol, valueStart) for each AC code of a scanned block.
template <typename Symbol>
void ForEachAcCode(const std::uint8_t* data, const CodedBlock& block, const HuffmanCode& table,
                   Symbol&& symbol) {
  std::uint64_t pos = block.acStart;
  while (pos < block.end) {
    const int code = ReadAcSymbol(table, data, pos);
    if (code < 0) return;  // the scan read the same codes with the same table
    symbol(code, pos);
    pos += static_cast<std::uint64_t>(code & 15);
  }
}

}  // namespace

bool RecodeAcCodes(BitWriter& writer, const std::uint8_t* data, const CodedBlock& block,
                   const HuffmanCode& from, const HuffmanCode& to) {
  bool coded = true;
  ForEachAcCode(data, block, from, [&](int symbol, std::uint64_t value) {
    const std::uint8_t length = to.length[static_cast<std::size_t>(symbol)];
    if (length == 0) coded = false;
    const int size = symbol & 15;
    const std::uint32_t bits = size > 0 ? Peek32(data, value) >> (32 - size) : 0;
    writer.Put((std::uint32_t{to.code[static_cast<std::size_t>(symbol)]} << size) | bits, length + size);
  });
  return coded;
}

}  // namespace quillstone
