#include "imagefiles/bmp_writer.h"

#include "imagefiles/byte_order.h"
#include "imagefiles/dib_format.h"
#include "platform/atomic_file.h"

namespace quillstone {

Status WriteBmp(const RasterImage& image, const std::filesystem::path& path, const StorageFormat& format) {
  if (Status status = CheckWritable(image, format); !status) return status;
  const DibLayout layout = MakeDibLayout(image, format);
  const std::uint32_t bitsOffset = kBmpFileHeaderBytes + layout.InfoBytes();

  std::vector<std::uint8_t> header;
  header.reserve(bitsOffset);
  header.push_back('B');
  header.push_back('M');
  PutLe32(header, bitsOffset + layout.imageBytes);  // bfSize
  PutLe32(header, 0u);                              // bfReserved1, bfReserved2
  PutLe32(header, bitsOffset);                      // bfOffBits
  AppendDibInfo(header, layout, format);

  AtomicFile file;
  if (Status status = file.Open(path); !status) return status;
  file.Write(header.data(), header.size());
  WriteDibRows(file, image, format, layout);
  return file.Commit();
}

}  // namespace quillstone
