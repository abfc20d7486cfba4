#pragma once

#include <string>
#include <string_view>

#include "text/text_line_format.h"

namespace quillstone {

// Font sizes that "$inc$" and "$dec$" respect, in points: "$inc$" grows a size below
// kIncLimit by 2, "$dec$" shrinks a size of kDecFloor or more by 2.
inline constexpr int kIncLimit = 72;
inline constexpr int kDecFloor = 10;

// Removes the style, size and colour tags of a line and returns what is left with the
// line's format, starting from base (tags spelt with ASCII letters in any case):
//  1. "$bold$", "$italic$", "$underline$", "$strikeout$": every occurrence is removed, in
//     one pass from the left; a style that stood at least once is added to the format.
//  2. "$inc$" then "$dec$": the leftmost occurrence is removed, one at a time (so a tag
//     that the removal joins together counts too), each changing the size as above.
//  3. "$fcn", "$fcs", "$fcd" (normal, 3d-single, 3d-double colour), in this order: only
//     the first occurrence of each prefix is examined; it is a tag when the eleventh
//     character from its "$" is "$". See ParseTagColor for the six characters between.
//     The tag is removed, and in the same step every run of eleven "$" in the line.
// Nothing fails: whatever is no tag stays in the line as text.
// incLimit replaces kIncLimit (the banner size calculation lets "$inc$" grow without limit).
FormattedLine ApplyFormatTags(std::string_view line, const TextLineFormat& base, int incLimit = kIncLimit);

// The colour of the six characters RRGGBB of a colour tag. Each character is upper-cased
// (ASCII) and counts as its code minus 55 when it is A..F, else its code minus 48, without
// any other check; a pair is 16 x first + second, and the colour is R + 256 G + 65536 B as
// a plain integer, so a pair outside 0..255 spills into the next channel (and a negative
// sum wraps around in the 32 bits of a ColorValue).
ColorValue ParseTagColor(std::string_view sixCharacters);

// Which colour of a line a colour tag sets: the normal, the 3d-single or the 3d-double one.
enum class ColorTagKind { kNormal = 0, kSingle = 1, kDouble = 2 };

// The six characters of a colour tag for `color`: RRGGBB in upper-case hexadecimal.
std::string TagColorDigits(ColorValue color);

// The tag that gives a line that colour: "$fcn", "$fcs" or "$fcd", the six digits, "$".
std::string ColorTag(ColorTagKind kind, ColorValue color);

}  // namespace quillstone
