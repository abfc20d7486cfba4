#include "imagefiles/image_metadata.h"

#include <webp/mux.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <exiv2/exiv2.hpp>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

#include "imagefiles/jpeg_segments.h"

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

// The source's XMP with the orientation and dimensions of the picture written; false when
// there is none (or it cannot be parsed).
bool AdjustedXmp(const ImageMetadata& metadata, int width, int height, Exiv2::XmpData& xmp) {
  if (metadata.xmp.empty() || Exiv2::XmpParser::decode(xmp, metadata.xmp) != 0) return false;
  SetIfPresent(xmp, "Xmp.tiff.Orientation", static_cast<std::uint32_t>(metadata.orientation));
  SetIfPresent(xmp, "Xmp.exif.PixelXDimension", static_cast<std::uint32_t>(width));
  SetIfPresent(xmp, "Xmp.exif.PixelYDimension", static_cast<std::uint32_t>(height));
  return true;
}

// The source's EXIF merged under the written file's own: orientation, dimensions and
// software as the picture written has them; its thumbnail stays behind (CarriedOver).
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
  target["Exif.Image.Orientation"] = static_cast<std::uint16_t>(metadata.orientation);
  target["Exif.Image.Software"] = kSoftware;
  SetIfPresent(target, "Exif.Photo.PixelXDimension", static_cast<std::uint32_t>(width));
  SetIfPresent(target, "Exif.Photo.PixelYDimension", static_cast<std::uint32_t>(height));
}

Status EmbedMetadataWhole(std::string& file, const ImageMetadata& metadata, int width, int height);
Status EmbedWebpMetadata(std::string& file, const ImageMetadata& metadata, int width, int height);

void PutBigEndian32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

// A PNG's colour profile: an iCCP chunk (a name, compression method 0, the deflated
// profile) right after IHDR, where readers look for it before the palette and the image.
void PutPngProfile(std::string& png, const std::string& profile) {
  constexpr std::size_t kAfterHeader = 8 + 12 + 13;
  if (profile.empty() || png.size() < kAfterHeader || png.compare(12, 4, "IHDR") != 0) return;
  uLongf packedSize = compressBound(static_cast<uLong>(profile.size()));
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                reinterpret_cast<const Bytef*>(profile.data()), static_cast<uLong>(profile.size()),
                Z_BEST_COMPRESSION) != Z_OK)
    return;
  packed.resize(packedSize);
  std::string chunk(4, '\0');
  chunk += "iCCP";
  chunk += std::string_view("ICC profile\0\0", 13);
  chunk += packed;
  PutBigEndian32(chunk, 0, static_cast<std::uint32_t>(chunk.size() - 8));
  const std::uint32_t crc = static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(chunk.data() + 4), static_cast<uInt>(chunk.size() - 4)));
  chunk += std::string(4, '\0');
  PutBigEndian32(chunk, chunk.size() - 4, crc);
  png.insert(kAfterHeader, chunk);
}

// Where a JPEG's entropy-coded data begins: the offset of its first SOS marker, after
// which no metadata segment comes; 0 when the bytes are not a JPEG or have no SOS.
std::size_t JpegHeaderLength(const std::uint8_t* bytes, std::size_t size) {
  std::size_t scan = 0;
  ForEachJpegSegment({bytes, size}, [&](std::uint8_t marker, std::size_t at, std::size_t) {
    if (marker == 0xDA) scan = at;
  });
  return scan;
}

// A JPEG's segments before its image data, ended as a file: all the metadata library reads
// or rewrites, so a photo's megabytes of image data are never copied through it.
std::string JpegHead(const std::uint8_t* bytes, std::size_t headerLength) {
  std::string head(reinterpret_cast<const char*>(bytes), headerLength);
  head += "\xFF\xD9";
  return head;
}

// A colour profile is stored in a JPEG as APP2 segments of "ICC_PROFILE\0", a sequence
// number from 1, the count, and up to 65519 bytes of the profile each.
constexpr std::string_view kProfileTag{"ICC_PROFILE\0", 12};
constexpr std::size_t kProfileChunk = 65519;

struct Segment {
  std::size_t at;      // offset of its 0xFF
  std::size_t length;  // bytes in all, marker included
  std::uint8_t marker;
};

// The segments of a JPEG head (JpegHead) between SOI and the end.
std::vector<Segment> SegmentsOf(const std::string& head) {
  std::vector<Segment> segments;
  ForEachJpegSegment({reinterpret_cast<const std::uint8_t*>(head.data()), head.size()},
                     [&](std::uint8_t marker, std::size_t at, std::size_t length) {
                       if (marker != 0xDA) segments.push_back({at, length, marker});
                     });
  return segments;
}

