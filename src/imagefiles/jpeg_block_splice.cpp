#include "imagefiles/jpeg_block_splice.h"

#include <algorithm>
#include <cstddef>

namespace quillstone {

namespace {

// One block of the output, in coding order.
struct OutputBlock {
  std::size_t component;
  const CodedBlock& source;       // the source's block at its place
  const CoefficientBlock* fresh;  // its coefficients encoded anew; null: the source's kept
  int difference;                 // its DC difference in the output
  bool sameCodes;                 // kept with the source's DC difference: its codes as they are
};

// Calls restart(index) where the n-th restart marker goes and block(OutputBlock) for every
// block of the output, padding blocks included, keeping each component's DC predictor in
// the output and in the source.
template <typename Restart, typename Block>
void ForEachOutputBlock(const EntropyScan& scan, const ScanLayout& scanLayout, const BlockLayout& layout,
                        const SplicePlan& plan, Restart&& restart, Block&& block) {
  static const CoefficientBlock kPadding{};
  const bool interleaved = scanLayout.components.size() > 1;
  std::array<int, 4> outPredictor{}, sourcePredictor{};
  std::size_t next = 0, fresh = 0;
  long unit = 0;
  const long interval = scanLayout.restartInterval;
  for (int uy = 0; uy < scanLayout.unitsDown; ++uy) {
    for (int ux = 0; ux < scanLayout.unitsAcross; ++ux, ++unit) {
      if (interval > 0 && unit > 0 && unit % interval == 0) {
        restart(static_cast<int>(unit / interval - 1));
        outPredictor.fill(0);
        sourcePredictor.fill(0);
      }
      const bool changed = plan.changed[static_cast<std::size_t>(unit)] != 0;
      for (std::size_t ci = 0; ci < scanLayout.components.size(); ++ci) {
        const ScanComponent& c = scanLayout.components[ci];
        const BlockComponent& bc = layout.components[ci];
        for (int by = 0; by < c.v; ++by) {
          for (int bx = 0; bx < c.h; ++bx) {
            const CodedBlock& source = scan.blocks[next++];
            int dc = source.dc;
            const CoefficientBlock* coefficients = nullptr;
            if (changed) {
              // A padding block past the component's edge repeats the DC before it.
              const bool inside =
                  !interleaved || (ux * c.h + bx < bc.widthInBlocks && uy * c.v + by < bc.heightInBlocks);
              const CoefficientBlock& ours = plan.blocks[fresh++];
              coefficients = inside ? &ours : &kPadding;
              dc = inside ? ours[0] : outPredictor[ci];
            }
            block(OutputBlock{ci, source, coefficients, dc - outPredictor[ci],
                              !changed && outPredictor[ci] == sourcePredictor[ci]});
            outPredictor[ci] = dc;
            sourcePredictor[ci] = source.dc;
          }
        }
      }
    }
  }
}

// The bits to copy that have not been written yet, as one stretch of the source, so that
// runs of kept blocks are copied at once.
struct PendingCopy {
  BitWriter& writer;
  const std::uint8_t* data;
  std::uint64_t from = 0;
  std::uint64_t to = 0;

