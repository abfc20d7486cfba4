#include "text/format_tags.h"

#include <array>
#include <cstdint>
#include <string>

#include "text/ascii_match.h"

namespace quillstone {

namespace {

// Removes every occurrence of tag (lower case) in one pass from the left; the text that
// the removal joins together is not looked at again. Returns whether there was one.
bool RemoveEveryOccurrence(std::string& text, std::string_view tag) {
  size_t pos = FindFolded(text, tag);
  if (pos == std::string::npos) return false;
  std::string out;
  out.reserve(text.size());
  size_t copied = 0;
  while (pos != std::string::npos) {
    out.append(text, copied, pos - copied);
    copied = pos + tag.size();
    pos = FindFolded(text, tag, copied);
  }
  out.append(text, copied);
  text = std::move(out);
  return true;
}

// Removes the leftmost occurrence of tag (lower case) again and again until there is none,
// and returns how many were removed. Built in one pass: each character goes to the output,
// and whenever the output ends in the tag, the tag is taken off again. That removes the
// same occurrences, in the same order, as searching from the left after each removal.
int RemoveLeftmostRepeatedly(std::string& text, std::string_view tag) {
  if (FindFolded(text, tag) == std::string::npos) return 0;
  std::string out;
  out.reserve(text.size());
  int removed = 0;
  for (const char c : text) {
    out += c;
    if (out.size() >= tag.size() &&
        StartsWithFolded(std::string_view(out).substr(out.size() - tag.size()), tag)) {
      out.resize(out.size() - tag.size());
      ++removed;
    }
  }
  text = std::move(out);
  return removed;
}

int HexDigitValue(char c) {
  const int code = static_cast<unsigned char>(c);
  const int upper = (code >= 'a' && code <= 'z') ? code - 32 : code;
  return (upper >= 'A' && upper <= 'F') ? upper - 55 : upper - 48;
}

constexpr size_t kColorTagLength = 11;  // "$fcn" + RRGGBB + "$"

// The prefixes of the colour tags, indexed by ColorTagKind, in the order they are applied.
constexpr std::array<std::string_view, 3> kColorTagPrefixes{"$fcn", "$fcs", "$fcd"};

// Removes the colour tag at pos and, in the same step, every run of eleven "$" in the
// line: each maximal run of "$" keeps its length modulo 11. The tag counts as eleven "$"
// for this, which gives the same line as removing it first.
void RemoveColorTag(std::string& text, size_t pos) {
  text.erase(pos, kColorTagLength);
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '$') {
      out += text[i++];
      continue;
    }
    size_t run = 0;
    while (i + run < text.size() && text[i + run] == '$') ++run;
    out.append(run % kColorTagLength, '$');
    i += run;
  }
  text = std::move(out);
}

}  // namespace

ColorValue ParseTagColor(std::string_view six) {
  std::int64_t pair[3] = {0, 0, 0};
  for (size_t k = 0; k < 3 && 2 * k + 1 < six.size(); ++k) {
    pair[k] = 16 * HexDigitValue(six[2 * k]) + HexDigitValue(six[2 * k + 1]);
  }
  const std::int64_t value = pair[0] + 256 * pair[1] + 65536 * pair[2];
  return static_cast<ColorValue>(static_cast<std::uint32_t>(value & 0xFFFFFFFF));
}

FormattedLine ApplyFormatTags(std::string_view line, const TextLineFormat& base, int incLimit) {
  FormattedLine result{std::string(line), base};
  std::string& text = result.text;
  TextLineFormat& format = result.format;
  if (text.find('$') == std::string::npos) return result;

  if (RemoveEveryOccurrence(text, "$bold$")) format.bold = true;
  if (RemoveEveryOccurrence(text, "$italic$")) format.italic = true;
  if (RemoveEveryOccurrence(text, "$underline$")) format.underline = true;
  if (RemoveEveryOccurrence(text, "$strikeout$")) format.strikeout = true;

  for (int n = RemoveLeftmostRepeatedly(text, "$inc$"); n > 0 && format.points < incLimit; --n) {
    format.points += 2;
  }
  for (int n = RemoveLeftmostRepeatedly(text, "$dec$"); n > 0 && format.points >= kDecFloor; --n) {
    format.points -= 2;
  }

  const std::array<ColorValue*, 3> colors{&format.normalColor, &format.singleColor, &format.doubleColor};
  for (size_t kind = 0; kind < colors.size(); ++kind) {
    const std::string_view prefix = kColorTagPrefixes[kind];
    ColorValue* color = colors[kind];
    const size_t pos = FindFolded(text, prefix);
    if (pos == std::string::npos) continue;
    if (pos + kColorTagLength > text.size() || text[pos + kColorTagLength - 1] != '$') continue;
    *color = ParseTagColor(std::string_view(text).substr(pos + prefix.size(), 6));
    RemoveColorTag(text, pos);
  }
  return result;
}

std::string TagColorDigits(ColorValue color) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const Rgb c = SplitColor(color);
  std::string digits;
  for (const std::uint8_t channel : {c.r, c.g, c.b}) {
    digits += kHex[channel >> 4];
    digits += kHex[channel & 0x0F];
  }
  return digits;
}

std::string ColorTag(ColorTagKind kind, ColorValue color) {
  return std::string(kColorTagPrefixes[static_cast<size_t>(kind)]) + TagColorDigits(color) + "$";
}

}  // namespace quillstone
