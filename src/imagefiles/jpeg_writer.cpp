#include "imagefiles/jpeg_writer.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "imagefiles/jpeg_glue.h"
#include "platform/atomic_file.h"

namespace quillstone {
namespace {

// Where the compressed bytes go: a sink, or a growing malloc'd memory block.
struct Destination {
  JpegSinkDestination* sink = nullptr;
  unsigned char** buffer = nullptr;
  unsigned long* size = nullptr;
};

Status CheckJpegInput(const RasterImage& image, const JpegOptions& options) {
  if (image.Empty()) return Status::Error("nothing to write: the image is empty");
  if (options.quality < 1 || options.quality > 100) {
    return Status::Error("JPEG quality " + std::to_string(options.quality) + " is outside 1..100");
  }
  return Status::Ok();
}

// Runs the whole compression. Holds no objects with destructors, since a library error
// leaves it through longjmp. Returns false when the library failed; the caller destroys
// `cinfo` either way.
bool Compress(JpegErrors& errors, jpeg_compress_struct& cinfo, const RasterImage& image,
              const JpegOptions& options, const Destination& destination) {
  if (setjmp(errors.jump)) return false;
  jpeg_create_compress(&cinfo);
  if (destination.sink != nullptr) {
    cinfo.dest = destination.sink->Manager();
  } else {
    jpeg_mem_dest(&cinfo, destination.buffer, destination.size);
  }
  cinfo.image_width = static_cast<JDIMENSION>(image.Width());
  cinfo.image_height = static_cast<JDIMENSION>(image.Height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, options.quality, TRUE);
  if (options.greyscale) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
  if (options.progressive) jpeg_simple_progression(&cinfo);
  cinfo.dct_method = JDCT_ISLOW;
  jpeg_start_compress(&cinfo, TRUE);
  constexpr int kRowsPerCall = 16;
  JSAMPROW rows[kRowsPerCall];
  while (cinfo.next_scanline < cinfo.image_height) {
    const int first = static_cast<int>(cinfo.next_scanline);
    const int count = std::min(kRowsPerCall, image.Height() - first);
    for (int i = 0; i < count; ++i) rows[i] = const_cast<JSAMPROW>(image.Row(first + i));
    jpeg_write_scanlines(&cinfo, rows, static_cast<JDIMENSION>(count));
  }
  jpeg_finish_compress(&cinfo);
  return true;
}

// Compresses into `destination`; the error text, if any, goes to `message`.
bool RunCompress(const RasterImage& image, const JpegOptions& options, const Destination& destination,
                 std::string& message) {
  JpegErrors errors{};
  jpeg_compress_struct cinfo{};
  cinfo.err = UseJpegErrors(errors);
  const bool ok = Compress(errors, cinfo, image, options, destination);
  if (!ok) message = errors.message;
  jpeg_destroy_compress(&cinfo);
  return ok;
}

}  // namespace

Status EncodeJpeg(const RasterImage& image, ByteSink& file, const std::filesystem::path& path,
                  const JpegOptions& options) {
  if (Status status = CheckJpegInput(image, options); !status) return status;
  JpegSinkDestination destination(file);
  std::string message;
  if (!RunCompress(image, options, Destination{&destination}, message))
    return Status::Error("cannot write JPEG " + path.string() + ": " + message);
  return Status::Ok();
}

Status WriteJpeg(const RasterImage& image, const std::filesystem::path& path, const JpegOptions& options) {
  if (Status status = CheckJpegInput(image, options); !status) return status;
  return WriteAtomically(path, [&](ByteSink& file) { return EncodeJpeg(image, file, path, options); });
}

Status EncodeJpeg(const RasterImage& image, const JpegOptions& options, std::vector<std::uint8_t>& out) {
  out.clear();
  if (Status status = CheckJpegInput(image, options); !status) return status;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::string message;
  const bool ok = RunCompress(image, options, Destination{nullptr, &buffer, &size}, message);
  if (ok) out.assign(buffer, buffer + size);
  std::free(buffer);
  if (!ok) return Status::Error("cannot encode JPEG: " + message);
  return Status::Ok();
}

}  // namespace quillstone
