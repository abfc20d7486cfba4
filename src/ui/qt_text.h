#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

namespace quillstone {

// The program holds texts as UTF-8; Qt as QString.
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToStdString(const QString& text) {
  return text.toStdString();
}

// The hard lines of an edit's text (an edit may wrap them for display only); none for an
// empty edit.
inline std::vector<std::string> LinesOf(const QString& text) {
  std::vector<std::string> lines;
  if (text.isEmpty()) return lines;
  for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(ToStdString(line));
  return lines;
}

// The lines as an edit shows them.
inline QString TextOf(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines) list << ToQString(line);
  return list.join(QLatin1Char('\n'));
}

}  // namespace quillstone
