#include "imagefiles/tiff_decoder.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

#include "imagefiles/alpha_rows.h"
#include "imagefiles/decode_contract.h"

namespace quillstone {
namespace {

// The file in memory, as libtiff's client procedures see it.
struct Memory {
  const std::uint8_t* bytes = nullptr;
  toff_t size = 0;
  toff_t at = 0;
};

tsize_t ReadProc(thandle_t handle, tdata_t target, tsize_t length) {
  auto* m = static_cast<Memory*>(handle);
  if (length < 0) return -1;
  const toff_t count = std::min<toff_t>(static_cast<toff_t>(length), m->at < m->size ? m->size - m->at : 0);
  if (count > 0) std::memcpy(target, m->bytes + m->at, count);
  m->at += count;
  return static_cast<tsize_t>(count);
}

tsize_t WriteProc(thandle_t, tdata_t, tsize_t) {
  return -1;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  auto* m = static_cast<Memory*>(handle);
  toff_t base = 0;
  if (whence == SEEK_CUR) base = m->at;
  if (whence == SEEK_END) base = m->size;
  if (offset > UINT64_MAX - base) return static_cast<toff_t>(-1);
  m->at = base + offset;
  return m->at;
}

int CloseProc(thandle_t) {
  return 0;
}

toff_t SizeProc(thandle_t handle) {
  return static_cast<Memory*>(handle)->size;
}

// Opened with "m": libtiff copies what it reads and never writes into the caller's bytes.
int MapProc(thandle_t, tdata_t*, toff_t*) {
  return 0;
}

void UnmapProc(thandle_t, tdata_t, toff_t) {}

// libtiff's messages of one decode: its first error is the reason a decode fails. The
// handlers belong to the one file, so decodes on other threads do not mix their messages.
struct Messages {
  std::string error;
};

int OnError(TIFF*, void* user, const char* module, const char* format, va_list args) {
  auto* messages = static_cast<Messages*>(user);
  if (!messages->error.empty()) return 1;
  char text[512];
  std::vsnprintf(text, sizeof text, format, args);
  messages->error = (module != nullptr && *module != '\0') ? std::string(module) + ": " + text : text;
  return 1;
}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) {
  return 1;
}

struct TiffCloser {
  void operator()(TIFF* tif) const { TIFFClose(tif); }
};
struct OptionsFreer {
  void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};
struct RgbaImageEnder {
  void operator()(TIFFRGBAImage* image) const { TIFFRGBAImageEnd(image); }
};

// Whether libtiff's RGBA reader hands the colours over multiplied by their alpha: it
// multiplies unassociated RGB colours itself, and passes grey ones through as stored.
bool PremultipliedColours(const TIFFRGBAImage& image) {
  return image.alpha == EXTRASAMPLE_ASSOCALPHA ||
         (image.alpha == EXTRASAMPLE_UNASSALPHA && image.photometric == PHOTOMETRIC_RGB);
}

// The colours of a packed ABGR pixel, with their alpha taken back out when they were
// multiplied by it, as blue, green, red, alpha bytes.
void UnpackRow(const std::uint32_t* packed, int width, bool hasAlpha, bool premultiplied,
               std::uint8_t* bgra) {
  for (int x = 0; x < width; ++x, bgra += 4) {
    const std::uint32_t p = packed[x];
    const unsigned a = hasAlpha ? TIFFGetA(p) : 255;
    const unsigned rgb[3] = {TIFFGetB(p), TIFFGetG(p), TIFFGetR(p)};
    for (int c = 0; c < 3; ++c) {
      const unsigned value = !premultiplied || a == 255 ? rgb[c]
                             : a == 0                   ? 0
                                                        : std::min(255u, (rgb[c] * 255 + a / 2) / a);
      bgra[c] = static_cast<std::uint8_t>(value);
    }
    bgra[3] = static_cast<std::uint8_t>(a);
  }
}

Status Decode(const std::uint8_t* bytes, std::size_t size, RasterImage& out, std::vector<std::uint8_t>* alpha,
              std::int64_t maxPixels) {
  Memory memory{bytes, size, 0};
  Messages messages;
  const std::unique_ptr<TIFFOpenOptions, OptionsFreer> options(TIFFOpenOptionsAlloc());
  if (!options) return Status::Error("not enough memory to start libtiff");
  TIFFOpenOptionsSetErrorHandlerExtR(options.get(), OnError, &messages);
  TIFFOpenOptionsSetWarningHandlerExtR(options.get(), OnWarning, nullptr);
  // No single buffer of the library needs more than the largest strip of the largest image.
  TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), std::max<tmsize_t>(tmsize_t{64} << 20, maxPixels * 8));
  const auto fail = [&messages](const char* fallback) {
    return Status::Error(messages.error.empty() ? std::string(fallback) : messages.error);
  };
  const std::unique_ptr<TIFF, TiffCloser> tif(TIFFClientOpenExt("TIFF", "rm", &memory, ReadProc, WriteProc,
                                                                SeekProc, CloseProc, SizeProc, MapProc,
                                                                UnmapProc, options.get()));
  if (!tif) return fail("not a readable TIFF file");

  std::uint32_t width = 0;
  std::uint32_t height = 0;
  if (TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width) != 1 ||
      TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height) != 1)
    return fail("the TIFF has no image size");
  if (std::string problem = DecodeSizeProblem(width, height, maxPixels); !problem.empty())
    return Status::Error(problem);

  char reason[1024] = {};
  if (TIFFRGBAImageOK(tif.get(), reason) != 1) return Status::Error(reason);
  TIFFRGBAImage image{};
  if (TIFFRGBAImageBegin(&image, tif.get(), 1, reason) != 1) return Status::Error(reason);
  const std::unique_ptr<TIFFRGBAImage, RgbaImageEnder> ender(&image);
  // The rows as stored, top first: the orientation tag is the caller's to apply.
  image.orientation = ORIENTATION_TOPLEFT;
  image.req_orientation = ORIENTATION_TOPLEFT;
  const bool hasAlpha = image.alpha != 0;
  const bool premultiplied = PremultipliedColours(image);

  // The picture is read a strip (or a row of tiles) at a time, so that the library decodes
  // each strip once and the packed pixels never take more than that.
  std::uint32_t band = height;
  if (TIFFIsTiled(tif.get())) {
    TIFFGetField(tif.get(), TIFFTAG_TILELENGTH, &band);
  } else {
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_ROWSPERSTRIP, &band);
  }
  band = std::clamp<std::uint32_t>(band, 1, height);

  const int w = static_cast<int>(width);
  const int h = static_cast<int>(height);
  out.Resize(w, h);
  std::vector<std::uint32_t> packed(static_cast<std::size_t>(width) * band);
  std::vector<std::uint8_t> bgra(static_cast<std::size_t>(width) * 4);
  std::uint8_t* alphaRows = nullptr;
  if (alpha != nullptr && hasAlpha) {
    alpha->resize(static_cast<std::size_t>(width) * height);
    alphaRows = alpha->data();
  }
  for (std::uint32_t top = 0; top < height; top += band) {
    const std::uint32_t rows = std::min(band, height - top);
    image.row_offset = static_cast<int>(top);
    image.col_offset = 0;
    if (TIFFRGBAImageGet(&image, packed.data(), width, rows) != 1)
      return fail("the TIFF image data is damaged");
    for (std::uint32_t r = 0; r < rows; ++r) {
      const int y = static_cast<int>(top + r);
      UnpackRow(packed.data() + static_cast<std::size_t>(width) * r, w, hasAlpha, premultiplied, bgra.data());
      StoreBgraRow(bgra.data(), w, out.Row(y),
                   alphaRows != nullptr ? alphaRows + static_cast<std::size_t>(w) * y : nullptr);
    }
  }
  return Status::Ok();
}

}  // namespace

std::string TiffSignatureProblem(std::string_view leading) {
  if (leading.size() < 4) return "not a TIFF file: it is shorter than the TIFF header";
  const std::string_view magic = leading.substr(0, 4);
  for (const std::string_view accepted : {std::string_view("II*\0", 4), std::string_view("MM\0*", 4),
                                          std::string_view("II+\0", 4), std::string_view("MM\0+", 4)}) {
    if (magic == accepted) return {};
  }
  return "not a TIFF file: it does not start with \"II\" or \"MM\" and the TIFF version";
}

Status DecodeTiffMemory(const std::uint8_t* bytes, std::size_t size, RasterImage& out,
                        std::vector<std::uint8_t>* alpha, std::string* damage, std::int64_t maxPixels) {
  return DecodeUnderContract(bytes, size, out, alpha, damage, TiffSignatureProblem, "TIFF",
                             [&] { return Decode(bytes, size, out, alpha, maxPixels); });
}

}  // namespace quillstone
