#pragma once

#include <string>
#include <string_view>

#include "platform/date_time.h"

namespace quillstone {

// What the dynamic commands of a line stand for at the moment it is expanded.
struct ExpansionContext {
  LocalDateTime now;
  std::string fileName;          // "$fn$": name with extension, no directory; may be empty
  std::string sourceDirectory;   // where that file lies, for "$fdate$" and "$ftime$"
  std::string dateFormat;        // empty: the system's short date format
  std::string timeFormat;        // empty: the system's long time format
  int imageWidth = 0;            // "$width$", "$height$": the image as the text stage sees it
  int imageHeight = 0;
};

// Replaces every command ("$date$", "$fdate$", "$time$", "$ftime$", "$fn$", "$fnwe$",
// "$width$", "$height$", ASCII letters in any case) by its value.
std::string ExpandTextCommands(std::string_view line, const ExpansionContext& context);

}  // namespace quillstone
