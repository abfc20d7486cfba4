#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "config/profile_file.h"
#include "config/program_settings.h"
#include "imaging/status.h"

namespace quillstone {

// The default configuration and text, kept in the user directory.
inline constexpr const char* kDefaultConfigurationName = "QSTDefault.cfg";
inline constexpr const char* kDefaultTextName = "QSTDefault.txt";

// Sets every stored setting from the profile. A missing key, or a value that is not an
// integer where one is expected, gives the setting's reader default; an integer outside the
// setting's range is clamped into it; an integer that is not a colour (ColorFromStored)
// gives the reader default. Of a group of radio keys (horiz1..3, vert1..3) the last
// non-zero one selects its button; when all are 0 the selection stays as it was.
// Settings without a key are left as they are.
void ApplyConfiguration(const ProfileFile& profile, ProgramSettings& settings);

// Writes every stored setting into the profile, in table order: switches as 1 or 0,
// colours and integers in decimal, texts as they are; "changes" always 1; LOGOFILENAME the
// logo's file name only while LogoTakesPart, else empty; BANNERWIDTH and BANNERHEIGTH only
// when both banner fields hold integers (then in canonical decimal). Keys that cannot be
// stored (a file name holding a line break) are reported by the first error; the others
// are still written into the profile.
Status StoreConfiguration(const ProgramSettings& settings, ProfileFile& profile);

// Reads the configuration file into settings. A file that does not exist reads as all
// reader defaults and is not an error. A file that cannot be read changes nothing and
// gives an error.
Status ReadConfiguration(const std::filesystem::path& path, ProgramSettings& settings);

// Updates the configuration file in place (its other contents kept) or creates it. The
// file is replaced as a whole through a temporary file: on any error, including an
// existing file that cannot be read or a value that cannot be stored, the old file stays
// as it was and the error is returned.
Status WriteConfiguration(const std::filesystem::path& path, const ProgramSettings& settings);

// The text file that goes with a configuration: the same path with the extension replaced
// by ".txt" ("work.ini" -> "work.txt", "work" -> "work.txt"). A configuration that is
// itself named ".txt" gets ".txt" added ("work.txt" -> "work.txt.txt"), so that saving the
// text never overwrites the configuration.
std::filesystem::path CompanionTextPath(const std::filesystem::path& configurationPath);

// Loads the companion text of a configuration into text (UTF-8, other bytes as Latin-1,
// any line break). When there is no companion file
// the text stays as it was and the result is Ok; when it cannot be read the text stays as
// it was and the error is returned.
Status LoadCompanionText(const std::filesystem::path& configurationPath, std::vector<std::string>& text);

// "Save configuration file": the configuration, then the text into the companion file
// (UTF-8, each line ending in CR LF). Both are attempted; the result names every failure.
Status SaveConfigurationFiles(const std::filesystem::path& path, const ProgramSettings& settings,
                              const std::vector<std::string>& text);

// "Load configuration file": the configuration, then the companion text. When the
// configuration cannot be read nothing changes; otherwise the settings are applied and a
// text that cannot be read leaves the text as it was (and is reported).
Status LoadConfigurationFiles(const std::filesystem::path& path, ProgramSettings& settings,
                              std::vector<std::string>& text);

// Re-reads the default configuration and default text from the user directory: both are
// attempted, a missing file is not an error (missing configuration: reader defaults;
// missing text: the text stays), and the result names every failure.
Status ReloadDefaults(const std::filesystem::path& userDirectory, ProgramSettings& settings,
                      std::vector<std::string>& text);

}  // namespace quillstone
