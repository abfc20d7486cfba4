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

// Encodes the formats that can carry metadata into a sink.
Status EncodeWithMetadata(const RasterImage& image, const StorageFormat& format, const SaveOptions& options,
                          const std::filesystem::path& path, ByteSink& sink) {
  switch (options.format) {
    case OutputFormat::kJpeg:
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

bool CarriesMetadata(OutputFormat format) {
  return format == OutputFormat::kJpeg || format == OutputFormat::kTiff || format == OutputFormat::kPng ||
         format == OutputFormat::kWebp;
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
                       const std::filesystem::path& path, const ImageMetadata* metadata,
                       std::string* warning) {
  if (warning != nullptr) warning->clear();
  if (metadata != nullptr && !metadata->Empty() && !options.stripMetadata &&
      CarriesMetadata(options.format)) {
    MemorySink sink;
    if (Status encoded = EncodeWithMetadata(image, format, options, path, sink); !encoded) return encoded;
    if (Status embedded = EmbedMetadata(sink.bytes, *metadata, image.Width(), image.Height());
        !embedded && warning != nullptr)
      *warning = path.filename().string() + ": " + embedded.message();
    return WriteFileReplacing(path, sink.bytes);
  }
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
    case OutputFormat::kWebp:
      return WriteWebp(image, path, options.jpeg.quality, options.webp);
  }
  return Status::Error("unknown output format");
}

}  // namespace quillstone
