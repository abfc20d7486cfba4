#include "config/configuration_file.h"

#include <algorithm>

#include "config/setting_table.h"
#include "imaging/ascii_case.h"
#include "platform/atomic_file.h"
#include "platform/text_file.h"

namespace quillstone {
namespace {

// The first failure of several attempts, with the later ones appended.
void Combine(Status& result, const Status& next) {
  if (next.ok()) return;
  result = result.ok() ? next : Status::Error(result.message() + "; " + next.message());
}

void ApplyStoredValue(const ProfileFile& profile, const SettingDescriptor& setting,
                      ProgramSettings& settings) {
  if (setting.type == SettingType::kText) {
    setting.setText(settings, profile.ReadString(setting.section, setting.key, setting.readerDefaultText));
    return;
  }
  const int value = profile.ReadInteger(setting.section, setting.key, setting.readerDefault);
  switch (setting.type) {
    case SettingType::kSwitch:
      setting.setNumber(settings, value != 0 ? 1 : 0);
      break;
    case SettingType::kColor:
      setting.setNumber(
          settings,
          static_cast<int>(ColorFromStored(value).value_or(static_cast<ColorValue>(setting.readerDefault))));
      break;
    case SettingType::kInteger:
      setting.setNumber(settings, std::clamp(value, setting.minimum, setting.maximum));
      break;
    case SettingType::kText:
      break;
  }
}

// Reads a text file into text: a missing file keeps the text and is no error, a file that
// cannot be read keeps the text and gives the error.
Status ReadTextInto(const std::filesystem::path& path, std::vector<std::string>& text) {
  TextFileRead read = ReadTextFileLines(path.string());
  switch (read.outcome) {
    case TextFileRead::Outcome::kRead:
      text = std::move(read.lines);
      return Status::Ok();
    case TextFileRead::Outcome::kMissing:
      return Status::Ok();
    case TextFileRead::Outcome::kUnreadable:
      break;
  }
  return Status::Error("cannot read " + path.string() + ": " + read.error);
}

}  // namespace

void ApplyConfiguration(const ProfileFile& profile, ProgramSettings& settings) {
  for (const SettingDescriptor& setting : SettingTable()) {
    if (setting.stored()) ApplyStoredValue(profile, setting, settings);
  }
}

Status StoreConfiguration(const ProgramSettings& settings, ProfileFile& profile) {
  const auto holdsInteger = [&](const char* key) {
    const SettingDescriptor* field = FindSetting(key);
    return field != nullptr && field->getNumber(settings).has_value();
  };
  const bool bannerSizeValid = holdsInteger("BANNERWIDTH") && holdsInteger("BANNERHEIGTH");
  Status result;
  for (const SettingDescriptor& setting : SettingTable()) {
    Status stored;
    switch (setting.rule) {
      case WriteRule::kNotStored:
        continue;
      case WriteRule::kAlwaysOne:
        stored = profile.WriteInteger(setting.section, setting.key, 1);
        break;
      case WriteRule::kLogoFileName:
        stored = profile.WriteString(
            setting.section, setting.key,
            LogoTakesPart(settings.watermark) ? setting.getText(settings) : std::string());
        break;
      case WriteRule::kBannerSize:
        if (!bannerSizeValid) continue;
        stored = profile.WriteInteger(setting.section, setting.key, *setting.getNumber(settings));
        break;
      case WriteRule::kValue:
        if (setting.type == SettingType::kText) {
          stored = profile.WriteString(setting.section, setting.key, setting.getText(settings));
        } else {
          stored =
              profile.WriteInteger(setting.section, setting.key, setting.getNumber(settings).value_or(0));
        }
        break;
    }
    if (result.ok()) result = stored;
  }
  return result;
}

Status ReadConfiguration(const std::filesystem::path& path, ProgramSettings& settings) {
  ProfileFile profile;
  Status status = ProfileFile::Load(path, profile);
  if (!status.ok()) return status;
  ApplyConfiguration(profile, settings);
  return Status::Ok();
}

Status WriteConfiguration(const std::filesystem::path& path, const ProgramSettings& settings) {
  ProfileFile profile;
  Status status = ProfileFile::Load(path, profile);
  if (!status.ok()) return Status::Error(status.message() + " (the configuration was not saved)");
  status = StoreConfiguration(settings, profile);
  if (!status.ok()) return Status::Error(status.message() + " (the configuration was not saved)");
  return profile.Save(path);
}

std::filesystem::path CompanionTextPath(const std::filesystem::path& configurationPath) {
  std::filesystem::path text = configurationPath;
  if (EqualsIgnoringCase(text.extension().string(), ".txt")) {
    text += ".txt";
  } else {
    text.replace_extension(".txt");
  }
  return text;
}

Status LoadCompanionText(const std::filesystem::path& configurationPath, std::vector<std::string>& text) {
  return ReadTextInto(CompanionTextPath(configurationPath), text);
}

Status SaveConfigurationFiles(const std::filesystem::path& path, const ProgramSettings& settings,
                              const std::vector<std::string>& text) {
  Status result = WriteConfiguration(path, settings);
  Combine(result, WriteFileReplacing(CompanionTextPath(path).string(), JoinLinesCrLf(text)));
  return result;
}

Status LoadConfigurationFiles(const std::filesystem::path& path, ProgramSettings& settings,
                              std::vector<std::string>& text) {
  Status status = ReadConfiguration(path, settings);
  if (!status.ok()) return status;
  return LoadCompanionText(path, text);
}

Status ReloadDefaults(const std::filesystem::path& userDirectory, ProgramSettings& settings,
                      std::vector<std::string>& text) {
  Status result = ReadConfiguration(userDirectory / kDefaultConfigurationName, settings);
  Combine(result, ReadTextInto(userDirectory / kDefaultTextName, text));
  return result;
}

}  // namespace quillstone
