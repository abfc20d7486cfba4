#include "platform/locale_info.h"

#include <QLocale>
#include <QString>
#include <vector>

namespace quillstone {

namespace {

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsAsciiPunctuation(char c) {
  return (c >= '!' && c <= '/') || (c >= ':' && c <= '@') || (c >= '[' && c <= '`') || (c >= '{' && c <= '~');
}

// One piece of a locale format: a field already written in the format language, literal
// text, or the time-zone field that the conversion drops.
struct Piece {
  enum class Kind { kField, kLiteral, kDropped } kind;
  std::string text;
};

size_t RunLength(std::string_view s, size_t i) {
  size_t n = 1;
  while (i + n < s.size() && s[i + n] == s[i]) ++n;
  return n;
}

// The field of the format language for a run of `count` letters `letter` of a locale
// format; empty when the letter is no field there (it is then literal text).
std::string FieldFor(char letter, size_t count) {
  switch (letter) {
    case 'd':
      return count >= 4 ? "dddd" : std::string(count, 'd');
    case 'M':
      return count >= 4 ? "mmmm" : std::string(count, 'm');
    case 'y':
      return count <= 2 ? "yy" : "yyyy";
    case 'h':
    case 'H':
      return count == 1 ? "h" : "hh";
    case 'm':
      return count == 1 ? "m" : "mm";
    case 's':
      return count == 1 ? "s" : "ss";
    case 'z':
      return count <= 2 ? "z" : "zzz";
    default:
      return {};
  }
}

void AddLiteral(std::vector<Piece>& pieces, std::string_view text) {
  if (text.empty()) return;
  if (!pieces.empty() && pieces.back().kind == Piece::Kind::kLiteral) {
    pieces.back().text += text;
  } else {
    pieces.push_back({Piece::Kind::kLiteral, std::string(text)});
  }
}

std::vector<Piece> SplitLocaleFormat(std::string_view f) {
  std::vector<Piece> pieces;
  size_t i = 0;
  while (i < f.size()) {
    const char c = f[i];
    if (c == '\'') {
      // '' is a quote character, inside or outside quoted text.
      if (i + 1 < f.size() && f[i + 1] == '\'') {
        AddLiteral(pieces, "'");
        i += 2;
        continue;
      }
      ++i;
      std::string text;
      while (i < f.size()) {
        if (f[i] == '\'') {
          if (i + 1 < f.size() && f[i + 1] == '\'') {
            text += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        text += f[i++];
      }
      AddLiteral(pieces, text);
      continue;
    }
    if (c == 'A' || c == 'a') {
      const size_t n = (i + 1 < f.size() && (f[i + 1] == 'P' || f[i + 1] == 'p')) ? 2 : 1;
      pieces.push_back({Piece::Kind::kField, c == 'A' ? "AM/PM" : "am/pm"});
      i += n;
      continue;
    }
    if (IsAsciiLetter(c)) {
      const size_t n = RunLength(f, i);
      if (c == 't') {
        pieces.push_back({Piece::Kind::kDropped, {}});
      } else if (std::string field = FieldFor(c, n); !field.empty()) {
        pieces.push_back({Piece::Kind::kField, std::move(field)});
      } else {
        AddLiteral(pieces, f.substr(i, n));
      }
      i += n;
      continue;
    }
    AddLiteral(pieces, f.substr(i, 1));
    ++i;
  }
  return pieces;
}

void TrimBlanksRight(std::string& s) {
  while (!s.empty() && IsBlank(s.back())) s.pop_back();
}
void TrimBlanksLeft(std::string& s) {
  size_t n = 0;
  while (n < s.size() && IsBlank(s[n])) ++n;
  s.erase(0, n);
}

// Drops the time-zone fields with the blanks around them, and the brackets when a field
// stood alone in them ("H:mm:ss (t)").
void DropZoneFields(std::vector<Piece>& pieces) {
  for (size_t k = 0; k < pieces.size(); ++k) {
    if (pieces[k].kind != Piece::Kind::kDropped) continue;
    std::string* before =
        (k > 0 && pieces[k - 1].kind == Piece::Kind::kLiteral) ? &pieces[k - 1].text : nullptr;
    std::string* after = (k + 1 < pieces.size() && pieces[k + 1].kind == Piece::Kind::kLiteral)
                             ? &pieces[k + 1].text
                             : nullptr;
    if (before) TrimBlanksRight(*before);
    if (after) TrimBlanksLeft(*after);
    if (before && after && !before->empty() && !after->empty() && before->back() == '(' &&
        after->front() == ')') {
      before->pop_back();
      after->erase(0, 1);
      TrimBlanksRight(*before);
    }
    // A zone that stood between two other pieces leaves one blank between them.
    if (before && after && before->empty() && after->empty() && k >= 2 && k + 2 < pieces.size()) {
      after->push_back(' ');
    }
  }
  std::erase_if(pieces, [](const Piece& p) { return p.kind == Piece::Kind::kDropped; });
  if (!pieces.empty() && pieces.front().kind == Piece::Kind::kLiteral) TrimBlanksLeft(pieces.front().text);
  if (!pieces.empty() && pieces.back().kind == Piece::Kind::kLiteral) TrimBlanksRight(pieces.back().text);
}

// Writes literal text in the format language: the separator becomes its specifier, and
// characters the language would read as specifiers go in double quotes.
void EmitLiteral(std::string& out, std::string_view text, std::string_view separator,
                 char separatorSpecifier) {
  bool quoted = false;
  auto closeQuote = [&] {
    if (quoted) out += '"';
    quoted = false;
  };
  size_t i = 0;
  while (i < text.size()) {
    if (!separator.empty() && text.substr(i, separator.size()) == separator) {
      closeQuote();
      out += separatorSpecifier;
      i += separator.size();
      continue;
    }
    const char c = text[i++];
    if (c == '"') {
      closeQuote();
      out += "'\"'";
    } else if (IsAsciiLetter(c) || c == '/' || c == ':' || c == '\'') {
      if (!quoted) out += '"';
      quoted = true;
      out += c;
    } else {
      closeQuote();
      out += c;
    }
  }
  closeQuote();
}

std::string ToStd(const QString& s) {
  return s.toStdString();
}

LocaleInfo ReadLocale(const QLocale& locale) {
  LocaleInfo info;
  for (int i = 0; i < 7; ++i) {
    const int qtDay = i == 0 ? 7 : i;  // Qt counts from Monday (1) to Sunday (7)
    info.shortDayNames[i] = ToStd(locale.dayName(qtDay, QLocale::ShortFormat));
    info.longDayNames[i] = ToStd(locale.dayName(qtDay, QLocale::LongFormat));
  }
  for (int i = 0; i < 12; ++i) {
    info.shortMonthNames[i] = ToStd(locale.monthName(i + 1, QLocale::ShortFormat));
    info.longMonthNames[i] = ToStd(locale.monthName(i + 1, QLocale::LongFormat));
  }
  const std::string dateFormat = ToStd(locale.dateFormat(QLocale::ShortFormat));
  const std::string timeFormat = ToStd(locale.timeFormat(QLocale::LongFormat));
  info.dateSeparator = LocaleFormatSeparator(dateFormat, FormatKind::kDate);
  info.timeSeparator = LocaleFormatSeparator(timeFormat, FormatKind::kTime);
  info.shortDateFormat = ConvertLocaleFormat(dateFormat, info.dateSeparator, FormatKind::kDate);
  info.longTimeFormat = ConvertLocaleFormat(timeFormat, info.timeSeparator, FormatKind::kTime);
  return info;
}

}  // namespace

const LocaleInfo& SystemLocaleInfo() {
  static const LocaleInfo info = ReadLocale(QLocale::system());
  return info;
}

LocaleInfo LocaleInfoNamed(const std::string& name) {
  return ReadLocale(QLocale(QString::fromStdString(name)));
}

std::string LocaleFormatSeparator(std::string_view localeFormat, FormatKind kind) {
  bool quoted = false;
  for (const char c : localeFormat) {
    if (c == '\'') {
      quoted = !quoted;
    } else if (!quoted && IsAsciiPunctuation(c)) {
      return std::string(1, c);
    }
  }
  return kind == FormatKind::kDate ? "/" : ":";
}

std::string ConvertLocaleFormat(std::string_view localeFormat, std::string_view separator, FormatKind kind) {
  std::vector<Piece> pieces = SplitLocaleFormat(localeFormat);
  DropZoneFields(pieces);
  const char separatorSpecifier = kind == FormatKind::kDate ? '/' : ':';
  std::string out;
  for (const Piece& piece : pieces) {
    if (piece.kind == Piece::Kind::kField) {
      out += piece.text;
    } else {
      EmitLiteral(out, piece.text, separator, separatorSpecifier);
    }
  }
  return out;
}

}  // namespace quillstone
