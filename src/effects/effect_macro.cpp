#include "effects/effect_macro.h"

#include "effects/effect_commands.h"
#include "platform/atomic_file.h"
#include "platform/text_file.h"

namespace quillstone {

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
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}

Status ReadMacroFile(const std::filesystem::path& path, std::vector<std::string>& lines) {
  const std::string name = path.filename().string();
  TextFileRead read = ReadTextFileLines(path.string());
  if (read.outcome == TextFileRead::Outcome::kMissing)
    return Status::Error("cannot read the macro " + name + ": no such file");
  if (read.outcome == TextFileRead::Outcome::kUnreadable)
    return Status::Error("cannot read the macro " + name + ": " + read.error);
  for (const std::string& line : read.lines) {
    if (line.find('\0') != std::string::npos)
      return Status::Error("cannot read the macro " + name + ": it is not a text file");
  }
  lines = std::move(read.lines);
  return Status::Ok();
}

Status WriteMacroFile(const std::filesystem::path& path, std::span<const std::string> lines) {
  return WriteFileReplacing(path, MacroFileText(lines));
}

}  // namespace quillstone
