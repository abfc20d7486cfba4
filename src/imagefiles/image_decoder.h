#pragma once

#include <filesystem>
#include <string>

#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// The decoder a file name asks for, by its extension after the last dot, in any letter case:
// ".bmp" and ".dib" are bitmaps, ".jpg", ".jpeg" and ".jpe" are JPEG; anything else is not
// an image the program reads.
enum class ImageFileKind { kUnknown, kBmp, kJpeg };
ImageFileKind ImageFileKindFor(const std::filesystem::path& path);

// Reads the file (ReadWholeFile: a regular file of at most kMaxImageFileBytes, its leading
// bytes checked before the rest is read) and decodes it into `out` (always 24 bits per
// pixel) with the decoder its extension names. On failure `out` is empty (its memory kept
// for reuse) and the status says why, e.g. "cannot decode photo.jpg: Not a JPEG file:
// starts with 0x42 0x4d"; a file with another extension is not read at all and is reported
// as such. A damaged JPEG is decoded as far as it goes and `damage` (when given) receives
// libjpeg's warning; it is emptied otherwise.
Status DecodeImageFile(const std::filesystem::path& path, RasterImage& out, std::string* damage = nullptr);

// What reading a source picture gave.
struct SourceImageRead {
  Status status;             // the file's own reason when it could not be decoded
  bool placeholder = false;  // the target holds the placeholder picture in its stead
  std::string damage;        // libjpeg's warning for a damaged JPEG decoded all the same
};

// Decodes a source picture into `target` as DecodeImageFile does, except that a JPEG that
// cannot be decoded gives the picture at `placeholder` instead (unless that path is empty),
// so that every unreadable photo still has a picture; a path where there is no file gets
// none. Should the placeholder fail too, the status names both reasons and the target is
// empty.
SourceImageRead DecodeSourceImage(const std::filesystem::path& path, const std::filesystem::path& placeholder,
                                  RasterImage& target);

// Loads a logo picked by the user: on success `logo` holds the decoded picture and
// `untouchedLogo` a copy of it that the logo tools restore from. A file that cannot be read
// leaves both as they were, so a bad pick never loses the current logo.
Status LoadLogoFile(const std::filesystem::path& path, RasterImage& logo, RasterImage& untouchedLogo);

// Loads the margin texture the same way: replaced on success, kept on failure.
Status LoadTextureFile(const std::filesystem::path& path, RasterImage& texture);

}  // namespace quillstone
