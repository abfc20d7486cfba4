// fuzz-layer: text
// Expands text commands in arbitrary lines with arbitrary date and time formats, file
// names, sizes and clock values (dates in the clock's ranges and any numbers at all); also
// converts arbitrary locale formats and formats with the result.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "platform/locale_info.h"
#include "text/date_time_format.h"
#include "text/text_commands.h"

using namespace quillstone;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const LocaleInfo locale;
  FuzzedDataProvider in(data, size);
  ExpansionContext context;
  // Either a date the clock or a file's time can give (any year, the other fields in their
  // ranges) or any numbers at all: neither may overflow anywhere.
  if (in.ConsumeBool()) {
    context.now = {in.ConsumeIntegral<std::int64_t>(), in.ConsumeIntegralInRange(1, 12),
                   in.ConsumeIntegralInRange(1, 31),   in.ConsumeIntegralInRange(0, 23),
                   in.ConsumeIntegralInRange(0, 59),   in.ConsumeIntegralInRange(0, 59),
                   in.ConsumeIntegralInRange(0, 999)};
  } else {
    context.now = {in.ConsumeIntegral<std::int64_t>(), in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(),
                   in.ConsumeIntegral<int>(),          in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(),
                   in.ConsumeIntegral<int>()};
  }
  context.imageWidth = in.ConsumeIntegral<int>();
  context.imageHeight = in.ConsumeIntegral<int>();
  context.locale = &locale;
  // The directory does not exist, so whatever the name holds no real file is read.
  context.sourceDirectory = "/nonexistent-quillstone-fuzz/";
  context.dateFormat = in.ConsumeRandomLengthString(64);
  context.timeFormat = in.ConsumeRandomLengthString(64);
  context.fileName = in.ConsumeRandomLengthString(64);
  const std::string localeFormat = in.ConsumeRandomLengthString(64);
  const std::string line = in.ConsumeRemainingBytesAsString();

  (void)ExpandTextCommands(line, context);

  const FormatKind kind = localeFormat.size() % 2 ? FormatKind::kDate : FormatKind::kTime;
  const std::string separator = LocaleFormatSeparator(localeFormat, kind);
  (void)FormatDateTime(ConvertLocaleFormat(localeFormat, separator, kind), context.now, locale);
  return 0;
}
