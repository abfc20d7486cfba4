#include "text/text_commands.h"

namespace quillstone {

std::string ExpandTextCommands(std::string_view line, const ExpansionContext& /*context*/) {
  return std::string(line);
}

}  // namespace quillstone
