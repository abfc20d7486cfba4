#pragma once

#include <filesystem>

#include "imagefiles/bmp_writer.h"
#include "imagefiles/jpeg_writer.h"
#include "support/test_support.h"

namespace quillstone::testing {

// Small source pictures for batch runs: each file gets its own gradient size, so
// outputs can be told apart.
inline void WriteTestJpeg(const std::filesystem::path& path, int width = 24, int height = 16) {
  ASSERT_TRUE(WriteJpeg(MakeGradientRaster(width, height), path).ok()) << path;
}

inline void WriteTestBmp(const std::filesystem::path& path, int width = 20, int height = 12) {
  ASSERT_TRUE(WriteBmp(MakeGradientRaster(width, height), path).ok()) << path;
}

// The placeholder picture shipped in data/.
inline std::filesystem::path PlaceholderPicture() {
  return SourceDir() / "data" / "unreadableimage.jpg";
}

}  // namespace quillstone::testing
