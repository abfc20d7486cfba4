#include "imagefiles/jpeg_block_splice.h"

#include <array>
#include <cstddef>

namespace quillstone {

namespace {

// The writer's state: the bits to copy that have not been written yet, as one stretch of
// the source so that runs of kept blocks are copied at once, and each component's DC
// predictor in the output and in the source.
struct Splice {
  BitWriter writer;
  const std::uint8_t* data;
  std::uint64_t copyFrom = 0;
  std::uint64_t copyTo = 0;
  std::array<int, 4> outPredictor{};
  std::array<int, 4> sourcePredictor{};

  void Flush() {
    writer.Copy(data, copyFrom, copyTo);
    copyFrom = copyTo = 0;
  }
  void Copy(std::uint64_t from, std::uint64_t to) {
    if (copyTo != from || copyFrom == copyTo) {
      Flush();
      copyFrom = from;
    }
    copyTo = to;
  }
  void Restart(int index) {
    Flush();
    writer.Marker(static_cast<std::uint8_t>(0xD0 + (index & 7)));
    outPredictor.fill(0);
    sourcePredictor.fill(0);
  }
  // Keeps the source's codes of one block: all of them when the output's predictor is the
  // source's, else its DC difference written again and its AC codes copied.
  bool Keep(const CodedBlock& block, std::size_t ci, const HuffmanCode& dc) {
    if (outPredictor[ci] == sourcePredictor[ci]) {
      Copy(block.start, block.end);
    } else {
      Flush();
      if (!PutDcDifference(writer, block.dc - outPredictor[ci], dc)) return false;
      Copy(block.acStart, block.end);
    }
    outPredictor[ci] = sourcePredictor[ci] = block.dc;
    return true;
  }
};

}  // namespace

bool SpliceChangedUnits(const EntropyScan& scan, const ScanLayout& scanLayout, const BlockLayout& layout,
                        const RasterImage& decoded, const RasterImage& marked, const UnitRect* changeable,
                        std::vector<std::uint8_t>& out, int& encoded) {
  Splice s{BitWriter(out), scan.data.data()};
  const bool interleaved = scanLayout.components.size() > 1;
  const CoefficientBlock noCoefficients{};
  std::vector<std::uint8_t> changed;
  std::vector<CoefficientBlock> blocks;
  std::size_t next = 0;
  long unit = 0;
  encoded = 0;
  for (int uy = 0; uy < scanLayout.unitsDown; ++uy) {
    if (changeable == nullptr) {
      FindChangedUnits(decoded, marked, layout, uy, changed);
    } else if (uy >= changeable->y0 && uy < changeable->y1) {
      FindChangedUnits(decoded, marked, layout, uy, changed, changeable->x0, changeable->x1);
    } else {
      changed.assign(static_cast<std::size_t>(scanLayout.unitsAcross), 0);
    }
    for (int ux = 0; ux < scanLayout.unitsAcross; ++ux, ++unit) {
      const long interval = scanLayout.restartInterval;
      if (interval > 0 && unit > 0 && unit % interval == 0) s.Restart(static_cast<int>(unit / interval - 1));
      if (!changed[static_cast<std::size_t>(ux)]) {
        for (std::size_t ci = 0; ci < scanLayout.components.size(); ++ci) {
          const ScanComponent& c = scanLayout.components[ci];
          for (int b = 0; b < c.h * c.v; ++b) {
            if (!s.Keep(scan.blocks[next++], ci, scanLayout.Dc(c))) return false;
          }
        }
        continue;
      }
      ++encoded;
      s.Flush();
      EncodeUnit(marked, layout, ux, uy, blocks);
      std::size_t fresh = 0;
      for (std::size_t ci = 0; ci < scanLayout.components.size(); ++ci) {
        const ScanComponent& c = scanLayout.components[ci];
        const BlockComponent& bc = layout.components[ci];
        for (int by = 0; by < c.v; ++by) {
          for (int bx = 0; bx < c.h; ++bx, ++fresh) {
            s.sourcePredictor[ci] = scan.blocks[next++].dc;
            // A padding block past the component's edge repeats the DC before it.
            const bool inside =
                !interleaved || (ux * c.h + bx < bc.widthInBlocks && uy * c.v + by < bc.heightInBlocks);
            const CoefficientBlock& block = inside ? blocks[fresh] : noCoefficients;
            const int dc = inside ? block[0] : s.outPredictor[ci];
            if (!PutDcDifference(s.writer, dc - s.outPredictor[ci], scanLayout.Dc(c)) ||
                !PutAcCoefficients(s.writer, block, scanLayout.Ac(c)))
              return false;
            s.outPredictor[ci] = dc;
          }
        }
      }
    }
  }
  s.Flush();
  s.writer.Marker(0xD9);
  return true;
}

bool CopyUnits(const EntropyScan& scan, const ScanLayout& scanLayout, UnitRect units,
               std::vector<std::uint8_t>& out) {
  Splice s{BitWriter(out), scan.data.data()};
  // The source's predictors never match the new neighbours' but by chance: every DC
  // difference is written again.
  s.sourcePredictor.fill(-1 << 20);
  const auto perUnit = static_cast<std::size_t>(scanLayout.BlocksPerUnit());
  for (int uy = units.y0; uy < units.y1; ++uy) {
    for (int ux = units.x0; ux < units.x1; ++ux) {
      std::size_t next = (static_cast<std::size_t>(uy) * static_cast<std::size_t>(scanLayout.unitsAcross) +
                          static_cast<std::size_t>(ux)) *
                         perUnit;
      for (std::size_t ci = 0; ci < scanLayout.components.size(); ++ci) {
        const ScanComponent& c = scanLayout.components[ci];
        for (int b = 0; b < c.h * c.v; ++b) {
          if (!s.Keep(scan.blocks[next++], ci, scanLayout.Dc(c))) return false;
          s.sourcePredictor[ci] = -1 << 20;
        }
      }
    }
  }
  s.Flush();
  s.writer.Marker(0xD9);
  return true;
}

}  // namespace quillstone
