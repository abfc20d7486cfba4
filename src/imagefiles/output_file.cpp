#include "imagefiles/output_file.h"

#include "imagefiles/bmp_writer.h"
#include "imagefiles/color_depth.h"
#include "imagefiles/emf_writer.h"
#include "imagefiles/orientation.h"
#include "imagefiles/sepia.h"
#include "imagefiles/tiff_writer.h"

namespace quillstone {

StorageFormat PrepareForWriting(RasterImage& image, RasterImage& scratch, const SaveOptions& options,
                                Orientation turnBack) {
  StorageFormat format = ReduceColorDepth(image, options.colorDepth);
  if (turnBack != Orientation::kUnrotated) RotateBack(image, turnBack, scratch);
  if (options.sepia) {
    SepiaTone(image);
    SepiaTone(format.palette);
  }
  return format;
}

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