// Takes the colour profile's segments out of a JPEG head and returns the profile, its
// pieces in the order of their sequence numbers (empty when there is none).
std::string TakeJpegProfile(std::string& head) {
  std::vector<std::pair<int, std::string>> pieces;
  const std::vector<Segment> segments = SegmentsOf(head);
  for (auto it = segments.rbegin(); it != segments.rend(); ++it) {
    const std::size_t data = it->at + 4;
    if (it->marker != 0xE2 || it->length < 4 + kProfileTag.size() + 2 ||
        head.compare(data, kProfileTag.size(), kProfileTag) != 0)
      continue;
    const int sequence = static_cast<std::uint8_t>(head[data + kProfileTag.size()]);
    const std::size_t first = data + kProfileTag.size() + 2;
    pieces.emplace_back(sequence, head.substr(first, it->at + it->length - first));
    head.erase(it->at, it->length);
  }
  std::stable_sort(pieces.begin(), pieces.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::string profile;
  for (const auto& piece : pieces) profile += piece.second;
  return profile;
}

// Puts a colour profile into a JPEG head, after its APP0 and APP1 segments.
void PutJpegProfile(std::string& head, const std::string& profile) {
  if (profile.empty()) return;
  std::size_t at = 2;
  for (const Segment& segment : SegmentsOf(head)) {
    if (segment.marker != 0xE0 && segment.marker != 0xE1) break;
    at = segment.at + segment.length;
  }
  const std::size_t count = (profile.size() + kProfileChunk - 1) / kProfileChunk;
  std::string segments;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view piece = std::string_view(profile).substr(i * kProfileChunk, kProfileChunk);
    const std::size_t length = 2 + kProfileTag.size() + 2 + piece.size();
    segments += "\xFF\xE2";
    segments += static_cast<char>(length >> 8);
    segments += static_cast<char>(length & 0xFF);
    segments += kProfileTag;
    segments += static_cast<char>(i + 1);
    segments += static_cast<char>(count);
    segments += piece;
  }
  head.insert(at, segments);
}

// The camera's notes a text can show. A field the library cannot read leaves them all empty
// without costing the rest of the metadata.
CameraData CameraDataOf(const Exiv2::ExifData& exif) {
  // Where each field lives, and whether it shows as stored or as its reading with units.
  struct Source {
    CameraField field;
    const char* key;
    bool interpreted;
  };
  static constexpr Source kSources[] = {
      {CameraField::kArtist, "Exif.Image.Artist", false},
      {CameraField::kCopyright, "Exif.Image.Copyright", false},
      {CameraField::kMake, "Exif.Image.Make", false},
      {CameraField::kModel, "Exif.Image.Model", false},
      {CameraField::kLensModel, "Exif.Photo.LensModel", false},
      {CameraField::kDateTimeOriginal, "Exif.Photo.DateTimeOriginal", false},
      {CameraField::kExposureTime, "Exif.Photo.ExposureTime", true},
      {CameraField::kFNumber, "Exif.Photo.FNumber", true},
      {CameraField::kIso, "Exif.Photo.ISOSpeedRatings", true},
      {CameraField::kFocalLength, "Exif.Photo.FocalLength", true},
  };
  CameraData camera;
  try {
    for (const Source& source : kSources) {
      const auto it = exif.findKey(Exiv2::ExifKey(source.key));
      if (it == exif.end()) continue;
      std::string value = source.interpreted ? it->print(&exif) : it->toString();
      // Cameras pad their strings with spaces and NULs.
      while (!value.empty() && (value.back() == ' ' || value.back() == '\0')) value.pop_back();
      camera[source.field] = std::move(value);
    }
  } catch (const std::exception&) {
    return {};
  }
  return camera;
}

}  // namespace

