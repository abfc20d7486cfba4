#include "imagefiles/dib_format.h"

#include "imagefiles/byte_order.h"
#include "imagefiles/row_encoder.h"

namespace quillstone {

DibLayout MakeDibLayout(const RasterImage& image, const StorageFormat& format) {
  DibLayout layout;
  layout.width = image.Width();
  layout.height = image.Height();
  layout.bits = format.Bits();
  layout.paletteEntries = layout.bits <= 8 ? (1u << layout.bits) : 0;
  const std::uint64_t rowBits = std::uint64_t(layout.width) * std::uint64_t(layout.bits);
  layout.stride = static_cast<std::uint32_t>((rowBits + 31) / 32 * 4);
  layout.imageBytes = layout.stride * static_cast<std::uint32_t>(layout.height);
  return layout;
}

void AppendDibInfo(std::vector<std::uint8_t>& out, const DibLayout& layout, const StorageFormat& format) {
  PutLe32(out, 40u);            // biSize
  PutLe32(out, layout.width);   // biWidth
  PutLe32(out, layout.height);  // biHeight: positive, rows bottom-up
  PutLe16(out, 1);              // biPlanes
  PutLe16(out, static_cast<std::uint32_t>(layout.bits));
  PutLe32(out, 0u);                 // biCompression: BI_RGB
  PutLe32(out, layout.imageBytes);  // biSizeImage
  PutLe32(out, 0u);                 // biXPelsPerMeter
  PutLe32(out, 0u);                 // biYPelsPerMeter
  PutLe32(out, 0u);                 // biClrUsed: 0 means all 2^bits
  PutLe32(out, 0u);                 // biClrImportant
  for (std::uint32_t i = 0; i < layout.paletteEntries; ++i) {
    const Rgb c = i < format.palette.size() ? format.palette[i] : Rgb{};
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
}

void WriteDibRows(AtomicFile& file, const RasterImage& image, const StorageFormat& format,
                  const DibLayout& layout) {
  RowEncoder encoder(format, layout.width, RowEncoder::Samples::kDib);
  std::vector<std::uint8_t> row(layout.stride, 0);  // the padding stays zero
  for (int y = layout.height - 1; y >= 0; --y) {
    encoder.Encode(image.Row(y), row.data());
    file.Write(row.data(), row.size());
  }
}

}  // namespace quillstone
