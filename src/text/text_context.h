#pragma once

#include <string>

#include "platform/date_time.h"

namespace quillstone {

// What the text commands read besides the text: the moment of the render and the file
// being marked.
struct TextContext {
  LocalDateTime now;
  std::string fileName;         // name with extension, no directory; empty when none
  std::string sourceDirectory;  // directory of that file, ending in '/'
};

}  // namespace quillstone