ImageMetadata ReadImageMetadata(const std::uint8_t* bytes, std::size_t size) {
  ImageMetadata metadata;
  try {
    PrepareLibrary();
    const std::size_t headerLength = JpegHeaderLength(bytes, size);
    // A JPEG's profile is read apart, so that one the library would refuse costs nothing else.
    std::string head = headerLength > 0 ? JpegHead(bytes, headerLength) : std::string();
    if (headerLength > 0) metadata.icc = TakeJpegProfile(head);
    auto image = headerLength > 0 ? Exiv2::ImageFactory::open(BytesOf(head), static_cast<long>(head.size()))
                                  : Exiv2::ImageFactory::open(bytes, static_cast<long>(size));
    if (image.get() == nullptr) return {};
    image->readMetadata();
    const Exiv2::ExifData& exif = image->exifData();
    if (!exif.empty()) {
      const auto orientation = exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
      if (orientation != exif.end() && orientation->count() > 0) {
        const long value = orientation->toLong();
        if (value >= 1 && value <= 8) metadata.orientation = static_cast<int>(value);
      }
      metadata.camera = CameraDataOf(exif);
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
    if (headerLength == 0 && image->iccProfileDefined()) {
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
  if (file.size() >= 12 && file.compare(0, 4, "RIFF") == 0 && file.compare(8, 4, "WEBP") == 0)
    return EmbedWebpMetadata(file, metadata, width, height);
  // A JPEG's metadata is written into its head alone, which then goes before its image data.
  const auto* fileBytes = reinterpret_cast<const std::uint8_t*>(file.data());
  const std::size_t headerLength = JpegHeaderLength(fileBytes, file.size());
  if (headerLength > 0) {
    std::string head = JpegHead(fileBytes, headerLength);
    ImageMetadata withoutProfile = metadata;
    withoutProfile.icc.clear();
    if (Status status = EmbedMetadataWhole(head, withoutProfile, width, height); !status) return status;
    if (head.size() < 2 || head.compare(head.size() - 2, 2, "\xFF\xD9") != 0)
      return Status::Error("cannot add metadata: the JPEG head came back without its end");
    head.resize(head.size() - 2);
    PutJpegProfile(head, metadata.icc);
    file.replace(0, headerLength, head);
    return Status::Ok();
  }
  return EmbedMetadataWhole(file, metadata, width, height);
}

namespace {

Status EmbedMetadataWhole(std::string& file, const ImageMetadata& metadata, int width, int height) {
  try {
    PrepareLibrary();
    auto image = Exiv2::ImageFactory::open(BytesOf(file), static_cast<long>(file.size()));
    if (image.get() == nullptr) return Status::Error("cannot add metadata: unknown file type");
    image->readMetadata();
    Exiv2::ExifData exif = image->exifData();
    MergeExif(exif, metadata, width, height);
    image->setExifData(exif);
    if (Exiv2::XmpData xmp; AdjustedXmp(metadata, width, height, xmp)) image->setXmpData(xmp);
    if (!metadata.iptc.empty()) {
      Exiv2::IptcData iptc;
      if (Exiv2::IptcParser::decode(iptc, BytesOf(metadata.iptc),
                                    static_cast<std::uint32_t>(metadata.iptc.size())) == 0)
        image->setIptcData(iptc);
    }
    // JPEG and PNG profiles are written apart (PutJpegProfile, PutPngProfile).
    const bool png = image->mimeType() == "image/png";
    if (!metadata.icc.empty() && !png) {
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
    if (png) PutPngProfile(file, metadata.icc);
  } catch (const std::exception& error) {
    return Status::Error(std::string("cannot add metadata: ") + error.what());
  }
  return Status::Ok();
}

// A WebP's metadata goes in through libwebpmux as its ICCP, EXIF and XMP chunks (the
// metadata library of this Debian release writes a WebP profile under the wrong name).
Status EmbedWebpMetadata(std::string& file, const ImageMetadata& metadata, int width, int height) {
  Exiv2::Blob exif;
  std::string xmpPacket;
  try {
    PrepareLibrary();
    Exiv2::ExifData merged;
    MergeExif(merged, metadata, width, height);
    Exiv2::ExifParser::encode(exif, Exiv2::littleEndian, merged);
    if (Exiv2::XmpData xmp; AdjustedXmp(metadata, width, height, xmp))
      Exiv2::XmpParser::encode(xmpPacket, xmp);
  } catch (const std::exception& error) {
    return Status::Error(std::string("cannot add metadata: ") + error.what());
  }
  const WebPData image{reinterpret_cast<const std::uint8_t*>(file.data()), file.size()};
  WebPMux* mux = WebPMuxCreate(&image, 0);
  if (mux == nullptr) return Status::Error("cannot add metadata: the WebP file cannot be read back");
  bool ok = true;
  const auto set = [&](const char* fourcc, const void* bytes, std::size_t size) {
    if (size == 0 || !ok) return;
    const WebPData chunk{static_cast<const std::uint8_t*>(bytes), size};
    ok = WebPMuxSetChunk(mux, fourcc, &chunk, 1) == WEBP_MUX_OK;
  };
  set("ICCP", metadata.icc.data(), metadata.icc.size());
  set("EXIF", exif.data(), exif.size());
  set("XMP ", xmpPacket.data(), xmpPacket.size());
  WebPData assembled;
  WebPDataInit(&assembled);
  ok = ok && WebPMuxAssemble(mux, &assembled) == WEBP_MUX_OK;
  WebPMuxDelete(mux);
  if (ok) file.assign(reinterpret_cast<const char*>(assembled.bytes), assembled.size);
  WebPDataClear(&assembled);
  return ok ? Status::Ok() : Status::Error("cannot add metadata: the WebP chunks cannot be written");
}

}  // namespace

}  // namespace quillstone
