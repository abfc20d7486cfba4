#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "imagefiles/image_metadata.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// The decoder a file name asks for, by its extension after the last dot, in any letter case:
// ".bmp" and ".dib" are bitmaps, ".jpg", ".jpeg" and ".jpe" are JPEG, ".png" PNG, ".tif" and
// ".tiff" TIFF, ".webp" WebP; anything else is not an image the program reads.
enum class ImageFileKind { kUnknown, kBmp, kJpeg, kPng, kTiff, kWebp };
ImageFileKind ImageFileKindFor(const std::filesystem::path& path);

// Reads the file (ReadWholeFile: a regular file of at most kMaxImageFileBytes, its leading
// bytes checked before the rest is read) and decodes it into `out` (always 24 bits per
// pixel) with the decoder its extension names. On failure `out` is empty (its memory kept
// for reuse) and the status says why, e.g. "cannot decode photo.jpg: Not a JPEG file:
// starts with 0x42 0x4d"; a file with another extension is not read at all and is reported
// as such. A damaged file is decoded as far as it goes and `extras->damage` (when extras are
// given) receives the decoder's warning. Transparent pixels are composited onto white unless
// the caller asks for the alpha channel.
struct DecodeExtras {
  bool wantAlpha = false;     // fill `alpha` instead of compositing onto white
  bool wantMetadata = false;  // fill `metadata`
  // The decoder's warning for damaged data decoded all the same; empty otherwise.
  std::string damage;
  // With wantAlpha: one byte per pixel, rows top to bottom without padding (0 transparent,
  // 255 opaque), when the file has an alpha channel; empty otherwise.
  std::vector<std::uint8_t> alpha;
  // With wantMetadata: the file's metadata; empty (orientation 1) otherwise.
  ImageMetadata metadata;
  bool wantFileBytes = false;  // fill `fileBytes`
  // With wantFileBytes: the file as it was read, when it decoded; empty otherwise.
  std::string fileBytes;
};
Status DecodeImageFile(const std::filesystem::path& path, RasterImage& out, DecodeExtras* extras = nullptr);

// What reading a source picture gave.
struct SourceImageRead {
  Status status;             // the file's own reason when it could not be decoded
  bool placeholder = false;  // the target holds the placeholder picture in its stead
  std::string damage;        // the decoder's warning for a damaged file decoded all the same
  ImageMetadata metadata;    // with metadata asked: the source's metadata (none for a placeholder)
  std::string fileBytes;     // with the bytes asked: the source file as read (none for a placeholder)
};

// What DecodeSourceImage gives besides the picture.
struct SourceReadWants {
  bool metadata = false;
  bool fileBytes = false;  // the file's bytes, for a writer that copies from them
};

// Decodes a source picture into `target` as DecodeImageFile does, except that a JPEG that
// cannot be decoded gives the picture at `placeholder` instead (unless that path is empty),
// so that every unreadable photo still has a picture; a path where there is no file gets
// none. Should the placeholder fail too, the status names both reasons and the target is
// empty.
SourceImageRead DecodeSourceImage(const std::filesystem::path& path, const std::filesystem::path& placeholder,
                                  RasterImage& target, SourceReadWants wants = {});

// Reads a JPEG source's bytes and metadata without decoding its pixels, for a caller that
// decodes only part of it. False when the file has no JPEG name or signature or cannot be
// read; the caller then decodes it the ordinary way, which says why.
bool ReadJpegSourceFile(const std::filesystem::path& path, SourceImageRead& read);

// Loads a logo picked by the user: on success `logo` holds the decoded picture and
// `untouchedLogo` a copy of it that the logo tools restore from. A file that cannot be read
// leaves both as they were, so a bad pick never loses the current logo.
// With `alpha`, a logo with an alpha channel gives it there (emptied for one without), so
// that it blends by its transparency; without, transparency is composited onto white.
Status LoadLogoFile(const std::filesystem::path& path, RasterImage& logo, RasterImage& untouchedLogo,
                    std::vector<std::uint8_t>* alpha = nullptr);

// Loads the margin texture the same way: replaced on success, kept on failure.
Status LoadTextureFile(const std::filesystem::path& path, RasterImage& texture);

}  // namespace quillstone
