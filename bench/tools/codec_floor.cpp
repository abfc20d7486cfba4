// The program bench/codec-floor.sh times: our JPEG decode and encode, file to file, with
// nothing else around it, so that it can be compared with libjpeg-turbo's own djpeg | cjpeg.
//
//   quillstone_codec_floor make OUT.jpg           the 4000 x 3000 benchmark photo as a quality-95 JPEG
//   quillstone_codec_floor recode IN.jpg OUT.jpg Q [N]
//       decode IN and write OUT at quality Q (1..100), N times (default 1) with the image
//       buffer kept between rounds, as a batch run keeps it between images
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_images.h"
#include "imagefiles/image_decoder.h"
#include "imagefiles/jpeg_writer.h"

int main(int argc, char** argv) {
  using namespace quillstone;
  const std::string mode = argc > 1 ? argv[1] : "";
  Status status;
  if (mode == "make" && argc == 3) {
    status = WriteJpeg(bench::PhotoLikeImage(), argv[2], JpegOptions{95, false, false});
  } else if (mode == "recode" && (argc == 5 || argc == 6)) {
    const int rounds = argc == 6 ? std::atoi(argv[5]) : 1;
    RasterImage image;
    for (int i = 0; i < rounds && status; ++i) {
      status = DecodeImageFile(argv[2], image);
      if (status) status = WriteJpeg(image, argv[3], JpegOptions{std::atoi(argv[4]), false, false});
    }
  } else {
    std::fprintf(stderr, "usage: %s make OUT.jpg | recode IN.jpg OUT.jpg QUALITY [ROUNDS]\n", argv[0]);
    return 2;
  }
  if (!status) {
    std::fprintf(stderr, "%s\n", status.message().c_str());
    return 1;
  }
  return 0;
}
