#include "text/text_commands.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <string>

#include "support/test_support.h"

namespace quillstone {
namespace {

// Sets the process time zone for one test and restores the old one afterwards.
struct ScopedTimeZone : testing::ScopedEnvironment {
  explicit ScopedTimeZone(const char* tz) { Set("TZ", tz); }
};

// Sets a file's last-write time to seconds (UTC, since 1970) and nanoseconds.
void SetWriteTime(const std::filesystem::path& path, long long seconds, long nanoseconds) {
  const timespec times[2] = {{static_cast<time_t>(seconds), nanoseconds},
                             {static_cast<time_t>(seconds), nanoseconds}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

class TextCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    context_.now = {2024, 3, 5, 14, 7, 9, 45};
    context_.fileName = "beach.jpg";
    context_.sourceDirectory = dir_.path().string() + "/";
    context_.dateFormat = "dd.mm.yyyy";
    context_.timeFormat = "hh:mm:ss:zzz";
    context_.imageWidth = 640;
    context_.imageHeight = 480;
    context_.locale = &locale_;
    testing::WriteFile(dir_ / "beach.jpg", "x");
    // 2023-11-14 22:13:21.789 UTC: odd seconds and milliseconds that must not show.
    SetWriteTime(dir_ / "beach.jpg", 1700000001, 789000000);
  }

  std::string Expand(const std::string& line) const { return ExpandTextCommands(line, context_); }

  testing::TempDir dir_;
  LocaleInfo locale_;
  ExpansionContext context_;
};

TEST_F(TextCommands, EveryCommand) {
  ScopedTimeZone utc("UTC0");
  using C = std::pair<const char*, const char*>;
  for (const auto& [line, expected] :
       {C{"Image $FN$ ($WIDTH$x$height$)", "Image beach.jpg (640x480)"}, C{"$date$", "05.03.2024"},
        C{"$fdate$", "14.11.2023"}, C{"$time$", "14:07:09:045"}, C{"$ftime$", "22:13:20:000"},
        C{"$Date$ $DATE$ $dAtE$", "05.03.2024 05.03.2024 05.03.2024"}, C{"$fn$$fn$", "beach.jpgbeach.jpg"},
        C{"$fnwe$$fn$", "beachbeach.jpg"}, C{"no commands here", "no commands here"},
        C{"$date $unknown$ $$fn$$ $ fn$", "$date $unknown$ $beach.jpg$ $ fn$"}, C{"", ""}})
    EXPECT_EQ(Expand(line), expected) << line;
}

// The camera's fields as they are, the moment of the shot in the date and time formats;
// a field the photo lacks, and a photo without camera data, give nothing.
TEST_F(TextCommands, CameraDataFromThePhoto) {
  CameraData camera;
  camera[CameraField::kArtist] = "Ada";
  camera[CameraField::kFNumber] = "F2.8";
  camera[CameraField::kDateTimeOriginal] = "2026:05:04 10:11:12";
  context_.timeFormat = "hh:mm";
  const std::string line = "$exif:Artist$, $EXIF:FNUMBER$, $exif:DateTimeOriginal$, [$exif:Model$]";
  EXPECT_EQ(Expand(line), ", , , []");
  context_.camera = &camera;
  EXPECT_EQ(Expand(line), "Ada, F2.8, 04.05.2026 10:11, []");
  // A moment the camera wrote oddly shows as written.
  camera[CameraField::kDateTimeOriginal] = "2026:13:04 10:11:12";
  EXPECT_EQ(Expand("$exif:DateTimeOriginal$"), "2026:13:04 10:11:12");
}

TEST(ExifDateTime, OnlyTheCamerasShapeParses) {
  EXPECT_EQ(ParseExifDateTime("2026:05:04 10:11:12"), (LocalDateTime{2026, 5, 4, 10, 11, 12, 0}));
  for (const char* bad : {"", "2026:05:04", "2026-05-04 10:11:12", "2026:00:04 10:11:12",
                          "2026:05:04 24:00:00", "    :  :     :  :  ", "2026:05:04 10:11:12 "})
    EXPECT_FALSE(ParseExifDateTime(bad)) << bad;
}

TEST_F(TextCommands, DateIsTodayAtMidnightTimeIsOnTheZeroDateAndDefaultFormatsAreTheLocales) {
  context_.dateFormat = "dd.mm.yyyy hh:mm:ss:zzz";
  context_.timeFormat = "dd.mm.yyyy hh:mm:ss:zzz";
  EXPECT_EQ(Expand("$date$"), "05.03.2024 00:00:00:000");
  EXPECT_EQ(Expand("$time$"), "30.12.1899 14:07:09:045");
  // Without formats of their own the date and time take the locale's.
  locale_.shortDateFormat = "yyyy/mm/dd";
  locale_.longTimeFormat = "h:mm";
  locale_.dateSeparator = "-";
  context_.dateFormat.clear();
  context_.timeFormat.clear();
  EXPECT_EQ(Expand("$date$ $time$"), "2024-03-05 14:07");
}

TEST_F(TextCommands, FileTimeIsLocalAtTwoSecondResolution) {
  context_.dateFormat = "yyyy-mm-dd";
  // Three hours east of UTC the file was written the next day.
  ScopedTimeZone east("XYZ-3");
  EXPECT_EQ(Expand("$fdate$ $ftime$"), "2023-11-15 01:13:20:000");
  ScopedTimeZone utc("UTC0");
  SetWriteTime(dir_ / "beach.jpg", 1700000000, 999999999);
  EXPECT_EQ(Expand("$ftime$"), "22:13:20:000");
  context_.sourceDirectory = dir_.path().string();  // without the trailing "/"
  EXPECT_EQ(Expand("$ftime$"), "22:13:20:000");
}

// Without an image file, or without a time for it (a folder or a missing path has none, as
// the file time's own test shows), the date and time are the zero date's.
TEST_F(TextCommands, FileTimeFallsBackToTheZeroDateTime) {
  ScopedTimeZone utc("UTC0");
  for (const char* name : {"", "gone.jpg"}) {
    context_.fileName = name;
    EXPECT_EQ(Expand("$fdate$|$ftime$"), "30.12.1899|00:00:00:000") << name;
  }
}

TEST_F(TextCommands, UnreadableFileGivesTheZeroDateTime) {
  const auto path = dir_ / "beach.jpg";
  std::filesystem::permissions(path, std::filesystem::perms::none);
  const bool readable = ::access(path.c_str(), R_OK) == 0;
  if (readable) {
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    GTEST_SKIP() << "running with rights that read any file; an unreadable file cannot be made";
  }
  EXPECT_EQ(Expand("$fdate$"), "30.12.1899");
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

TEST_F(TextCommands, NameWithoutExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"beach.jpg", "beach"}, {"photo.large.jpg", "photo.large"}, {".profile", ""},
      {"README", "README"},   {"trailing.", "trailing"},          {"", ""},
      {"a.b/c", "a.b/c"},
  };
  for (const auto& [name, expected] : cases) {
    context_.fileName = name;
    EXPECT_EQ(Expand("[$fnwe$]"), std::string("[") + expected + "]") << name;
  }
}

TEST_F(TextCommands, InsertedTextIsNotSearchedForTheSameCommand) {
  context_.fileName = "$fn$.jpg";
  EXPECT_EQ(Expand("$fn$"), "$fn$.jpg");
  // Later commands do see what an earlier one inserted.
  context_.fileName = "$width$.jpg";
  EXPECT_EQ(Expand("$fn$"), "640.jpg");
  // Nor are later commands looked for before earlier ones have run.
  context_.fileName = "x";
  EXPECT_EQ(Expand("$$fn$width$"),
            "$x"
            "width$");
}

}  // namespace
}  // namespace quillstone
