#pragma once

#include <filesystem>
#include <string>

#include "imagefiles/image_metadata.h"
#include "imagefiles/jpeg_block_keeper.h"
#include "imagefiles/orientation_settings.h"
#include "imagefiles/save_options.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// Makes a marked image what is written, in this order and in place:
//   1. reduced to the options' colour depth (the pixels become palette colours; the
//      returned format carries the depth and palette to the writer);
//   2. turned back to the alignment of its file by undoing `turnBack` (UndoTurn; quarter
//      turns and mirrors make no new colours, so the image stays in its palette);
//   3. with sepia, toned, and so is its palette at 1, 4 and 8 bits.
// `scratch` is a work buffer for the turn.
StorageFormat PrepareForWriting(RasterImage& image, RasterImage& scratch, const SaveOptions& options,
                                PictureTurn turnBack);

// The metadata a marked picture is written with: the source's, with the EXIF orientation
// its written pixels have. Pixels left in the file's alignment (not turned, or turned back)
// keep the source's orientation; pixels turned upright, or as the user chose, get 1.
ImageMetadata MetadataForOutput(const ImageMetadata& source, PictureTurn loadTurn, bool turnedBack);

// Writes the image in the options' format (their JPEG and PNG choices apply to those
// formats only; WebP takes the JPEG quality and its own lossless switch) at the depth of
// `format`. The file is replaced only when it was written completely; the error names the
// file and the reason. JPEG, PNG, TIFF and WebP files also carry
// `metadata` (when given, not empty and not stripped by the options); metadata that cannot
// be added leaves the file without it and says why in `warning`. A JPEG is written on the
// blocks of `keptBlocks` when given (EncodeKeepingBlocks), its metadata alike.
Status WriteOutputFile(const RasterImage& image, const StorageFormat& format, const SaveOptions& options,
                       const std::filesystem::path& path, const ImageMetadata* metadata = nullptr,
                       std::string* warning = nullptr, const JpegBlocksSource* keptBlocks = nullptr);

}  // namespace quillstone
