#include "imagefiles/output_file.h"

#include "imagefiles/bmp_writer.h"
#include "imagefiles/color_depth.h"
#include "imagefiles/emf_writer.h"
#include "imagefiles/orientation.h"
#include "imagefiles/sepia.h"
#include "imagefiles/tiff_writer.h"
#include "imagefiles/webp_writer.h"
#include "platform/atomic_file.h"

namespace quillstone {

namespace {

// Encodes the formats that can carry metadata (all but BMP and EMF) into a sink.
Status EncodeOutput(const RasterImage& image, const StorageFormat& format, const SaveOptions& options,
                    const std::filesystem::path& path, const JpegBlocksSource* keptBlocks, ByteSink& sink) {
  switch (options.format) {
    case OutputFormat::kJpeg:
      if (keptBlocks != nullptr)
        return EncodeKeepingBlocks(image, *keptBlocks, sink, path, keptBlocks->written);
      return EncodeJpeg(image, sink, path, options.jpeg);
    case OutputFormat::kTiff:
      return EncodeTiff(sink, image, format);
    case OutputFormat::kPng:
      return EncodePng(image, sink, path, options.png, format);
    case OutputFormat::kWebp:
      return EncodeWebp(image, sink, path, options.jpeg.quality, options.webp);
    case OutputFormat::kBmp:
    case OutputFormat::kWmf:
      break;
  }
  return Status::Error("unknown output format");
}

}  // namespace

StorageFormat PrepareForWriting(RasterImage& image, RasterImage& scratch, const SaveOptions& options,
                                PictureTurn turnBack) {
  StorageFormat format = ReduceColorDepth(image, options.colorDepth);
  UndoTurn(image, turnBack, scratch);
  if (options.sepia) {
    SepiaTone(image);
    SepiaTone(format.palette);
  }
  return format;
}

ImageMetadata MetadataForOutput(const ImageMetadata& source, PictureTurn loadTurn, bool turnedBack) {
  ImageMetadata written = source;
  if (!loadTurn.IsIdentity() && !turnedBack) written.orientation = 1;
  return written;
}

Status WriteOutputFile(const RasterImage& image, const StorageFormat& format, const SaveOptions& options,
                       const std::filesystem::path& path, const ImageMetadata* metadata, std::string* warning,
                       const JpegBlocksSource* keptBlocks) {
  if (warning != nullptr) warning->clear();
  if (options.format == OutputFormat::kBmp) return WriteBmp(image, path, format);
  if (options.format == OutputFormat::kWmf) return WriteWmf(image, path, format);
  const auto encode = [&](ByteSink& sink) {
    return EncodeOutput(image, format, options, path, keptBlocks, sink);
  };
  if (metadata == nullptr || metadata->Empty() || options.stripMetadata) return WriteAtomically(path, encode);
  // With metadata the file is made in memory, given its metadata and written once.
  MemorySink sink;
  if (Status encoded = encode(sink); !encoded) return encoded;
  if (Status embedded = EmbedMetadata(sink.bytes, *metadata, image.Width(), image.Height());
      !embedded && warning != nullptr)
    *warning = path.filename().string() + ": " + embedded.message();
  return WriteFileReplacing(path, sink.bytes);
}

}  // namespace quillstone
