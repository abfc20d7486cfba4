#include "platform/font.h"

#include "platform/font_impl.h"

namespace quillstone {

namespace {

QFont MakeQFont(const FontDescription& d) {
  QFont font(QString::fromStdString(d.face));
  font.setPixelSize(FontPixelSize(d.points));
  font.setBold(d.bold);
  font.setItalic(d.italic);
  font.setUnderline(d.underline);
  font.setStrikeOut(d.strikeout);
  // Unhinted outlines give the same advances whatever the local font configuration says;
  // grey-level anti-aliasing only, as colour fringes make no sense on a photo.
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(
      static_cast<QFont::StyleStrategy>(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
  return font;
}

}  // namespace

QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

Font::Impl::Impl(const FontDescription& description) : font(MakeQFont(description)), metrics(font) {}

Font::Font(const FontDescription& description)
    : description_(description), impl_(std::make_unique<Impl>(description)) {}

Font::~Font() = default;
Font::Font(Font&&) noexcept = default;
Font& Font::operator=(Font&&) noexcept = default;

int Font::Width(std::string_view text) const {
  if (text.empty()) return 0;
  return impl_->metrics.horizontalAdvance(ToQString(text));
}

int Font::Height() const {
  return impl_->metrics.ascent() + impl_->metrics.descent();
}

int Font::Ascent() const {
  return impl_->metrics.ascent();
}

}  // namespace quillstone
