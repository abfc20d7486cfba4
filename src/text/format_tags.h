#pragma once

#include <string_view>

#include "text/text_line_format.h"

namespace quillstone {

// Removes the style, size and colour tags of a line and returns what is left with the
// line's format, starting from base.
FormattedLine ApplyFormatTags(std::string_view line, const TextLineFormat& base);

}  // namespace quillstone
