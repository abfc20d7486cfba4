#include "config/user_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/test_support.h"

namespace quillstone {
namespace {

// Sets environment variables for one test and puts the old values back afterwards.
class ScopedEnvironment {
 public:
  void Set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second) {
        ::setenv(it->first, it->second->c_str(), 1);
      } else {
        ::unsetenv(it->first);
      }
    }
  }

 private:
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST(UserDirectory, OverrideThenXdgThenHome) {
  ScopedEnvironment env;
  env.Set("QUILLSTONE_HOME", "/q");
  env.Set("XDG_CONFIG_HOME", "/x");
  env.Set("HOME", "/h");
  EXPECT_EQ(UserDirectory(), "/q");
  env.Set("QUILLSTONE_HOME", "");
  EXPECT_EQ(UserDirectory(), "/x/quillstone");
  env.Set("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(UserDirectory(), "/h/.config/quillstone");
  env.Set("HOME", nullptr);
  EXPECT_EQ(UserDirectory(), "");
  std::filesystem::path directory;
  EXPECT_FALSE(EnsureUserDirectory(directory).ok());
}

TEST(UserDirectory, EnsureCreatesIt) {
  testing::TempDir dir;
  ScopedEnvironment env;
  env.Set("QUILLSTONE_HOME", (dir / "a" / "b").c_str());
  std::filesystem::path directory;
  ASSERT_TRUE(EnsureUserDirectory(directory).ok());
  EXPECT_EQ(directory, dir / "a" / "b");
  EXPECT_TRUE(std::filesystem::is_directory(directory));
}

}  // namespace
}  // namespace quillstone
