#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quillstone {

// What a photo file says about itself besides its pixels, kept as the bytes it was stored
// in so that a marked copy can carry it on. Each member is empty when the file had none.
struct ImageMetadata {
  std::string exif;  // the EXIF block: a TIFF header and its directories (after "Exif\0\0")
  std::string xmp;   // the XMP packet
  std::string iptc;  // the IPTC records
  std::string icc;   // the ICC colour profile
  // The camera's EXIF orientation, 1..8 (1: upright; 2..8 turned and mirrored as EXIF
  // defines them); 1 when the file gives none or a value out of range.
  int orientation = 1;

  bool Empty() const { return exif.empty() && xmp.empty() && iptc.empty() && icc.empty(); }
  friend bool operator==(const ImageMetadata&, const ImageMetadata&) = default;
};

// Reads the metadata of a whole image file held in memory (JPEG, PNG, TIFF or WebP).
// Metadata that cannot be parsed is left out: it never fails the picture.
ImageMetadata ReadImageMetadata(const std::uint8_t* bytes, std::size_t size);

}  // namespace quillstone
