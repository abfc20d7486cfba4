#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "imagefiles/jpeg_bitstream.h"
#include "imagefiles/jpeg_block_encoder.h"
#include "imaging/raster_image.h"
#include "imaging/rect.h"

namespace quillstone {

// A scan written again from a scanned source (EntropyScan) with the units where two pictures
// differ encoded anew: every other unit keeps its blocks, and unless the source's Huffman
// tables have no room for the codes the new blocks need, the very bits of their codes.

struct SplicePlan {
  std::vector<std::uint8_t> changed;     // per unit in coding order
  std::vector<CoefficientBlock> blocks;  // the changed units' blocks (EncodeUnit), unit after unit
  int encoded = 0;                       // units changed
  // Empty when the source's tables code the output; otherwise the tables the output uses
  // in their stead, by table slot (DC 0..3, AC 4..7): the source's own extended by the
  // codes they lack (ExtendHuffmanTable).
  std::array<std::optional<ExtendedHuffmanTable>, 8> newTables;
  bool NewTables() const;
};

// Finds the units where `decoded` and `marked` (the layout's size) differ, only those in
// `changeable` (none: all) compared, encodes them anew from `marked` (EncodeUnit), and
// decides whether the source's Huffman tables code the output: every DC difference as the
// output has it (a kept block's changes where the block before it changed), the new blocks'
// AC symbols, and the padding blocks a coder adds at the right and bottom edges (the DC of
// the block before and no AC). When they do not, the tables that lack codes are extended;
// only where a table has no room left do some of its longest codes change.
void PlanSplice(const EntropyScan& scan, const ScanLayout& scanLayout, const BlockLayout& layout,
                const RasterImage& decoded, const RasterImage& marked, const Rect* changeable,
                SplicePlan& plan);

// Appends to `out` the entropy-coded data the plan describes, the restart markers where
// `scanLayout` puts them and the end-of-image marker. With the source's tables a kept block
// keeps the bits of its codes (its DC difference written again where the block before it
// changed); a kept block with a code whose table changed it has every code written anew and
// the bits of its values copied. False when a table lacks a code (a DC difference beyond
// what 8-bit samples give, or a table that could not be extended).
bool WriteSplice(const EntropyScan& scan, const ScanLayout& scanLayout, const BlockLayout& layout,
                 const SplicePlan& plan, LargeVector<std::uint8_t>& out);

// Appends to `out` the entropy-coded data of a picture made of the units `units` of `scan`:
// each block's DC difference written again for its new neighbours, its AC codes copied, and
// the end-of-image marker. False when a DC difference has no code in the table.
bool CopyUnits(const EntropyScan& scan, const ScanLayout& scanLayout, Rect units,
               LargeVector<std::uint8_t>& out);

}  // namespace quillstone
