#include "cli/cli_watermark.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "config/configuration_file.h"
#include "config/setting_table.h"
#include "effects/effect_macro.h"
#include "imagefiles/image_decoder.h"
#include "logo/logo_rotation.h"
#include "platform/file_checks.h"
#include "platform/text_file.h"

namespace quillstone {

namespace {

Status LoadTextFile(const std::string& path, std::vector<std::string>& text) {
  TextFileRead read = ReadTextFileLines(path);
  switch (read.outcome) {
    case TextFileRead::Outcome::kRead:
      text = std::move(read.lines);
      return Status::Ok();
    case TextFileRead::Outcome::kMissing:
      return Status::Error("cannot read the text file " + path + ": no such file");
    case TextFileRead::Outcome::kUnreadable:
      break;
  }
  return Status::Error("cannot read the text file " + path + ": " + read.error);
}

Status ApplySet(const std::string& name, const std::string& value, ProgramSettings& settings) {
  const SettingDescriptor* setting = FindSetting(name);
  if (setting == nullptr) {
    return Status::Error("unknown setting \"" + name + "\" (quillstone-cli settings lists them)");
  }
  return SetSettingFromText(settings, *setting, value);
}

// The configuration's logo: its path as stored, or beside the configuration file when a
// relative path is not found from the current directory.
std::string ConfiguredLogoPath(const std::string& logoFileName, const std::string& configFile) {
  const std::filesystem::path logo(logoFileName);
  if (logo.is_absolute() || IsRegularFile(logoFileName) || configFile.empty()) return logoFileName;
  const std::filesystem::path beside = std::filesystem::path(configFile).parent_path() / logo;
  return IsRegularFile(beside.string()) ? beside.string() : logoFileName;
}

std::string_view TypeName(SettingType type) {
  switch (type) {
    case SettingType::kSwitch:
      return "switch";
    case SettingType::kInteger:
      return "integer";
    case SettingType::kColor:
      return "colour";
    case SettingType::kText:
      return "text";
  }
  return "";
}

std::string RangeText(const SettingDescriptor& setting) {
  switch (setting.type) {
    case SettingType::kSwitch:
      return "0..1";
    case SettingType::kColor:
      return "0..16777215";
    case SettingType::kText:
      return "-";
    case SettingType::kInteger:
      break;
  }
  return std::to_string(setting.minimum) + ".." + std::to_string(setting.maximum);
}

std::string DefaultText(const ProgramSettings& defaults, const SettingDescriptor& setting) {
  std::string text = SettingValueText(defaults, setting);
  if (setting.type == SettingType::kColor && setting.getNumber != nullptr) {
    if (const std::optional<int> value = setting.getNumber(defaults)) {
      // 0x00BBGGRR shown also as #RRGGBB.
      const unsigned v = static_cast<unsigned>(*value);
      char hex[8];
      std::snprintf(hex, sizeof hex, "#%02X%02X%02X", v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
      text += std::string(" (") + hex + ")";
    }
  }
  if (setting.type == SettingType::kText) text = "\"" + text + "\"";
  return text;
}

std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

}  // namespace

Status PrepareWatermark(const CliOptions& options, CliWatermark& watermark) {
  if (!options.configFile.empty()) {
    // A missing configuration reads as empty in the window; here it is a mistake. Anything
    // else that is not a regular file the reader refuses with its reason.
    if (!PathExists(options.configFile)) {
      return Status::Error("cannot read the configuration " + options.configFile + ": no such file");
    }
    const Status status = options.textFile.empty()
                              ? LoadConfigurationFiles(options.configFile, watermark.settings, watermark.text)
                              : ReadConfiguration(options.configFile, watermark.settings);
    if (!status) return status;
  }
  if (!options.textFile.empty()) {
    if (Status status = LoadTextFile(options.textFile, watermark.text); !status) return status;
  }
  for (const auto& [name, value] : options.sets) {
    if (Status status = ApplySet(name, value, watermark.settings); !status) return status;
  }
  if (options.rotateBack) watermark.settings.orientation.rotateBack = true;

  if (!options.logoFile.empty()) {
    if (Status status = LoadLogoFile(options.logoFile, watermark.logo, watermark.untouchedLogo,
                                     &watermark.untouchedAlpha);
        !status) {
      return Status::Error("cannot load the logo: " + status.message());
    }
    watermark.settings.logoFileName = options.logoFile;
  } else if (!watermark.settings.logoFileName.empty() && LogoTakesPart(watermark.settings.watermark)) {
    const std::string path = ConfiguredLogoPath(watermark.settings.logoFileName, options.configFile);
    if (Status status =
            LoadLogoFile(path, watermark.logo, watermark.untouchedLogo, &watermark.untouchedAlpha);
        !status) {
      return Status::Error("cannot load the logo named in the configuration: " + status.message());
    }
  }
  // The logo blended is the loaded one turned by the logo tools' angle onto their fill
  // colour, as the logo panel turns its untouched copy.
  if (!watermark.untouchedLogo.Empty()) {
    const LogoToolSettings& tools = watermark.settings.logoTools;
    if (Status status =
            RotateLogoByAngle(watermark.untouchedLogo, tools.angle, tools.rotationFill, watermark.logo);
        !status) {
      return Status::Error("cannot turn the logo: " + status.message());
    }
    if (Status status =
            RotateLogoAlphaByAngle(watermark.untouchedAlpha, watermark.untouchedLogo.Width(),
                                   watermark.untouchedLogo.Height(), tools.angle, watermark.logoAlpha);
        !status) {
      return Status::Error("cannot turn the logo: " + status.message());
    }
  }
  if (!options.textureFile.empty()) {
    if (Status status = LoadTextureFile(options.textureFile, watermark.texture); !status) {
      return Status::Error("cannot load the texture: " + status.message());
    }
  }
  if (!options.macroFile.empty()) {
    std::vector<std::string> lines;
    if (Status status = ReadMacroFile(options.macroFile, lines); !status) return status;
    watermark.macro = MacroCalls(lines);
    // Lines that name no command are skipped, but a file of text and not one command is
    // more likely the wrong file than a macro meant to change nothing.
    const bool hasText =
        std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return !l.empty(); });
    if (watermark.macro.empty() && hasText) {
      return Status::Error("the macro " + options.macroFile +
                           " names no effect command (one word a line, such as negative or emboss)");
    }
  }
  return Status::Ok();
}

std::string SettingsListing() {
  const ProgramSettings defaults;
  struct Row {
    std::string name, type, range, value, key;
  };
  std::vector<Row> rows;
  rows.push_back({"NAME", "TYPE", "RANGE", "DEFAULT", "KEY"});
  for (const SettingDescriptor& setting : SettingTable()) {
    rows.push_back({std::string(setting.name), std::string(TypeName(setting.type)), RangeText(setting),
                    DefaultText(defaults, setting),
                    setting.stored() ? std::string(setting.section) + "/" + std::string(setting.key) : "-"});
  }
  std::size_t widths[4] = {0, 0, 0, 0};
  for (const Row& row : rows) {
    widths[0] = std::max(widths[0], row.name.size());
    widths[1] = std::max(widths[1], row.type.size());
    widths[2] = std::max(widths[2], row.range.size());
    widths[3] = std::max(widths[3], row.value.size());
  }
  std::string listing;
  for (const Row& row : rows) {
    listing += Padded(row.name, widths[0] + 2) + Padded(row.type, widths[1] + 2) +
               Padded(row.range, widths[2] + 2) + Padded(row.value, widths[3] + 2) + row.key + "\n";
  }
  return listing;
}

}  // namespace quillstone
