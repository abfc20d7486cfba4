#pragma once

#include <cstdint>
#include <vector>

#include "imagefiles/jpeg_bitstream.h"
#include "imagefiles/jpeg_block_encoder.h"
#include "imagefiles/unit_rect.h"
#include "imaging/raster_image.h"

namespace quillstone {

// Appends to `out` the entropy-coded data of a scan made of `scan`'s: every unit where
// `decoded` and `marked` (the layout's size) differ is encoded anew from `marked`
// (EncodeUnit, with the padding blocks a coder adds at the right and bottom edges: the DC
// of the block before and no AC), every other unit keeps the very bits of its codes, a kept
// block whose predecessor changed gets its DC difference written again, the restart
// markers fall where `scanLayout` puts them, and the end-of-image marker closes it.
// Only the units in `changeable` (none: all) are compared.
// `encoded` receives the number of units encoded anew. False when a Huffman table lacks a
// code the new blocks need (`out` then holds a partial scan).
bool SpliceChangedUnits(const EntropyScan& scan, const ScanLayout& scanLayout, const BlockLayout& layout,
                        const RasterImage& decoded, const RasterImage& marked, const UnitRect* changeable,
                        std::vector<std::uint8_t>& out, int& encoded);

// Appends to `out` the entropy-coded data of a picture made of the units `units` of `scan`:
// each block's DC difference written again for its new neighbours, its AC codes copied, and
// the end-of-image marker. False when a DC difference has no code in the table.
bool CopyUnits(const EntropyScan& scan, const ScanLayout& scanLayout, UnitRect units,
               std::vector<std::uint8_t>& out);

}  // namespace quillstone
