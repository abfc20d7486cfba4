#pragma once

#include <string>

#include "imaging/camera_data.h"
#include "platform/date_time.h"

namespace quillstone {

// What the text commands read besides the text: the moment of the render, the file being
// marked and its camera data.
struct TextContext {
  LocalDateTime now;
  std::string fileName;         // name with extension, no directory; empty when none
  std::string sourceDirectory;  // directory of that file, ending in '/'
  CameraData camera{};          // what the camera noted in that file; empty: nothing
};

}  // namespace quillstone
