#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <vector>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "platform/byte_sink.h"

namespace quillstone {

// What every compression through libjpeg needs: an error manager that leaves through a
// jump instead of exiting, and a destination that hands the bytes to a ByteSink.

// libjpeg reports a fatal error through error_exit, which must not return; ErrorExit jumps
// back to `jump` with the library's message in `message`.
struct JpegErrors {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

// Points `err` at `errors`, fatal errors jumping and messages dropped.
jpeg_error_mgr* UseJpegErrors(JpegErrors& errors);

// A destination manager that hands the compressed bytes to a sink in blocks; a failed
// write becomes a library error (and the sink remembers the reason).
class JpegSinkDestination {
 public:
  explicit JpegSinkDestination(ByteSink& sink);
  jpeg_destination_mgr* Manager() { return &base_; }

 private:
  static void Init(j_compress_ptr cinfo);
  static boolean Empty(j_compress_ptr cinfo);
  static void Term(j_compress_ptr cinfo);

  jpeg_destination_mgr base_{};  // first, so that the library's pointer is this object's
  ByteSink* sink_;
  std::vector<JOCTET> buffer_;
};

}  // namespace quillstone
