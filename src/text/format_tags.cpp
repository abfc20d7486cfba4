#include "text/format_tags.h"

#include <string>

namespace quillstone {

FormattedLine ApplyFormatTags(std::string_view line, const TextLineFormat& base) {
  return {std::string(line), base};
}

}  // namespace quillstone
