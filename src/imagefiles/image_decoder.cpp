#include "imagefiles/image_decoder.h"

#include <string>

#include "imagefiles/bmp_decoder.h"
#include "imagefiles/decode_limits.h"
#include "imagefiles/jpeg_decoder.h"
#include "imagefiles/png_decoder.h"
#include "imagefiles/tiff_decoder.h"
#include "imagefiles/webp_decoder.h"
#include "imaging/ascii_case.h"
#include "platform/whole_file.h"

namespace quillstone {
namespace {

std::string LowerExtension(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  return ToLowerAscii(std::string_view(name).substr(dot));
}

std::string SignatureProblem(ImageFileKind kind, std::string_view leading) {
  switch (kind) {
    case ImageFileKind::kBmp:
      return BmpSignatureProblem(leading);
    case ImageFileKind::kJpeg:
      return JpegSignatureProblem(leading);
    case ImageFileKind::kPng:
      return PngSignatureProblem(leading);
    case ImageFileKind::kTiff:
      return TiffSignatureProblem(leading);
    case ImageFileKind::kWebp:
      return WebpSignatureProblem(leading);
    case ImageFileKind::kUnknown:
      break;
  }
  return "not an image file the program reads";
}

Status DecodeMemory(ImageFileKind kind, const std::uint8_t* data, std::size_t size, RasterImage& out,
                    std::vector<std::uint8_t>* alpha, std::string* damage) {
  switch (kind) {
    case ImageFileKind::kBmp:
      return DecodeBmpMemory(data, size, out);
    case ImageFileKind::kJpeg:
      return DecodeJpegMemory(data, size, out, damage);
    case ImageFileKind::kPng:
      return DecodePngMemory(data, size, out, alpha, damage);
    case ImageFileKind::kTiff:
      return DecodeTiffMemory(data, size, out, alpha, damage);
    case ImageFileKind::kWebp:
      return DecodeWebpMemory(data, size, out, alpha, damage);
    case ImageFileKind::kUnknown:
      break;
  }
  return Status::Error("not an image file the program reads");
}

}  // namespace

ImageFileKind ImageFileKindFor(const std::filesystem::path& path) {
  const std::string ext = LowerExtension(path);
  if (ext == ".bmp" || ext == ".dib") return ImageFileKind::kBmp;
  if (ext == ".jpg" || ext == ".jpeg" || ext == ".jpe") return ImageFileKind::kJpeg;
  if (ext == ".png") return ImageFileKind::kPng;
  if (ext == ".tif" || ext == ".tiff") return ImageFileKind::kTiff;
  if (ext == ".webp") return ImageFileKind::kWebp;
  return ImageFileKind::kUnknown;
}

Status DecodeImageFile(const std::filesystem::path& path, RasterImage& out, DecodeExtras* extras) {
  const std::string name = path.filename().string();
  const ImageFileKind kind = ImageFileKindFor(path);
  out.Clear();
  std::string* damage = nullptr;
  std::vector<std::uint8_t>* alpha = nullptr;
  if (extras != nullptr) {
    extras->damage.clear();
    extras->alpha.clear();
    extras->metadata = {};
    extras->fileBytes.clear();
    damage = &extras->damage;
    if (extras->wantAlpha) alpha = &extras->alpha;
  }
  if (kind == ImageFileKind::kUnknown) {
    return Status::Error(
        name +
        " is not a BMP, JPEG, PNG, TIFF or WebP file (the extension is not .bmp, .dib, .jpg, "
        ".jpeg, .jpe, .png, .tif, .tiff or .webp)");
  }
  // The leading bytes are checked before the rest is read, so that a large file of another
  // kind costs nothing.
  std::string signatureProblem;
  const auto check = [&](std::string_view leading) {
    signatureProblem = SignatureProblem(kind, leading);
    return signatureProblem;
  };
  std::string bytes;
  if (const WholeFileRead read = ReadWholeFile(path, kMaxImageFileBytes, bytes, check); !read.read()) {
    if (!signatureProblem.empty()) return Status::Error("cannot decode " + name + ": " + signatureProblem);
    return Status::Error("cannot open " + name + ": " + read.reason);
  }
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const Status status = DecodeMemory(kind, data, bytes.size(), out, alpha, damage);
  if (!status) return Status::Error("cannot decode " + name + ": " + status.message());
  // A bitmap carries no metadata; it is not handed to the metadata reader, which would copy it.
  if (extras != nullptr && extras->wantMetadata && kind != ImageFileKind::kBmp)
    extras->metadata = ReadImageMetadata(data, bytes.size());
  if (extras != nullptr && extras->wantFileBytes) extras->fileBytes = std::move(bytes);
  return status;
}

bool ReadJpegSourceFile(const std::filesystem::path& path, SourceImageRead& read) {
  if (ImageFileKindFor(path) != ImageFileKind::kJpeg) return false;
  const auto check = [](std::string_view leading) { return SignatureProblem(ImageFileKind::kJpeg, leading); };
  if (!ReadWholeFile(path, kMaxImageFileBytes, read.fileBytes, check).read()) return false;
  read.metadata =
      ReadImageMetadata(reinterpret_cast<const std::uint8_t*>(read.fileBytes.data()), read.fileBytes.size());
  read.status = Status::Ok();
  return true;
}

SourceImageRead DecodeSourceImage(const std::filesystem::path& path, const std::filesystem::path& placeholder,
                                  RasterImage& target, SourceReadWants wants) {
  SourceImageRead read;
  DecodeExtras extras;
  extras.wantMetadata = wants.metadata;
  extras.wantFileBytes = wants.fileBytes;
  read.status = DecodeImageFile(path, target, &extras);
  read.damage = std::move(extras.damage);
  read.metadata = std::move(extras.metadata);
  read.fileBytes = std::move(extras.fileBytes);
  if (read.status || placeholder.empty() || ImageFileKindFor(path) != ImageFileKind::kJpeg) return read;
  // The placeholder stands in for a photo that is there but cannot be read; a name that
  // names no file (a mistyped entry of a list) fails, rather than leaving a file behind.
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return read;
  if (const Status fallback = DecodeImageFile(placeholder, target); !fallback) {
    read.status = Status::Error(read.status.message() +
                                "; the placeholder picture cannot be read either: " + fallback.message());
    return read;
  }
  read.placeholder = true;
  return read;
}

Status LoadLogoFile(const std::filesystem::path& path, RasterImage& logo, RasterImage& untouchedLogo,
                    std::vector<std::uint8_t>* alpha) {
  RasterImage decoded;
  DecodeExtras extras;
  extras.wantAlpha = alpha != nullptr;
  if (Status status = DecodeImageFile(path, decoded, &extras); !status) return status;
  logo = std::move(decoded);
  untouchedLogo = logo;
  if (alpha != nullptr) *alpha = std::move(extras.alpha);
  return Status::Ok();
}

Status LoadTextureFile(const std::filesystem::path& path, RasterImage& texture) {
  RasterImage decoded;
  if (Status status = DecodeImageFile(path, decoded); !status) return status;
  texture = std::move(decoded);
  return Status::Ok();
}

}  // namespace quillstone
