#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "effects/effect_sequence.h"
#include "imaging/status.h"

namespace quillstone {

// A macro of the effect window: lines meant to be macro words of the effect commands
// ("negative", "emboss"), in the order they were added, and whether a batch run applies it
// to every picture. Lines that name no command are kept (they round-trip through a macro
// file) and skipped when the macro runs.
struct EffectMacro {
  std::vector<std::string> lines;
  bool useForAllImages = false;  // "Use macro for all images"
  friend bool operator==(const EffectMacro&, const EffectMacro&) = default;
};

// The extension of macro files, without the dot.
inline constexpr std::string_view kMacroFileExtension = "qstmac";

// The calls of the lines' commands, in line order, each line matched by exact,
// case-sensitive equality with a macro word (see FindEffectCommand); lines that match none
// add nothing. Applied with ApplyEffectCalls, they give the pixels that running the lines
// one after another gives, in one pass over the picture.
std::vector<EffectCall> MacroCalls(std::span<const std::string> lines);

// The text of a macro file: every line followed by LF, as UTF-8; ParseMacroText gives the
// lines back.
std::string MacroFileText(std::span<const std::string> lines);

// The lines of a macro file's bytes: UTF-8 (other bytes read as Latin-1), a line per
// entry, ended by LF, CR LF or CR, every line kept as it is. False, and `lines` left as it
// was, when the bytes hold a NUL (no text at all).
bool ParseMacroText(std::string_view bytes, std::vector<std::string>& lines);

// Reads a macro file (ParseMacroText): UTF-8 (other bytes read as Latin-1), a line per entry, ended by LF,
// CR LF or CR; every line is kept as it is, including blank lines and lines of no macro
// word. A file that is missing, unreadable, larger than a text file may be, or holds NUL
// bytes (no text at all) is an error naming it, and `lines` is left as it was.
Status ReadMacroFile(const std::filesystem::path& path, std::vector<std::string>& lines);

// Writes the lines as a macro file, replacing an existing one only once it is complete.
Status WriteMacroFile(const std::filesystem::path& path, std::span<const std::string> lines);

}  // namespace quillstone
