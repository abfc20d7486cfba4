#include "imagefiles/webp_writer.h"

#include <webp/encode.h>

#include <algorithm>
#include <string>

#include "platform/atomic_file.h"
#include "platform/byte_sink.h"

namespace quillstone {
namespace {

std::string EncodingError(WebPEncodingError code) {
  switch (code) {
    case VP8_ENC_ERROR_OUT_OF_MEMORY:
    case VP8_ENC_ERROR_BITSTREAM_OUT_OF_MEMORY:
      return "not enough memory to encode the WebP picture";
    case VP8_ENC_ERROR_BAD_DIMENSION:
      return "the picture's size cannot be stored in a WebP file";
    case VP8_ENC_ERROR_PARTITION0_OVERFLOW:
    case VP8_ENC_ERROR_PARTITION_OVERFLOW:
      return "the WebP encoder's partition is full; a lower quality may fit";
    case VP8_ENC_ERROR_FILE_TOO_BIG:
      return "the WebP file would be larger than 4 GiB";
    default:
      return "the WebP encoder failed";
  }
}

// libwebp's output goes to the sink as it is made; a failed write stops the encoder.
int WriteToSink(const std::uint8_t* data, std::size_t size, const WebPPicture* picture) {
  auto* sink = static_cast<ByteSink*>(picture->custom_ptr);
  sink->Write(data, size);
  return sink->Failed() ? 0 : 1;
}

struct PictureFreer {
  WebPPicture* picture;
  ~PictureFreer() { WebPPictureFree(picture); }
};

}  // namespace

Status EncodeWebp(const RasterImage& image, ByteSink& sink, const std::filesystem::path& path, int quality,
                  const WebpOptions& options) {
  const std::string failed = "cannot write WebP " + path.string() + ": ";
  if (image.Empty()) return Status::Error(failed + "the image is empty");
  if (image.Width() > WEBP_MAX_DIMENSION || image.Height() > WEBP_MAX_DIMENSION) {
    return Status::Error(failed + "a WebP picture has at most " + std::to_string(WEBP_MAX_DIMENSION) +
                         " pixels per side");
  }
  WebPConfig config;
  if (WebPConfigPreset(&config, WEBP_PRESET_DEFAULT, static_cast<float>(std::clamp(quality, 1, 100))) == 0)
    return Status::Error(failed + "the WebP library does not match its header");
  config.lossless = options.lossless ? 1 : 0;

  WebPPicture picture;
  if (WebPPictureInit(&picture) == 0)
    return Status::Error(failed + "the WebP library does not match its header");
  const PictureFreer freer{&picture};
  picture.width = image.Width();
  picture.height = image.Height();
  picture.use_argb = options.lossless ? 1 : 0;
  if (WebPPictureImportBGR(&picture, image.Bits(), static_cast<int>(image.Stride())) == 0)
    return Status::Error(failed + EncodingError(picture.error_code));

  picture.writer = WriteToSink;
  picture.custom_ptr = &sink;
  if (WebPEncode(&config, &picture) == 0) return Status::Error(failed + EncodingError(picture.error_code));
  return Status::Ok();
}

Status WriteWebp(const RasterImage& image, const std::filesystem::path& path, int quality,
                 const WebpOptions& options) {
  return WriteAtomically(path,
                         [&](ByteSink& file) { return EncodeWebp(image, file, path, quality, options); });
}

}  // namespace quillstone
