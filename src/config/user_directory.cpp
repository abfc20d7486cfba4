#include "config/user_directory.h"

#include <cstdlib>
#include <system_error>

namespace quillstone {
namespace {

const char* Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

}  // namespace

std::filesystem::path UserDirectory() {
  if (const char* home = Variable("QUILLSTONE_HOME")) return home;
  if (const char* config = Variable("XDG_CONFIG_HOME")) return std::filesystem::path(config) / "quillstone";
  if (const char* home = Variable("HOME")) return std::filesystem::path(home) / ".config" / "quillstone";
  return {};
}

Status EnsureUserDirectory(std::filesystem::path& directory) {
  directory = UserDirectory();
  if (directory.empty()) return Status::Error("no folder for the program's own files: HOME is not set");
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) return Status::Error("cannot create " + directory.string() + ": " + error.message());
  return Status::Ok();
}

}  // namespace quillstone
