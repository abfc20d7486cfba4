#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

#include "imagefiles/bmp_writer.h"
#include "imagefiles/emf_writer.h"
#include "imagefiles/jpeg_writer.h"
#include "imagefiles/png_writer.h"
#include "imagefiles/tiff_writer.h"
#include "writer_test_tools.h"

namespace quillstone {
namespace {

struct WriterCase {
  const char* name;
  std::function<Status(const RasterImage&, const std::filesystem::path&)> write;
};

std::string PrintName(const ::testing::TestParamInfo<WriterCase>& info) {
  return info.param.name;
}

using testing::WriteFile;

// Runs `body` in a child process (so that dropped privileges or resource limits stay there)
// and returns what it sent back: the Status message of a failed write, or "written".
std::string InChild(const std::function<std::string()>& body) {
  int fds[2];
  if (::pipe(fds) != 0) return "pipe failed";
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    const std::string result = body();
    const ssize_t n = ::write(fds[1], result.data(), result.size());
    ::_exit(n == static_cast<ssize_t>(result.size()) ? 0 : 1);
  }
  ::close(fds[1]);
  std::string result;
  char buffer[512];
  ssize_t n;
  while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0) result.append(buffer, static_cast<std::size_t>(n));
  ::close(fds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return result;
}

class WriterFailure : public ::testing::TestWithParam<WriterCase> {
 protected:
  RasterImage image_ = testing::MakeNoiseRaster(120, 90);  // every file beyond the limit below
  testing::TempDir dir_;
};

TEST_P(WriterFailure, MissingDirectoryIsAnErrorWithTheReason) {
  const auto path = dir_ / "no-such-folder" / "out.img";
  const Status status = GetParam().write(image_, path);
  ASSERT_FALSE(status);
  EXPECT_NE(status.message().find(path.string()), std::string::npos) << status.message();
  EXPECT_NE(status.message().find("No such file or directory"), std::string::npos) << status.message();
}

// A read-only folder, or a write-protected file in a folder anyone may write: an ordinary
// user (root drops to one) is refused and the old file stays as it was.
TEST_P(WriterFailure, ReadOnlyDirectoryOrWriteProtectedFileKeepsTheOldFile) {
  const auto path = dir_ / "out.img";
  for (const auto& [folderMode, fileMode] : {std::pair{0555, 0644}, {0777, 0444}}) {
    WriteFile(path, "old");
    ::chmod(path.c_str(), static_cast<mode_t>(fileMode));
    ::chmod(dir_.path().c_str(), static_cast<mode_t>(folderMode));
    const std::string result = InChild([&] {
      if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
        return std::string("cannot drop root");
      const Status status = GetParam().write(image_, path);
      return status ? std::string("written") : status.message();
    });
    ::chmod(dir_.path().c_str(), 0755);
    ::chmod(path.c_str(), 0644);
    EXPECT_NE(result.find("Permission denied"), std::string::npos) << result;
    if (folderMode == 0555) {
      EXPECT_NE(result.find(path.string()), std::string::npos) << result;
    }
    EXPECT_TRUE(testing::FileContents(path) == "old") << "the old file was changed";
    EXPECT_EQ(testing::FolderEntries(dir_.path()), std::vector<std::string>{"out.img"});
  }
}

TEST_P(WriterFailure, FailureInTheMiddleKeepsTheOldFileWhole) {
  const auto path = dir_ / "out.img";
  WriteFile(path, "old");
  const std::string result = InChild([&] {
    // Files may grow to 2000 bytes only: the write fails part-way, as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{2000, 2000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const Status status = GetParam().write(image_, path);
    return status ? std::string("written") : status.message();
  });
  EXPECT_NE(result.find(path.string()), std::string::npos) << result;
  EXPECT_NE(result.find("File too large"), std::string::npos) << result;
  EXPECT_TRUE(testing::FileContents(path) == "old") << "the old file was changed";
  EXPECT_EQ(testing::FolderEntries(dir_.path()), std::vector<std::string>{"out.img"});
}

INSTANTIATE_TEST_SUITE_P(
    Writers, WriterFailure,
    ::testing::Values(WriterCase{"Bmp", [](const RasterImage& i, const auto& p) { return WriteBmp(i, p); }},
                      WriterCase{"Jpeg", [](const RasterImage& i, const auto& p) { return WriteJpeg(i, p); }},
                      WriterCase{"ProgressiveJpeg",
                                 [](const RasterImage& i, const auto& p) {
                                   return WriteJpeg(i, p, {90, false, true});
                                 }},
                      WriterCase{"Png", [](const RasterImage& i, const auto& p) { return WritePng(i, p); }},
                      WriterCase{"Tiff", [](const RasterImage& i, const auto& p) { return WriteTiff(p, i); }},
                      WriterCase{"Wmf", [](const RasterImage& i, const auto& p) { return WriteWmf(i, p); }}),
    PrintName);

}  // namespace
}  // namespace quillstone
