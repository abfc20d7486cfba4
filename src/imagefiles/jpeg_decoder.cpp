#include "imagefiles/jpeg_decoder.h"

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

// jpeglib.h uses size_t and FILE without declaring them: <cstdio> comes first.
#include <jpeglib.h>

namespace quillstone {
namespace {

// A progressive stream needs a handful of scans; thousands of tiny scans are only a way to
// make the decoder walk the whole coefficient buffer again and again.
constexpr int kMaxScans = 1000;

// Rows handed to libjpeg per call, so that it upsamples into our rows without a bounce buffer.
constexpr int kRowBatch = 16;

// libjpeg reports fatal errors through error_exit, which must not return; ours jumps back to
// the decode call with the message. Of the warnings (damaged data it recovers from) the
// first is kept, so the caller can say that the picture is damaged.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  char warning[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace messages
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  if (err->pub.num_warnings++ == 0) (*cinfo->err->format_message)(cinfo, err->warning);
}

void OutputMessage(j_common_ptr) {}

void ProgressMonitor(j_common_ptr cinfo) {
  auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (dinfo->input_scan_number > kMaxScans) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "JPEG stream has more than %d scans", kMaxScans);
    std::longjmp(err->jump, 1);
  }
}

// Everything the decode touches lives here, outside the function that calls setjmp, so that
// a longjmp never skips a destructor.
struct Session {
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  jpeg_progress_mgr progress{};
  std::vector<JSAMPLE> cmykRow;  // one CMYK row, 4 bytes per pixel
  std::string sizeProblem;
  bool created = false;

  ~Session() {
    if (created) jpeg_destroy_decompress(&cinfo);
  }
};

// Adobe-style inverted CMYK to BGR: each colour channel times K / 255, rounded.
void CmykRowToBgr(const JSAMPLE* cmyk, std::uint8_t* bgr, int width) {
  for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    const unsigned k = cmyk[3];
    bgr[0] = static_cast<std::uint8_t>((cmyk[2] * k + 127) / 255);
    bgr[1] = static_cast<std::uint8_t>((cmyk[1] * k + 127) / 255);
    bgr[2] = static_cast<std::uint8_t>((cmyk[0] * k + 127) / 255);
  }
}

enum class Outcome { kDone, kLibraryError, kSizeRefused };

// Kept out of line so that no string or vector internals live in the frame that calls
// setjmp, where a longjmp could leave them clobbered.
[[gnu::noinline]] bool SizeRefused(Session& s, std::int64_t maxPixels) {
  s.sizeProblem = DecodeSizeProblem(s.cinfo.image_width, s.cinfo.image_height, maxPixels);
  return !s.sizeProblem.empty();
}

[[gnu::noinline]] JSAMPROW CmykRowBuffer(Session& s, int width) {
  s.cmykRow.resize(static_cast<std::size_t>(width) * 4);
  return s.cmykRow.data();
}

// The libjpeg calls. Holds no object with a destructor: libjpeg errors longjmp back here.
Outcome RunDecode(Session& s, const std::uint8_t* bytes, std::size_t size, RasterImage& out,
                  std::int64_t maxPixels) {
  if (setjmp(s.err.jump) != 0) return Outcome::kLibraryError;

  jpeg_create_decompress(&s.cinfo);
  s.created = true;
  s.progress.progress_monitor = ProgressMonitor;
  s.cinfo.progress = &s.progress;
  jpeg_mem_src(&s.cinfo, bytes, static_cast<unsigned long>(size));
  jpeg_read_header(&s.cinfo, TRUE);

  if (SizeRefused(s, maxPixels)) return Outcome::kSizeRefused;

  const bool cmyk = s.cinfo.jpeg_color_space == JCS_CMYK || s.cinfo.jpeg_color_space == JCS_YCCK;
  s.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  s.cinfo.dct_method = JDCT_ISLOW;
  s.cinfo.do_fancy_upsampling = TRUE;
  s.cinfo.scale_num = 1;
  s.cinfo.scale_denom = 1;
  jpeg_start_decompress(&s.cinfo);

  const int width = static_cast<int>(s.cinfo.output_width);
  const int height = static_cast<int>(s.cinfo.output_height);
  out.Resize(width, height);

  if (cmyk) {
    JSAMPROW row = CmykRowBuffer(s, width);
    while (s.cinfo.output_scanline < s.cinfo.output_height) {
      const int y = static_cast<int>(s.cinfo.output_scanline);
      if (jpeg_read_scanlines(&s.cinfo, &row, 1) != 1) break;
      CmykRowToBgr(row, out.Row(y), width);
    }
  } else {
    JSAMPROW rows[kRowBatch];
    while (s.cinfo.output_scanline < s.cinfo.output_height) {
      const int y = static_cast<int>(s.cinfo.output_scanline);
      const int count = std::min(kRowBatch, height - y);
      for (int i = 0; i < count; ++i) rows[i] = out.Row(y + i);
      if (jpeg_read_scanlines(&s.cinfo, rows, static_cast<JDIMENSION>(count)) == 0) break;
    }
  }
  // The picture is complete; what follows the last scan (usually just EOI) is not read, so
  // damage there cannot throw away a decoded image.
  return Outcome::kDone;
}

}  // namespace

std::string JpegSignatureProblem(std::string_view leading) {
  if (leading.size() >= 2 && static_cast<unsigned char>(leading[0]) == 0xFF &&
      static_cast<unsigned char>(leading[1]) == 0xD8)
    return {};
  if (leading.size() < 2) return "Not a JPEG file: it is shorter than its first marker";
  char message[64];
  std::snprintf(message, sizeof message, "Not a JPEG file: starts with 0x%02x 0x%02x",
                static_cast<unsigned char>(leading[0]), static_cast<unsigned char>(leading[1]));
  return message;
}

Status DecodeJpegMemory(const std::uint8_t* bytes, std::size_t size, RasterImage& out, std::string* damage,
                        std::int64_t maxPixels) {
  out.Clear();
  if (damage != nullptr) damage->clear();
  if (bytes == nullptr || size == 0) return Status::Error("the JPEG data is empty");
  if constexpr (sizeof(std::size_t) > sizeof(unsigned long)) {
    if (size > ULONG_MAX) return Status::Error("the JPEG data is too large");
  }

  Session s;
  s.cinfo.err = jpeg_std_error(&s.err.pub);
  s.err.pub.error_exit = ErrorExit;
  s.err.pub.emit_message = EmitMessage;
  s.err.pub.output_message = OutputMessage;

  Outcome outcome;
  try {
    outcome = RunDecode(s, bytes, size, out, maxPixels);
  } catch (const std::bad_alloc&) {
    out.Clear();
    return Status::Error("not enough memory for a " + std::to_string(s.cinfo.image_width) + "x" +
                         std::to_string(s.cinfo.image_height) + " image");
  }
  switch (outcome) {
    case Outcome::kDone:
      if (damage != nullptr && s.err.pub.num_warnings > 0) *damage = s.err.warning;
      return Status::Ok();
    case Outcome::kSizeRefused:
      out.Clear();
      return Status::Error(s.sizeProblem);
    case Outcome::kLibraryError:
      break;
  }
  out.Clear();
  return Status::Error(s.err.message);
}

}  // namespace quillstone
