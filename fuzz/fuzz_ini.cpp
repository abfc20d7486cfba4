// fuzz-layer: config
// Any bytes as a configuration file: the profile reader keeps them byte for byte, the
// settings read from them lie in their ranges, and writing those settings back and reading
// them again gives the same settings.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/configuration_file.h"
#include "config/profile_file.h"
#include "config/setting_table.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillstone;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  ProfileFile profile = ProfileFile::Parse(bytes);
  Check(profile.ToText() == bytes);

  ProgramSettings settings;
  ApplyConfiguration(profile, settings);
  for (const SettingDescriptor& setting : SettingTable()) {
    if (!setting.stored() || setting.getNumber == nullptr) continue;
    const std::optional<int> value = setting.getNumber(settings);
    Check(value.has_value());
    if (setting.type == SettingType::kColor) {
      Check(*value >= 0 && *value <= 0xFFFFFF);
    } else {
      Check(*value >= setting.minimum && *value <= setting.maximum);
    }
  }

  // Write the settings over the same file and read them back.
  if (StoreConfiguration(settings, profile).ok()) {
    ProgramSettings again;
    ApplyConfiguration(ProfileFile::Parse(profile.ToText()), again);
    ProgramSettings expected = settings;
    expected.configurationWritten = true;
    if (!LogoTakesPart(expected.watermark)) expected.logoFileName.clear();
    Check(again == expected);
  }

  // A value taken from the input reads back as itself wherever it is written.
  const std::string_view value = bytes.substr(0, bytes.find('\n'));
  ProfileFile other = ProfileFile::Parse(bytes);
  if (other.WriteString("TEXTSECTION", "fontname", value).ok()) {
    Check(ProfileFile::Parse(other.ToText()).Find("textsection", "FONTNAME") == value);
  }
  return 0;
}
