#include "imagefiles/png_writer.h"

#include <png.h>

#include <cstring>
#include <string>
#include <vector>

#include "imagefiles/row_encoder.h"
#include "platform/atomic_file.h"

namespace quillstone {
namespace {

struct PngErrorState {
  char message[256] = {};
};

[[noreturn]] void ErrorFn(png_structp png, png_const_charp message) {
  auto* state = static_cast<PngErrorState*>(png_get_error_ptr(png));
  std::strncpy(state->message, message != nullptr ? message : "unknown error", sizeof state->message - 1);
  png_longjmp(png, 1);
}

void WarningFn(png_structp, png_const_charp) {}

// libpng's output goes to the sink; a failed write becomes a library error (and the sink
// remembers the reason).
void WriteFn(png_structp png, png_bytep data, std::size_t length) {
  auto* file = static_cast<ByteSink*>(png_get_io_ptr(png));
  file->Write(data, length);
  if (file->Failed()) png_error(png, "write failed");
}

void FlushFn(png_structp) {}

int FilterMask(PngFilter filter) {
  switch (filter) {
    case PngFilter::kNone:
      return PNG_FILTER_NONE;
    case PngFilter::kBest:
      return PNG_ALL_FILTERS;
    case PngFilter::kSub:
      return PNG_FILTER_SUB;
    case PngFilter::kUp:
      return PNG_FILTER_UP;
    case PngFilter::kAverage:
      return PNG_FILTER_AVG;
    case PngFilter::kPaeth:
      return PNG_FILTER_PAETH;
  }
  return PNG_FILTER_NONE;
}

// Everything the guarded encoding reads, prepared beforehand so that it owns no objects
// with destructors (a library error leaves it through longjmp).
struct PngJob {
  const RasterImage* image;
  RowEncoder* encoder;
  std::uint8_t* row;  // RowBytes() bytes
  const png_color* palette;
  int paletteSize;
  int bitDepth;
  int colorType;
  int filterMask;
  int level;
  ByteSink* file;
};

bool Encode(png_structp png, png_infop info, const PngJob& job) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, job.file, WriteFn, FlushFn);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, job.filterMask);
  png_set_compression_level(png, job.level);
  png_set_IHDR(png, info, static_cast<png_uint_32>(job.image->Width()),
               static_cast<png_uint_32>(job.image->Height()), job.bitDepth, job.colorType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  if (job.colorType == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, job.palette, job.paletteSize);
  png_write_info(png, info);
  for (int y = 0; y < job.image->Height(); ++y) {
    job.encoder->Encode(job.image->Row(y), job.row);
    png_write_row(png, job.row);
  }
  png_write_end(png, info);
  return true;
}

}  // namespace

Status EncodePng(const RasterImage& image, ByteSink& file, const std::filesystem::path& path,
                 const PngOptions& options, const StorageFormat& format) {
  if (Status status = CheckWritable(image, format); !status) return status;
  if (options.level < 1 || options.level > 9) {
    return Status::Error("PNG compression level " + std::to_string(options.level) + " is outside 1..9");
  }
  const bool indexed = HasPalette(format.depth);
  RowEncoder encoder(format, image.Width(), RowEncoder::Samples::kRgb);
  std::vector<std::uint8_t> row(encoder.RowBytes());
  std::vector<png_color> palette;
  for (const Rgb& c : format.palette) palette.push_back(png_color{c.r, c.g, c.b});

  PngErrorState errors;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &errors, ErrorFn, WarningFn);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return Status::Error("cannot write PNG " + path.string() + ": out of memory");
  }
  const PngJob job{&image,
                   &encoder,
                   row.data(),
                   palette.data(),
                   static_cast<int>(palette.size()),
                   indexed ? format.Bits() : 8,
                   indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB,
                   FilterMask(options.filter),
                   options.level,
                   &file};
  const bool ok = Encode(png, info, job);
  png_destroy_write_struct(&png, &info);
  if (!ok) return Status::Error("cannot write PNG " + path.string() + ": " + errors.message);
  return Status::Ok();
}

Status WritePng(const RasterImage& image, const std::filesystem::path& path, const PngOptions& options,
                const StorageFormat& format) {
  return WriteAtomically(path, [&](ByteSink& file) { return EncodePng(image, file, path, options, format); });
}

}  // namespace quillstone
