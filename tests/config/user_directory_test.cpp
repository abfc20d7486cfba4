#include "config/user_directory.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::ScopedEnvironment;

TEST(UserDirectory, OverrideThenXdgThenHomeAndEnsuringCreatesIt) {
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
  // Ensuring the directory creates it.
  testing::TempDir dir;
  env.Set("QUILLSTONE_HOME", (dir / "a" / "b").c_str());
  ASSERT_TRUE(EnsureUserDirectory(directory).ok());
  EXPECT_EQ(directory, dir / "a" / "b");
  EXPECT_TRUE(std::filesystem::is_directory(directory));
}

}  // namespace
}  // namespace quillstone
