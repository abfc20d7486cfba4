#include "imagefiles/png_decoder.h"

#include <png.h>

#include <cstring>

#include "imagefiles/alpha_rows.h"
#include "imagefiles/decode_contract.h"

namespace quillstone {
namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

// Everything the decode touches lives here, outside the function that calls setjmp, so that
// a longjmp never skips a destructor.
struct Session {
  png_structp png = nullptr;
  png_infop info = nullptr;
  const std::uint8_t* bytes = nullptr;
  std::size_t size = 0;
  std::size_t at = 0;
  char message[256] = {};
  char warning[256] = {};
  bool warned = false;
  std::vector<png_byte> pixels;      // four-channel rows, before they are split or composited
  std::vector<png_bytep> rowStarts;  // where png_read_image puts each row
  std::string sizeProblem;

  ~Session() {
    if (png != nullptr) png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
  }
};

void CopyMessage(char (&target)[256], png_const_charp text) {
  std::strncpy(target, text != nullptr ? text : "unknown libpng error", sizeof target - 1);
}

[[noreturn]] void OnError(png_structp png, png_const_charp text) {
  auto* s = static_cast<Session*>(png_get_error_ptr(png));
  CopyMessage(s->message, text);
  png_longjmp(png, 1);
}

void OnWarning(png_structp png, png_const_charp text) {
  auto* s = static_cast<Session*>(png_get_error_ptr(png));
  if (!s->warned) CopyMessage(s->warning, text);
  s->warned = true;
}

void ReadBytes(png_structp png, png_bytep target, std::size_t length) {
  auto* s = static_cast<Session*>(png_get_io_ptr(png));
  if (length > s->size - s->at) png_error(png, "the PNG data ends before the image does");
  std::memcpy(target, s->bytes + s->at, length);
  s->at += length;
}

enum class Outcome { kDone, kLibraryError, kSizeRefused };

// Kept out of line so that no string or vector internals live in the frame that calls
// setjmp, where a longjmp could leave them clobbered.
[[gnu::noinline]] bool SizeRefused(Session& s, png_uint_32 width, png_uint_32 height,
                                   std::int64_t maxPixels) {
  s.sizeProblem = DecodeSizeProblem(width, height, maxPixels);
  return !s.sizeProblem.empty();
}

[[gnu::noinline]] png_bytep* RowStarts(Session& s, RasterImage& out, int width, int height, bool fourChannels,
                                       int bufferedRows) {
  s.rowStarts.resize(static_cast<std::size_t>(height));
  if (!fourChannels) {
    for (int y = 0; y < height; ++y) s.rowStarts[static_cast<std::size_t>(y)] = out.Row(y);
    return s.rowStarts.data();
  }
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  s.pixels.resize(rowBytes * static_cast<std::size_t>(bufferedRows));
  for (int y = 0; y < bufferedRows; ++y) s.rowStarts[static_cast<std::size_t>(y)] = &s.pixels[rowBytes * y];
  return s.rowStarts.data();
}

[[gnu::noinline]] std::uint8_t* AlphaRows(std::vector<std::uint8_t>* alpha, int width, int height) {
  if (alpha == nullptr) return nullptr;
  alpha->resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  return alpha->data();
}

// The libpng calls. Holds no object with a destructor: libpng errors longjmp back here.
Outcome RunDecode(Session& s, RasterImage& out, std::vector<std::uint8_t>* alpha, std::int64_t maxPixels) {
  if (setjmp(png_jmpbuf(s.png)) != 0) return Outcome::kLibraryError;

  png_set_read_fn(s.png, &s, ReadBytes);
  png_set_user_limits(s.png, RasterImage::kMaxSide, RasterImage::kMaxSide);
  // Profiles are not interpreted, so a profile libpng finds odd is no damage of the picture.
  png_set_option(s.png, PNG_SKIP_sRGB_CHECK_PROFILE, PNG_OPTION_ON);
  png_read_info(s.png, s.info);
  const png_uint_32 width = png_get_image_width(s.png, s.info);
  const png_uint_32 height = png_get_image_height(s.png, s.info);
  if (SizeRefused(s, width, height, maxPixels)) return Outcome::kSizeRefused;

  const int colorType = png_get_color_type(s.png, s.info);
  const bool hasAlpha =
      (colorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(s.png, s.info, PNG_INFO_tRNS) != 0;
  png_set_expand(s.png);  // palette to RGB, grey below 8 bits to 8, tRNS to an alpha channel
  if (png_get_bit_depth(s.png, s.info) == 16) png_set_scale_16(s.png);
  if ((colorType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(s.png);
  png_set_bgr(s.png);
  const int passes = png_set_interlace_handling(s.png);
  png_read_update_info(s.png, s.info);
  const int channels = hasAlpha ? 4 : 3;
  if (png_get_channels(s.png, s.info) != channels || png_get_bit_depth(s.png, s.info) != 8)
    png_error(s.png, "the PNG's samples do not convert to 8-bit colour");

  const int w = static_cast<int>(width);
  const int h = static_cast<int>(height);
  out.Resize(w, h);
  if (!hasAlpha) {
    png_read_image(s.png, RowStarts(s, out, w, h, false, 0));
    return Outcome::kDone;
  }
  // An interlaced image fills its rows over seven passes, so all of them are kept; otherwise
  // one row at a time is enough.
  std::uint8_t* alphaRows = AlphaRows(alpha, w, h);
  const int buffered = passes > 1 ? h : 1;
  png_bytep* rows = RowStarts(s, out, w, h, true, buffered);
  if (passes > 1) png_read_image(s.png, rows);
  for (int y = 0; y < h; ++y) {
    const png_bytep row = rows[passes > 1 ? y : 0];
    if (passes == 1) png_read_row(s.png, row, nullptr);
    StoreBgraRow(row, w, out.Row(y),
                 alphaRows != nullptr ? alphaRows + static_cast<std::size_t>(w) * y : nullptr);
  }
  return Outcome::kDone;
}

}  // namespace

std::string PngSignatureProblem(std::string_view leading) {
  if (leading.size() < sizeof kSignature) return "not a PNG file: it is shorter than the PNG signature";
  if (std::memcmp(leading.data(), kSignature, sizeof kSignature) != 0)
    return "not a PNG file: it does not start with the PNG signature";
  return {};
}

Status DecodePngMemory(const std::uint8_t* bytes, std::size_t size, RasterImage& out,
                       std::vector<std::uint8_t>* alpha, std::string* damage, std::int64_t maxPixels) {
  return DecodeUnderContract(bytes, size, out, alpha, damage, PngSignatureProblem, "PNG", [&] {
    Session s;
    s.bytes = bytes;
    s.size = size;
    s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &s, OnError, OnWarning);
    if (s.png != nullptr) s.info = png_create_info_struct(s.png);
    if (s.info == nullptr) return Status::Error("not enough memory to start libpng");
    switch (RunDecode(s, out, alpha, maxPixels)) {
      case Outcome::kDone:
        if (damage != nullptr && s.warned) *damage = s.warning;
        return Status::Ok();
      case Outcome::kSizeRefused:
        return Status::Error(s.sizeProblem);
      case Outcome::kLibraryError:
        break;
    }
    return Status::Error(s.message);
  });
}

}  // namespace quillstone
