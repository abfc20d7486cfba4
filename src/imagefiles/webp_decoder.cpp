#include "imagefiles/webp_decoder.h"

#include <webp/decode.h>

#include "imagefiles/alpha_rows.h"
#include "imagefiles/decode_contract.h"

namespace quillstone {
namespace {

std::string StatusText(VP8StatusCode code) {
  switch (code) {
    case VP8_STATUS_OUT_OF_MEMORY:
      return "not enough memory for the WebP picture";
    case VP8_STATUS_INVALID_PARAM:
      return "the WebP decoder refused its parameters";
    case VP8_STATUS_BITSTREAM_ERROR:
      return "the WebP data is damaged";
    case VP8_STATUS_UNSUPPORTED_FEATURE:
      return "the WebP file uses a feature that is not supported";
    case VP8_STATUS_NOT_ENOUGH_DATA:
      return "the WebP data ends before the picture does";
    default:
      return "the WebP data cannot be decoded";
  }
}

Status Decode(const std::uint8_t* bytes, std::size_t size, RasterImage& out, std::vector<std::uint8_t>* alpha,
              std::int64_t maxPixels) {
  WebPBitstreamFeatures features;
  if (const VP8StatusCode code = WebPGetFeatures(bytes, size, &features); code != VP8_STATUS_OK)
    return Status::Error(StatusText(code));
  if (features.has_animation) return Status::Error("animated WebP files are not supported");
  if (std::string problem = DecodeSizeProblem(features.width, features.height, maxPixels); !problem.empty())
    return Status::Error(problem);

  const int width = features.width;
  const int height = features.height;
  out.Resize(width, height);
  if (!features.has_alpha) {
    if (WebPDecodeBGRInto(bytes, size, out.Bits(), out.ByteCount(), static_cast<int>(out.Stride())) ==
        nullptr)
      return Status::Error("the WebP data cannot be decoded");
    return Status::Ok();
  }
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  std::vector<std::uint8_t> bgra(rowBytes * static_cast<std::size_t>(height));
  if (WebPDecodeBGRAInto(bytes, size, bgra.data(), bgra.size(), static_cast<int>(rowBytes)) == nullptr)
    return Status::Error("the WebP data cannot be decoded");
  std::uint8_t* alphaRows = nullptr;
  if (alpha != nullptr) {
    alpha->resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    alphaRows = alpha->data();
  }
  for (int y = 0; y < height; ++y) {
    StoreBgraRow(&bgra[rowBytes * static_cast<std::size_t>(y)], width, out.Row(y),
                 alphaRows != nullptr ? alphaRows + static_cast<std::size_t>(width) * y : nullptr);
  }
  return Status::Ok();
}

}  // namespace

std::string WebpSignatureProblem(std::string_view leading) {
  if (leading.size() < 12) return "not a WebP file: it is shorter than the RIFF header";
  if (leading.substr(0, 4) != "RIFF" || leading.substr(8, 4) != "WEBP")
    return "not a WebP file: it does not start with \"RIFF\" and \"WEBP\"";
  return {};
}

Status DecodeWebpMemory(const std::uint8_t* bytes, std::size_t size, RasterImage& out,
                        std::vector<std::uint8_t>* alpha, std::string* damage, std::int64_t maxPixels) {
  return DecodeUnderContract(bytes, size, out, alpha, damage, WebpSignatureProblem, "WebP",
                             [&] { return Decode(bytes, size, out, alpha, maxPixels); });
}

}  // namespace quillstone
