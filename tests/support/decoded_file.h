#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "imagefiles/image_decoder.h"

namespace quillstone::testing {

// The picture in the file. One that does not decode fails the test with the reason and
// reads as an empty raster, so use it where the raster is compared whole.
inline RasterImage Decoded(const std::filesystem::path& path) {
  RasterImage image;
  const Status read = DecodeImageFile(path, image);
  EXPECT_TRUE(read.ok()) << path << ": " << read.message();
  return image;
}

}  // namespace quillstone::testing
