#include "imagefiles/image_metadata.h"

#include <array>
#include <cstring>
#include <exception>
#include <exiv2/exiv2.hpp>
#include <mutex>

namespace quillstone {

namespace {

constexpr const char* kSoftware = "Quillstone";

// The library keeps quiet (problems come back as exceptions) and its XMP toolkit is set up
// once, before any thread of a batch run uses it.
void PrepareLibrary() {
  static std::once_flag once;
  std::call_once(once, [] {
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    Exiv2::XmpParser::initialize();
  });
}

const Exiv2::byte* BytesOf(const std::string& s) {
  return reinterpret_cast<const Exiv2::byte*>(s.data());
}

// Tags of the first directory that describe how a file stores its pixels (or its
// thumbnail, or metadata kept elsewhere): they belong to the file written, never to the
// source.
constexpr std::array<std::uint16_t, 27> kStructureTags = {
    0x00fe, 0x00ff, 0x0100, 0x0101, 0x0102, 0x0103, 0x0106, 0x010a, 0x0111,
    0x0115, 0x0116, 0x0117, 0x011c, 0x013d, 0x0140, 0x0142, 0x0143, 0x0144,
    0x0145, 0x014a, 0x0152, 0x0153, 0x015b, 0x0201, 0x0202, 0x02bc, 0x83bb,
};
constexpr std::uint16_t kIccTag = 0x8773;

bool CarriedOver(const Exiv2::Exifdatum& datum) {
  const std::string group = datum.groupName();
  if (group == "Image") {
    for (const std::uint16_t tag : kStructureTags) {
      if (datum.tag() == tag) return false;
    }
    return datum.tag() != kIccTag;
  }
  // The thumbnail and further images of the source do not describe the picture written.
  return group != "Thumbnail" && group.rfind("SubImage", 0) != 0 && group.rfind("Image", 0) != 0;
}

void SetIfPresent(Exiv2::ExifData& exif, const char* key, std::uint32_t value) {
  const auto it = exif.findKey(Exiv2::ExifKey(key));
  if (it != exif.end()) it->setValue(std::to_string(value));
}

void SetIfPresent(Exiv2::XmpData& xmp, const char* key, std::uint32_t value) {
  const auto it = xmp.findKey(Exiv2::XmpKey(key));
  if (it != xmp.end()) it->setValue(std::to_string(value));
}

// The source's EXIF merged under the written file's own: orientation, dimensions and
// software as the picture written has them, no thumbnail.
void MergeExif(Exiv2::ExifData& target, const ImageMetadata& metadata, int width, int height) {
  Exiv2::ExifData source;
  if (!metadata.exif.empty()) {
    Exiv2::ExifParser::decode(source, BytesOf(metadata.exif),
                              static_cast<std::uint32_t>(metadata.exif.size()));
  }
  for (const Exiv2::Exifdatum& datum : source) {
    if (!CarriedOver(datum) || target.findKey(Exiv2::ExifKey(datum.key())) != target.end()) continue;
    target.add(datum);
  }
  Exiv2::ExifThumb(target).erase();
  target["Exif.Image.Orientation"] = static_cast<std::uint16_t>(metadata.orientation);
  target["Exif.Image.Software"] = kSoftware;
  SetIfPresent(target, "Exif.Photo.PixelXDimension", static_cast<std::uint32_t>(width));
  SetIfPresent(target, "Exif.Photo.PixelYDimension", static_cast<std::uint32_t>(height));
}

}  // namespace

ImageMetadata ReadImageMetadata(const std::uint8_t* bytes, std::size_t size) {
  ImageMetadata metadata;
  try {
    PrepareLibrary();
    Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(bytes, static_cast<long>(size));
    if (image.get() == nullptr) return {};
    image->readMetadata();
    const Exiv2::ExifData& exif = image->exifData();
    if (!exif.empty()) {
      const auto orientation = exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
      if (orientation != exif.end() && orientation->count() > 0) {
        const long value = orientation->toLong();
        if (value >= 1 && value <= 8) metadata.orientation = static_cast<int>(value);
      }
      Exiv2::Blob blob;
      const Exiv2::ByteOrder order =
          image->byteOrder() == Exiv2::invalidByteOrder ? Exiv2::littleEndian : image->byteOrder();
      Exiv2::ExifParser::encode(blob, order, exif);
      metadata.exif.assign(blob.begin(), blob.end());
    }
    metadata.xmp = image->xmpPacket();
    if (!image->iptcData().empty()) {
      const Exiv2::DataBuf iptc = Exiv2::IptcParser::encode(image->iptcData());
      metadata.iptc.assign(reinterpret_cast<const char*>(iptc.pData_), static_cast<std::size_t>(iptc.size_));
    }
    if (image->iccProfileDefined()) {
      const Exiv2::DataBuf* icc = image->iccProfile();
      metadata.icc.assign(reinterpret_cast<const char*>(icc->pData_), static_cast<std::size_t>(icc->size_));
    }
  } catch (const std::exception&) {
    // Metadata the library cannot parse is left out; the picture itself is still good.
    return {};
  }
  return metadata;
}

Status EmbedMetadata(std::string& file, const ImageMetadata& metadata, int width, int height) {
  try {
    PrepareLibrary();
    Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(BytesOf(file), static_cast<long>(file.size()));
    if (image.get() == nullptr) return Status::Error("cannot add metadata: unknown file type");
    image->readMetadata();
    Exiv2::ExifData exif = image->exifData();
    MergeExif(exif, metadata, width, height);
    image->setExifData(exif);
    if (!metadata.xmp.empty()) {
      Exiv2::XmpData xmp;
      if (Exiv2::XmpParser::decode(xmp, metadata.xmp) == 0) {
        SetIfPresent(xmp, "Xmp.tiff.Orientation", static_cast<std::uint32_t>(metadata.orientation));
        SetIfPresent(xmp, "Xmp.exif.PixelXDimension", static_cast<std::uint32_t>(width));
        SetIfPresent(xmp, "Xmp.exif.PixelYDimension", static_cast<std::uint32_t>(height));
        image->setXmpData(xmp);
      }
    }
    if (!metadata.iptc.empty() && image->mimeType() != "image/webp") {
      Exiv2::IptcData iptc;
      if (Exiv2::IptcParser::decode(iptc, BytesOf(metadata.iptc),
                                    static_cast<std::uint32_t>(metadata.iptc.size())) == 0)
        image->setIptcData(iptc);
    }
    if (!metadata.icc.empty()) {
      Exiv2::DataBuf icc(BytesOf(metadata.icc), static_cast<long>(metadata.icc.size()));
      image->setIccProfile(icc, false);
    }
    image->writeMetadata();
    Exiv2::BasicIo& io = image->io();
    if (io.open() != 0) return Status::Error("cannot add metadata: the written file cannot be read back");
    const long size = io.size();
    std::string written(static_cast<std::size_t>(size), '\0');
    const long read = io.read(reinterpret_cast<Exiv2::byte*>(written.data()), size);
    io.close();
    if (read != size) return Status::Error("cannot add metadata: the written file cannot be read back");
    file = std::move(written);
  } catch (const std::exception& error) {
    return Status::Error(std::string("cannot add metadata: ") + error.what());
  }
  return Status::Ok();
}

}  // namespace quillstone
