#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/camera_data.h"
#include "imaging/status.h"

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
  // What the camera noted that a text can show, read from the EXIF block like the
  // orientation; a field the block lacks is empty. Never written back.
  CameraData camera;

  bool Empty() const { return exif.empty() && xmp.empty() && iptc.empty() && icc.empty(); }
  friend bool operator==(const ImageMetadata&, const ImageMetadata&) = default;
};

// Reads the metadata of a whole image file held in memory (JPEG, PNG, TIFF or WebP).
// Metadata that cannot be parsed is left out: it never fails the picture.
ImageMetadata ReadImageMetadata(const std::uint8_t* bytes, std::size_t size);

// Writes `metadata` into a whole JPEG, PNG, TIFF or WebP file held in memory, for a picture
// of `width` x `height` pixels: the EXIF orientation becomes metadata.orientation, the pixel
// dimensions are updated, the embedded thumbnail is dropped (it would show the unmarked
// picture) and the software tag names this program. The file's own structure (a TIFF's
// size, strips and samples) wins over the source's tags of the same name. On failure the
// file is left as it was and the status says why.
Status EmbedMetadata(std::string& file, const ImageMetadata& metadata, int width, int height);

}  // namespace quillstone
