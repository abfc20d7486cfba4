#pragma once

// Private to the platform layer: the Qt objects behind a Font.

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <string_view>

#include "platform/font.h"

namespace quillstone {

struct Font::Impl {
  explicit Impl(const FontDescription& description);
  QFont font;
  QFontMetrics metrics;
};

// UTF-8 text as a QString (ill-formed bytes become U+FFFD).
QString ToQString(std::string_view utf8);

}  // namespace quillstone
