#include "platform/program_directory.h"

#include <cstdlib>
#include <system_error>

namespace quillstone {

namespace {

std::filesystem::path ExecutableDirectory() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path(ec);
  return exe.parent_path();
}

}  // namespace

std::filesystem::path ProgramDirectory() {
  if (const char* env = std::getenv("QUILLSTONE_DATA_DIR"); env && *env) return env;
  const auto exeDir = ExecutableDirectory();
  std::error_code ec;
  if (std::filesystem::exists(exeDir / kPlaceholderImageName, ec)) return exeDir;
  return (exeDir / QUILLSTONE_DATA_FROM_BIN).lexically_normal();
}

}  // namespace quillstone
