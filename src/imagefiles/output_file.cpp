#include "imagefiles/output_file.h"

#include "imagefiles/bmp_writer.h"
#include "imagefiles/emf_writer.h"
#include "imagefiles/tiff_writer.h"

namespace quillstone {

Status WriteOutputFile(const RasterImage& image, const StorageFormat& format, const SaveOptions& options,
                       const std::filesystem::path& path) {
  switch (options.format) {
    case OutputFormat::kBmp:
      return WriteBmp(image, path, format);
    case OutputFormat::kJpeg:
      return WriteJpeg(image, path, options.jpeg);
    case OutputFormat::kTiff:
      return WriteTiff(path, image, format);
    case OutputFormat::kWmf:
      return WriteWmf(image, path, format);
    case OutputFormat::kPng:
      return WritePng(image, path, options.png, format);
  }
  return Status::Error("unknown output format");
}

}  // namespace quillstone
