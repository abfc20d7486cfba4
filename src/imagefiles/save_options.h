#pragma once

#include "imagefiles/jpeg_writer.h"
#include "imagefiles/output_name.h"
#include "imagefiles/png_writer.h"
#include "imagefiles/storage_format.h"
#include "imagefiles/webp_writer.h"

namespace quillstone {

// The output options of the batch page. None is kept in configuration files; each starts
// at these defaults on every run.
struct SaveOptions {
  OutputFormat format = OutputFormat::kJpeg;    // "Save watermarked images as"
  JpegOptions jpeg{};                           // "Compression" 80 %, "Progressive", "Grayscale"
  PngOptions png{};                             // "Filter:" None, "Compression level:" 1
  WebpOptions webp{};                           // "Lossless" off; the quality is the JPEG one
  ColorDepth colorDepth = ColorDepth::kBits24;  // "Color depth"
  bool sepia = false;                           // "Apply sepia effect"
  // "Strip metadata": write no EXIF, XMP, IPTC or colour profile of the source.
  bool stripMetadata = false;
  friend bool operator==(const SaveOptions&, const SaveOptions&) = default;
};

}  // namespace quillstone