  void Flush() {
    writer.Copy(data, from, to);
    from = to = 0;
  }
  void Add(std::uint64_t start, std::uint64_t end) {
    if (to != start || from == to) {
      Flush();
      from = start;
    }
    to = end;
  }
};

bool HasCode(const HuffmanCode& table, int symbol) {
  return symbol < 256 && table.length[static_cast<std::size_t>(symbol)] != 0;
}

}  // namespace

bool SplicePlan::NewTables() const {
  for (const auto& table : newTables) {
    if (table) return true;
  }
  return false;
}

void PlanSplice(const EntropyScan& scan, const ScanLayout& scanLayout, const BlockLayout& layout,
                const RasterImage& decoded, const RasterImage& marked, const Rect* changeable,
                SplicePlan& plan) {
  plan.changed.assign(
      static_cast<std::size_t>(scanLayout.unitsAcross) * static_cast<std::size_t>(scanLayout.unitsDown), 0);
  plan.blocks.clear();
  plan.encoded = 0;
  plan.newTables = {};
  std::vector<std::uint8_t> row;
  std::vector<CoefficientBlock> unit;
  for (int uy = 0; uy < scanLayout.unitsDown; ++uy) {
    if (changeable == nullptr) {
      FindChangedUnits(decoded, marked, layout, uy, row);
    } else if (uy >= changeable->top && uy < changeable->bottom) {
      FindChangedUnits(decoded, marked, layout, uy, row, changeable->left, changeable->right);
    } else {
      continue;
    }
    for (int ux = 0; ux < scanLayout.unitsAcross; ++ux) {
      if (!row[static_cast<std::size_t>(ux)]) continue;
      plan.changed[static_cast<std::size_t>(uy) * static_cast<std::size_t>(scanLayout.unitsAcross) +
                   static_cast<std::size_t>(ux)] = 1;
      ++plan.encoded;
      EncodeUnit(marked, layout, ux, uy, unit);
      plan.blocks.insert(plan.blocks.end(), unit.begin(), unit.end());
    }
  }
  if (plan.encoded == 0) return;  // every block's codes as they are
  // The symbols each table lacks.
  std::array<std::array<bool, 256>, 8> missing{};
  bool coded = true;
  const auto need = [&](int slot, int symbol) {
    if (HasCode(*scanLayout.tables[static_cast<std::size_t>(slot)], symbol)) return;
    missing[static_cast<std::size_t>(slot)][static_cast<std::size_t>(symbol)] = true;
    coded = false;
  };
  ForEachOutputBlock(
      scan, scanLayout, layout, plan, [](int) {},
      [&](const OutputBlock& b) {
        if (b.sameCodes) return;
        const ScanComponent& c = scanLayout.components[b.component];
        need(c.dc, std::min(HuffmanCategory(b.difference), 255));
        if (b.fresh != nullptr) ForEachAcSymbol(*b.fresh, [&](int symbol, int) { need(c.ac, symbol); });
      });
  if (coded) return;
  for (std::size_t slot = 0; slot < missing.size(); ++slot) {
    if (std::find(missing[slot].begin(), missing[slot].end(), true) != missing[slot].end())
      plan.newTables[slot] = ExtendHuffmanTable(*scanLayout.specs[slot], missing[slot]);
  }
}

bool WriteSplice(const EntropyScan& scan, const ScanLayout& scanLayout, const BlockLayout& layout,
                 const SplicePlan& plan, LargeVector<std::uint8_t>& out) {
  std::array<std::optional<HuffmanCode>, 8> made;
  for (std::size_t slot = 0; slot < made.size(); ++slot) {
    if (const auto& table = plan.newTables[slot])
      made[slot] = MakeHuffmanCode(table->spec.counts, table->spec.symbols);
  }
  const auto table = [&](int slot) -> const HuffmanCode* {
    const auto at = static_cast<std::size_t>(slot);
    const auto& from = made[at] ? made[at] : scanLayout.tables[at];
    return from ? &*from : nullptr;
  };
  // A kept block of a component is written anew when one of its codes is as long as the
  // shortest its tables changed.
  std::array<int, 4> changedFrom;
  changedFrom.fill(17);
  for (std::size_t ci = 0; ci < scanLayout.components.size(); ++ci) {
    for (const int slot : {scanLayout.components[ci].dc, scanLayout.components[ci].ac}) {
      if (const auto& table = plan.newTables[static_cast<std::size_t>(slot)])
        changedFrom[ci] = std::min(changedFrom[ci], table->changedFrom);
    }
  }
  BitWriter writer(out);
  const std::uint8_t* data = scan.data.data();
  PendingCopy copy{writer, data};
  bool coded = true;
  ForEachOutputBlock(
      scan, scanLayout, layout, plan,
      [&](int index) {
        copy.Flush();
        writer.Marker(static_cast<std::uint8_t>(0xD0 + (index & 7)));
      },
      [&](const OutputBlock& b) {
        const bool recode = b.fresh == nullptr && b.source.longest >= changedFrom[b.component];
        if (b.sameCodes && !recode) {
          copy.Add(b.source.start, b.source.end);
          return;
        }
        copy.Flush();
        const ScanComponent& c = scanLayout.components[b.component];
        const HuffmanCode* dc = table(c.dc);
        const HuffmanCode* ac = table(c.ac);
        if (dc == nullptr || ac == nullptr || !PutDcDifference(writer, b.difference, *dc)) {
          coded = false;
          return;
        }
        if (b.fresh != nullptr) {
          coded = PutAcCoefficients(writer, *b.fresh, *ac) && coded;
        } else if (recode) {
          coded = RecodeAcCodes(writer, data, b.source, scanLayout.Ac(c), *ac) && coded;
        } else {
          copy.Add(b.source.acStart, b.source.end);
        }
      });
  copy.Flush();
  writer.Marker(0xD9);
  return coded;
}

bool CopyUnits(const EntropyScan& scan, const ScanLayout& scanLayout, Rect units,
               LargeVector<std::uint8_t>& out) {
  BitWriter writer(out);
  std::array<int, 4> predictor{};
  const auto perUnit = static_cast<std::size_t>(scanLayout.BlocksPerUnit());
  for (int uy = units.top; uy < units.bottom; ++uy) {
    for (int ux = units.left; ux < units.right; ++ux) {
      std::size_t next = (static_cast<std::size_t>(uy) * static_cast<std::size_t>(scanLayout.unitsAcross) +
                          static_cast<std::size_t>(ux)) *
                         perUnit;
      for (std::size_t ci = 0; ci < scanLayout.components.size(); ++ci) {
        const ScanComponent& c = scanLayout.components[ci];
        for (int b = 0; b < c.h * c.v; ++b) {
          const CodedBlock& block = scan.blocks[next++];
          if (!PutDcDifference(writer, block.dc - predictor[ci], scanLayout.Dc(c))) return false;
          writer.Copy(scan.data.data(), block.acStart, block.end);
          predictor[ci] = block.dc;
        }
      }
    }
  }
  writer.Marker(0xD9);
  return true;
}

}  // namespace quillstone
