#include "config/setting_table.h"

#include <algorithm>
#include <array>
#include <type_traits>

#include "config/profile_file.h"
#include "imaging/ascii_case.h"

namespace quillstone {
namespace {

using NumberGetter = std::optional<int> (*)(const ProgramSettings&);
using NumberSetter = void (*)(ProgramSettings&, int);
using TextGetter = std::string (*)(const ProgramSettings&);
using TextSetter = void (*)(ProgramSettings&, std::string_view);

// The getter and setter of a number field of ProgramSettings (bool, int, enum, ColorValue).
// The setter receives values already checked against the setting's range.
#define QS_NUMBER(field)                                                                    \
  [](const ProgramSettings& s) -> std::optional<int> { return static_cast<int>(s.field); }, \
      [](ProgramSettings& s, int v) { s.field = static_cast<std::remove_cvref_t<decltype(s.field)>>(v); }

#define QS_TEXT(field)                                           \
  [](const ProgramSettings& s) { return std::string(s.field); }, \
      [](ProgramSettings& s, std::string_view v) { s.field = std::string(v); }

// A radio button of a group stored as one 1/0 key per button: the key reads 1 when the
// button is the selected one, and a non-zero value selects it (a 0 selects nothing).
#define QS_RADIO(field, value)                                                               \
  [](const ProgramSettings& s) -> std::optional<int> { return s.field == (value) ? 1 : 0; }, \
      [](ProgramSettings& s, int v) {                                                        \
        if (v != 0) s.field = (value);                                                       \
      }

// A banner size field: text as typed, read and written as an integer.
#define QS_BANNER(field)                                                                        \
  [](const ProgramSettings& s) { return ParseProfileInteger(TrimAsciiSpace(s.banner.field)); }, \
      [](ProgramSettings& s, int v) { s.banner.field = std::to_string(v); },                    \
      [](const ProgramSettings& s) { return s.banner.field; }

constexpr int kColorMax = 0xFFFFFF;
constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();

constexpr SettingDescriptor Switch(std::string_view section, std::string_view key, int readerDefault,
                                   NumberGetter get, NumberSetter set) {
  return {key, section, key, SettingType::kSwitch, 0, 1, readerDefault, {}, WriteRule::kValue, get, set};
}

constexpr SettingDescriptor Integer(std::string_view section, std::string_view key, int minimum, int maximum,
                                    int readerDefault, NumberGetter get, NumberSetter set) {
  return {key, section, key, SettingType::kInteger, minimum, maximum, readerDefault, {}, WriteRule::kValue,
          get, set};
}

constexpr SettingDescriptor Color(std::string_view section, std::string_view key, int readerDefault,
                                  NumberGetter get, NumberSetter set) {
  return {key, section, key, SettingType::kColor, 0, kColorMax, readerDefault, {}, WriteRule::kValue,
          get, set};
}

constexpr SettingDescriptor Text(std::string_view section, std::string_view key,
                                 std::string_view readerDefault, TextGetter get, TextSetter set) {
  return {key,     section, key, SettingType::kText, 0, 0, 0, readerDefault, WriteRule::kValue, nullptr,
          nullptr, get,     set};
}

// A banner size field: an integer setting whose value is the field's text; WriteConfiguration
// writes both fields or neither.
constexpr SettingDescriptor BannerSize(std::string_view key, int readerDefault, NumberGetter get,
                                       NumberSetter set, TextGetter text) {
  return {key,
          "BANNERSECTION",
          key,
          SettingType::kInteger,
          kIntMin,
          kIntMax,
          readerDefault,
          {},
          WriteRule::kBannerSize,
          get,
          set,
          text};
}

constexpr SettingDescriptor WithRule(SettingDescriptor d, WriteRule rule) {
  d.rule = rule;
  return d;
}

constexpr SettingDescriptor Unstored(std::string_view name, SettingType type, int minimum, int maximum,
                                     NumberGetter get, NumberSetter set) {
  return {name, {}, {}, type, minimum, maximum, 0, {}, WriteRule::kNotStored, get, set};
}

constexpr SettingDescriptor UnstoredText(std::string_view name, TextGetter get, TextSetter set) {
  return {name, {}, {}, SettingType::kText, 0, 0, 0, {}, WriteRule::kNotStored, nullptr, nullptr, get, set};
}

constexpr int kFontPointsMax = 999;
constexpr int kMarginMax = 1000;

const SettingDescriptor kTable[] = {
    // Stored settings, section by section, in the order the file is written.
    Switch("GENERAL", "redon", 1, QS_NUMBER(watermark.channels.red)),
    Switch("GENERAL", "blueon", 1, QS_NUMBER(watermark.channels.blue)),
    Switch("GENERAL", "greenon", 1, QS_NUMBER(watermark.channels.green)),
    Integer("GENERAL", "combination", 0, kCombinationCount - 1, 1, QS_NUMBER(watermark.combination)),
    WithRule(Switch("GENERAL", "changes", 0, QS_NUMBER(configurationWritten)), WriteRule::kAlwaysOne),

    WithRule(Text("LOGOSECTION", "LOGOFILENAME", "", QS_TEXT(logoFileName)), WriteRule::kLogoFileName),
    Color("LOGOSECTION", "logotransparentcolor", 0, QS_NUMBER(watermark.logo.transparentColor)),
    Switch("LOGOSECTION", "logotransparent", 1, QS_NUMBER(watermark.logo.useTransparentColor)),
    Integer("LOGOSECTION", "logoprozent", 0, 100, 70, QS_NUMBER(watermark.logo.alpha)),
    Switch("LOGOSECTION", "logopos1", 1, QS_NUMBER(watermark.logo.places[0])),
    Switch("LOGOSECTION", "logopos2", 1, QS_NUMBER(watermark.logo.places[1])),
    Switch("LOGOSECTION", "logopos3", 1, QS_NUMBER(watermark.logo.places[2])),
    Switch("LOGOSECTION", "logopos4", 1, QS_NUMBER(watermark.logo.places[3])),
    Switch("LOGOSECTION", "logopos5", 1, QS_NUMBER(watermark.logo.places[4])),
    Switch("LOGOSECTION", "logopos6", 1, QS_NUMBER(watermark.logo.places[5])),
    Switch("LOGOSECTION", "logopos7", 1, QS_NUMBER(watermark.logo.places[6])),
    Switch("LOGOSECTION", "logopos8", 1, QS_NUMBER(watermark.logo.places[7])),
    Switch("LOGOSECTION", "logopos9", 1, QS_NUMBER(watermark.logo.places[8])),

    Color("COLORSECTION", "maincolor", 0, QS_NUMBER(watermark.color.color)),
    Switch("COLORSECTION", "randomchecked", 1, QS_NUMBER(watermark.color.randomColor)),
    Integer("COLORSECTION", "blendinginpercent", 1, 100, 50, QS_NUMBER(watermark.color.blending)),
    Integer("COLORSECTION", "stepinpixel", 1, 20, 5, QS_NUMBER(watermark.color.step)),
    Integer("COLORSECTION", "colorstyleselection", 0, kColorStyleCount - 1, 4,
            QS_NUMBER(watermark.color.style)),
    // The strength list's item index: "01".."10" are 0..9, -1 is no selection.
    Integer("COLORSECTION", "colorstylewidth", -1, 9, 7, QS_NUMBER(watermark.color.strengthItem)),
    // The text box's "Use image width" switch, kept in the colour section.
    Switch("COLORSECTION", "colorimagewidth", 0, QS_NUMBER(watermark.text.useImageWidth)),

    Switch("TEXTSECTION", "horiz1", 1, QS_RADIO(watermark.text.horizontal, HorizontalAlign::kLeft)),
    Switch("TEXTSECTION", "horiz2", 0, QS_RADIO(watermark.text.horizontal, HorizontalAlign::kCenter)),
    Switch("TEXTSECTION", "horiz3", 0, QS_RADIO(watermark.text.horizontal, HorizontalAlign::kRight)),
    Switch("TEXTSECTION", "vert1", 1, QS_RADIO(watermark.text.vertical, VerticalAlign::kTop)),
    Switch("TEXTSECTION", "vert2", 0, QS_RADIO(watermark.text.vertical, VerticalAlign::kCenter)),
    Switch("TEXTSECTION", "vert3", 0, QS_RADIO(watermark.text.vertical, VerticalAlign::kBottom)),
    Color("TEXTSECTION", "fontcolor", 16777215, QS_NUMBER(watermark.text.fontColor)),
    Text("TEXTSECTION", "fontname", "MS Sans Serif", QS_TEXT(watermark.text.font.face)),
    Integer("TEXTSECTION", "fontsize", 1, kFontPointsMax, 10, QS_NUMBER(watermark.text.font.points)),
    Color("TEXTSECTION", "textbackgroundcolor", 16711680, QS_NUMBER(watermark.text.backgroundColor)),
    // The reader default 7 lies beyond the six styles and is clamped to the last, "bottom to top".
    Integer("TEXTSECTION", "textcolorstyle", 0, 5, 7, QS_NUMBER(watermark.text.backgroundStyle)),
    Integer("TEXTSECTION", "textblending", 1, 100, 50, QS_NUMBER(watermark.text.backgroundBlending)),
    Integer("TEXTSECTION", "textblendingalpha", 0, 100, 50, QS_NUMBER(watermark.text.textBlending)),
    Switch("TEXTSECTION", "textextracenter", 0, QS_NUMBER(watermark.text.extraCenter)),

    Color("BANNERSECTION", "BACKGROUNDBANNER", 0, QS_NUMBER(banner.background)),
    BannerSize("BANNERWIDTH", 470, QS_BANNER(width)),
    BannerSize("BANNERHEIGTH", 60, QS_BANNER(height)),

    Color("FRAMESECTION", "FRAMEOUTER", 0, QS_NUMBER(watermark.frame.outerColor)),
    Color("FRAMESECTION", "FRAMEINNER", 16777215, QS_NUMBER(watermark.frame.innerColor)),
    Switch("FRAMESECTION", "FRAMEOUTERSTATUS", 1, QS_NUMBER(watermark.frame.outerOn)),
    Switch("FRAMESECTION", "FRAMEINNERSTATUS", 1, QS_NUMBER(watermark.frame.innerOn)),

    Color("PAPERCOLOR", "PAPER01", 8421504, QS_NUMBER(watermark.color.paperColors[0])),
    Color("PAPERCOLOR", "PAPER02", 8421504, QS_NUMBER(watermark.color.paperColors[1])),
    Color("PAPERCOLOR", "PAPER03", 8421504, QS_NUMBER(watermark.color.paperColors[2])),
    Integer("PAPERCOLOR", "STRENGTH01", 1, 25, 5, QS_NUMBER(watermark.color.paperStrengths[0])),
    Integer("PAPERCOLOR", "STRENGTH02", 1, 25, 5, QS_NUMBER(watermark.color.paperStrengths[1])),
    Integer("PAPERCOLOR", "STRENGTH03", 1, 25, 5, QS_NUMBER(watermark.color.paperStrengths[2])),

    // Marks sized to each image and tiled logos; a file without these keys marks as before.
    Switch("RELATIVESECTION", "logorelative", 0, QS_NUMBER(watermark.logo.relativeSize)),
    Integer("RELATIVESECTION", "logorelativepercent", 1, 100, 10, QS_NUMBER(watermark.logo.relativePercent)),
    Switch("RELATIVESECTION", "textrelative", 0, QS_NUMBER(watermark.text.relativeSize)),
    Integer("RELATIVESECTION", "textrelativepercent", 1, 100, 5, QS_NUMBER(watermark.text.relativePercent)),
    Switch("RELATIVESECTION", "logotile", 0, QS_NUMBER(watermark.logo.tile)),
    Integer("RELATIVESECTION", "logotilespacing", 0, 400, 50, QS_NUMBER(watermark.logo.tileSpacing)),
    Integer("RELATIVESECTION", "logotileangle", -45, 45, 0, QS_NUMBER(watermark.logo.tileAngle)),

    // Settings without a key: they start at their window values on every run.
    Unstored("action", SettingType::kInteger, 0, 2, QS_NUMBER(watermark.action)),
    Unstored("texthorizontal", SettingType::kInteger, 0, 2, QS_NUMBER(watermark.text.horizontal)),
    Unstored("textvertical", SettingType::kInteger, 0, 2, QS_NUMBER(watermark.text.vertical)),
    Unstored("logoneutral", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.logo.colorNeutral)),
    Unstored("logoplain", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.logo.plain)),
    Unstored("mosaicrows", SettingType::kInteger, 2, 50, QS_NUMBER(watermark.color.mosaicRows)),
    Unstored("fontbold", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.text.font.bold)),
    Unstored("fontitalic", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.text.font.italic)),
    Unstored("fontunderline", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.text.font.underline)),
    Unstored("fontstrikeout", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.text.font.strikeout)),
    UnstoredText("dateformat", QS_TEXT(watermark.text.dateFormat)),
    UnstoredText("timeformat", QS_TEXT(watermark.text.timeFormat)),
    Unstored("text3d", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.text.threeD.enabled)),
    Unstored("text3ddirection1", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.text.threeD.directions[0])),
    Unstored("text3ddirection2", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.text.threeD.directions[1])),
    Unstored("text3ddirection3", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.text.threeD.directions[2])),
    Unstored("text3ddirection4", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.text.threeD.directions[3])),
    Unstored("text3ddirection5", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.text.threeD.directions[4])),
    Unstored("text3ddirection6", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.text.threeD.directions[5])),
    Unstored("text3ddirection7", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.text.threeD.directions[6])),
    Unstored("text3ddirection8", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.text.threeD.directions[7])),
    Unstored("text3ddouble", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.text.threeD.doubleStrength)),
    Unstored("text3dstrength", SettingType::kInteger, 2, 10,
             QS_NUMBER(watermark.text.threeD.additionalStrength)),
    Unstored("text3dsinglecolor", SettingType::kColor, 0, kColorMax,
             QS_NUMBER(watermark.text.threeD.singleColor)),
    Unstored("text3ddoublecolor", SettingType::kColor, 0, kColorMax,
             QS_NUMBER(watermark.text.threeD.doubleColor)),
    Unstored("textshiny", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.text.shiny.enabled)),
    Unstored("textshinyinverted", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.text.shiny.invertedSource)),
    Unstored("sizegroup", SettingType::kInteger, 0, kSizePresetCount - 1, QS_NUMBER(resize.preset)),
    Unstored("smoothresize", SettingType::kSwitch, 0, 1, QS_NUMBER(resize.smooth)),
    Unstored("sharpenresize", SettingType::kSwitch, 0, 1, QS_NUMBER(resize.sharpen)),
    Unstored("customwidth", SettingType::kInteger, kCustomSideMin, kCustomSideMax,
             QS_NUMBER(resize.customWidth)),
    Unstored("customheight", SettingType::kInteger, kCustomSideMin, kCustomSideMax,
             QS_NUMBER(resize.customHeight)),
    Unstored("orientation", SettingType::kInteger, 0, kOrientationCount - 1,
             QS_NUMBER(orientation.orientation)),
    Unstored("originalalignment", SettingType::kSwitch, 0, 1, QS_NUMBER(orientation.rotateBack)),
    Unstored("logoangle", SettingType::kInteger, 0, 359, QS_NUMBER(logoTools.angle)),
    Unstored("logorotationfill", SettingType::kColor, 0, kColorMax, QS_NUMBER(logoTools.rotationFill)),
    Unstored("frameouterwidth", SettingType::kInteger, 1, 100, QS_NUMBER(watermark.frame.outerWidth)),
    Unstored("frameinnerwidth", SettingType::kInteger, 1, 100, QS_NUMBER(watermark.frame.innerWidth)),
    Unstored("texture", SettingType::kSwitch, 0, 1, QS_NUMBER(watermark.texture.enabled)),
    Unstored("texturemode", SettingType::kInteger, 0, 1, QS_NUMBER(watermark.texture.mode)),
