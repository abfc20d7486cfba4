#include "imagefiles/image_decoder.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "imagefiles/bmp_decoder.h"
#include "imagefiles/jpeg_decoder.h"

namespace quillstone {
namespace {

// Image files larger than this are refused before reading: the largest raster allowed is
// 2^28 pixels, which no sensible BMP or JPEG file exceeds 2 GiB to describe.
constexpr std::int64_t kMaxFileBytes = std::int64_t{2} << 30;

std::string LowerExtension(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  std::string ext = name.substr(dot);
  for (char& c : ext) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return ext;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

Status ReadWholeFile(const std::filesystem::path& path, const std::string& name,
                     std::vector<std::uint8_t>& bytes) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return Status::Error("cannot open " + name + ": " + std::strerror(errno));
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec))
    return Status::Error("cannot open " + name + ": it is a folder");
  if (std::fseek(file.get(), 0, SEEK_END) != 0)
    return Status::Error("cannot read " + name + ": " + std::strerror(errno));
  const long length = std::ftell(file.get());
  if (length < 0) return Status::Error("cannot read " + name + ": " + std::strerror(errno));
  if (length > kMaxFileBytes) return Status::Error("cannot read " + name + ": the file is larger than 2 GiB");
  std::rewind(file.get());
  try {
    bytes.resize(static_cast<std::size_t>(length));
  } catch (const std::bad_alloc&) {
    return Status::Error("cannot read " + name + ": not enough memory");
  }
  if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
    return Status::Error(
        "cannot read " + name + ": " +
        (std::ferror(file.get()) ? std::strerror(errno) : "the file shrank while being read"));
  }
  return Status::Ok();
}

}  // namespace

ImageFileKind ImageFileKindFor(const std::filesystem::path& path) {
  const std::string ext = LowerExtension(path);
  if (ext == ".bmp" || ext == ".dib") return ImageFileKind::kBmp;
  if (ext == ".jpg" || ext == ".jpeg" || ext == ".jpe") return ImageFileKind::kJpeg;
  return ImageFileKind::kUnknown;
}

Status DecodeImageFile(const std::filesystem::path& path, RasterImage& out) {
  const std::string name = path.filename().string();
  const ImageFileKind kind = ImageFileKindFor(path);
  out.Clear();
  if (kind == ImageFileKind::kUnknown) {
    return Status::Error(name +
                         " is not a BMP or JPEG file (the extension is not .bmp, .dib, .jpg, .jpeg or .jpe)");
  }
  std::vector<std::uint8_t> bytes;
  if (Status status = ReadWholeFile(path, name, bytes); !status) return status;
  const Status status = kind == ImageFileKind::kBmp ? DecodeBmpMemory(bytes.data(), bytes.size(), out)
                                                    : DecodeJpegMemory(bytes.data(), bytes.size(), out);
  if (!status) return Status::Error("cannot decode " + name + ": " + status.message());
  return status;
}

SourceImageRead DecodeSourceImage(const std::filesystem::path& path, const std::filesystem::path& placeholder,
                                  RasterImage& target) {
  SourceImageRead read{DecodeImageFile(path, target)};
  if (read.status || placeholder.empty() || ImageFileKindFor(path) != ImageFileKind::kJpeg) return read;
  if (const Status fallback = DecodeImageFile(placeholder, target); !fallback) {
    read.status = Status::Error(read.status.message() +
                                "; the placeholder picture cannot be read either: " + fallback.message());
    return read;
  }
  read.placeholder = true;
  return read;
}

Status LoadLogoFile(const std::filesystem::path& path, RasterImage& logo, RasterImage& untouchedLogo) {
  RasterImage decoded;
  if (Status status = DecodeImageFile(path, decoded); !status) return status;
  logo = std::move(decoded);
  untouchedLogo = logo;
  return Status::Ok();
}

Status LoadTextureFile(const std::filesystem::path& path, RasterImage& texture) {
  RasterImage decoded;
  if (Status status = DecodeImageFile(path, decoded); !status) return status;
  texture = std::move(decoded);
  return Status::Ok();
}

}  // namespace quillstone
