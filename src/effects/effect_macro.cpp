#include "effects/effect_macro.h"

#include "effects/effect_commands.h"
#include "platform/atomic_file.h"
#include "platform/text_file.h"
#include "platform/whole_file.h"

namespace quillstone {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::vector<EffectCall> MacroCalls(std::span<const std::string> lines) {
  std::vector<EffectCall> calls;
  for (const std::string& line : lines) {
    if (const EffectCommand* command = FindEffectCommand(line)) {
      const std::span<const EffectCall> sequence = command->sequence.Calls();
      calls.insert(calls.end(), sequence.begin(), sequence.end());
    }
  }
  return calls;
}

std::string MacroFileText(std::span<const std::string> lines) {
  std::string text;
  // Reading drops one leading byte-order mark, so a first line that begins with one gets
  // another in front of it and comes back whole.
  if (!lines.empty() && lines.front().starts_with(kByteOrderMark)) text = kByteOrderMark;
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}

bool ParseMacroText(std::string_view bytes, std::vector<std::string>& lines) {
  if (bytes.find('\0') != std::string_view::npos) return false;
  lines = SplitTextLines(DecodeTextBytes(bytes));
  return true;
}

Status ReadMacroFile(const std::filesystem::path& path, std::vector<std::string>& lines) {
  const std::string name = path.filename().string();
  std::string bytes;
  const WholeFileRead read = ReadWholeFile(path, kMaxTextFileBytes, bytes);
  if (read.outcome == WholeFileRead::Outcome::kMissing)
    return Status::Error("cannot read the macro " + name + ": no such file");
  if (!read.read()) return Status::Error("cannot read the macro " + name + ": " + read.reason);
  if (!ParseMacroText(bytes, lines))
    return Status::Error("cannot read the macro " + name + ": it is not a text file");
  return Status::Ok();
}

Status WriteMacroFile(const std::filesystem::path& path, std::span<const std::string> lines) {
  return WriteFileReplacing(path, MacroFileText(lines));
}

}  // namespace quillstone