#define QS_TEXTURE_SIDE(side)                                              \
  Unstored("texture" #side "margin", SettingType::kInteger, 0, kMarginMax, \
           QS_NUMBER(watermark.texture.side.margin)),                      \
      Unstored("texture" #side "color", SettingType::kColor, 0, kColorMax, \
               QS_NUMBER(watermark.texture.side.color)),                   \
      Unstored("texture" #side "use", SettingType::kSwitch, 0, 1,          \
               QS_NUMBER(watermark.texture.side.useTexture)),              \
      Unstored("texture" #side "align", SettingType::kInteger, 0, 3,       \
               QS_NUMBER(watermark.texture.side.align))
    QS_TEXTURE_SIDE(top),
    QS_TEXTURE_SIDE(bottom),
    QS_TEXTURE_SIDE(left),
    QS_TEXTURE_SIDE(right),
#undef QS_TEXTURE_SIDE
};

#undef QS_NUMBER
#undef QS_TEXT
#undef QS_RADIO
#undef QS_BANNER

std::optional<bool> ParseSwitch(std::string_view text) {
  for (const std::string_view on : {"1", "on", "true", "yes"}) {
    if (EqualsIgnoringCase(text, on)) return true;
  }
  for (const std::string_view off : {"0", "off", "false", "no"}) {
    if (EqualsIgnoringCase(text, off)) return false;
  }
  return std::nullopt;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = ToLowerAscii(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<ColorValue> ParseColorText(std::string_view text) {
  if (text.size() == 7 && text.front() == '#') {
    int rgb = 0;
    for (const char c : text.substr(1)) {
      const int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      rgb = rgb * 16 + digit;
    }
    return MakeColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
  }
  const std::optional<int> value = ParseProfileInteger(text);
  if (!value || *value < 0 || *value > kColorMax) return std::nullopt;
  return static_cast<ColorValue>(*value);
}

}  // namespace

std::span<const SettingDescriptor> SettingTable() {
  return kTable;
}

const SettingDescriptor* FindSetting(std::string_view name) {
  for (const SettingDescriptor& setting : kTable) {
    if (EqualsIgnoringCase(setting.name, name)) return &setting;
  }
  return nullptr;
}

Status SetSettingFromText(ProgramSettings& settings, const SettingDescriptor& setting,
                          std::string_view value) {
  const std::string name(setting.name);
  const std::string_view trimmed = TrimAsciiSpace(value);
  switch (setting.type) {
    case SettingType::kText:
      setting.setText(settings, value);
      return Status::Ok();
    case SettingType::kSwitch: {
      const std::optional<bool> on = ParseSwitch(trimmed);
      if (!on)
        return Status::Error("setting " + name + " takes 1 or 0 (on or off), not \"" + std::string(value) +
                             "\"");
      setting.setNumber(settings, *on ? 1 : 0);
      return Status::Ok();
    }
    case SettingType::kColor: {
      const std::optional<ColorValue> color = ParseColorText(trimmed);
      if (!color) {
        return Status::Error("setting " + name +
                             " takes a colour as #RRGGBB or a number 0..16777215, not \"" +
                             std::string(value) + "\"");
      }
      setting.setNumber(settings, static_cast<int>(*color));
      return Status::Ok();
    }
    case SettingType::kInteger: {
      const std::optional<int> number = ParseProfileInteger(trimmed);
      if (!number || *number < setting.minimum || *number > setting.maximum) {
        return Status::Error("setting " + name + " takes a whole number from " +
                             std::to_string(setting.minimum) + " to " + std::to_string(setting.maximum) +
                             ", not \"" + std::string(value) + "\"");
      }
      setting.setNumber(settings, *number);
      return Status::Ok();
    }
  }
  return Status::Error("setting " + name + " cannot be set");
}

std::string SettingValueText(const ProgramSettings& settings, const SettingDescriptor& setting) {
  if (setting.getText != nullptr) return setting.getText(settings);
  const std::optional<int> number = setting.getNumber(settings);
  return number ? std::to_string(*number) : std::string();
}

bool LogoTakesPart(const WatermarkSettings& settings) {
  switch (settings.combination) {
    case CombinationOrder::kActive:
      return settings.action == WatermarkAction::kPlaceLogo;
    case CombinationOrder::kTC:
    case CombinationOrder::kCT:
      return false;
    default:
      return true;
  }
}

std::optional<ColorValue> ColorFromStored(int stored) {
  constexpr int kButtonFaceCode = static_cast<int>(0x8000000Fu);
  if (stored >= 0 && stored <= kColorMax) return static_cast<ColorValue>(stored);
  if (stored == kButtonFaceCode) return colors::kButtonFace;
  return std::nullopt;
}

}  // namespace quillstone
