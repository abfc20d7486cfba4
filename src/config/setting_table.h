#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "config/program_settings.h"
#include "imaging/status.h"

namespace quillstone {

enum class SettingType {
  kSwitch,   // stored as 1 (on) or 0 (off); any non-zero integer reads as on
  kInteger,  // decimal integer in [minimum, maximum]
  kColor,    // ColorValue 0x00BBGGRR as a decimal integer, 0..16777215
  kText,     // stored as it is
};

// How the configuration writer treats a setting.
enum class WriteRule {
  kValue,         // the current value
  kLogoFileName,  // the logo's file name while the logo takes part in the watermark, else ""
  kAlwaysOne,     // always 1 (the program has written this file)
  kBannerSize,    // the banner size fields: both written only when both hold integers
  kNotStored,     // no key; reached by name only
};

// One setting: its name, where the configuration file keeps it, its type and range, the
// value a missing or invalid key yields, and how to reach it in ProgramSettings.
struct SettingDescriptor {
  std::string_view name;     // found without regard to letter case; the key where there is one
  std::string_view section;  // empty for settings without a key
  std::string_view key;
  SettingType type = SettingType::kInteger;
  int minimum = 0;  // range of kInteger and kSwitch; values read outside it are clamped
  int maximum = 0;
  int readerDefault = 0;               // what a missing or invalid key yields (number types)
  std::string_view readerDefaultText;  // what a missing key yields (kText)
  WriteRule rule = WriteRule::kValue;
  // Number types: the current value (none when a text field holds no integer) and setting
  // it from a value already in range.
  std::optional<int> (*getNumber)(const ProgramSettings&) = nullptr;
  void (*setNumber)(ProgramSettings&, int) = nullptr;
  // kText, and the text of a banner size field as typed.
  std::string (*getText)(const ProgramSettings&) = nullptr;
  void (*setText)(ProgramSettings&, std::string_view) = nullptr;

  bool stored() const { return rule != WriteRule::kNotStored; }
};

// Every setting: first those the configuration file stores, in the order they are written,
// then those reached by name only.
std::span<const SettingDescriptor> SettingTable();

// The setting of that name, compared without regard to letter case; nullptr when none.
const SettingDescriptor* FindSetting(std::string_view name);

// Sets a setting from a text given by the user (a command-line "--set NAME=VALUE"). Strict,
// unlike the configuration reader: an invalid or out-of-range value is refused with an
// error naming the setting and what it accepts, and changes nothing. Switches take 1/0,
// on/off, true/false, yes/no; colours a decimal 0x00BBGGRR value or "#RRGGBB".
Status SetSettingFromText(ProgramSettings& settings, const SettingDescriptor& setting,
                          std::string_view value);

// The current value as text: decimal for number types (a banner field as typed).
std::string SettingValueText(const ProgramSettings& settings, const SettingDescriptor& setting);

// Whether the logo takes part in the watermark: with the combination "A" when the action
// is "Place logo"; with every combination holding an L (all but TC and CT).
bool LogoTakesPart(const WatermarkSettings& settings);

// A colour as the configuration stores it: 0..16777215 is taken as it is; the desktop's
// button-face colour code of older files (-2147483633) becomes colors::kButtonFace; any
// other value is not a colour and gives none.
std::optional<ColorValue> ColorFromStored(int stored);

}  // namespace quillstone
