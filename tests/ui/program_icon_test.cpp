#include "ui/program_icon.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>

#include "support/test_support.h"

namespace quillstone {
namespace {

// The icon comes from the hicolor folder beside the program directory, as laid out by an
// install (share/quillstone and share/icons) and by the build (bin and icons), with every
// size found there.
TEST(ProgramIconTest, TakesEverySizeOfTheIconThemeBesideTheProgramDirectory) {
  testing::TempDir prefix;
  const std::filesystem::path programDirectory = prefix / "share/quillstone";
  std::filesystem::create_directories(programDirectory);

  for (int size : {16, 48}) {
    const std::filesystem::path apps =
        prefix / ("share/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps");
    std::filesystem::create_directories(apps);
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(QString::fromStdString((apps / QUILLSTONE_APP_ID).string() + ".png")));
  }
  std::filesystem::create_directories(prefix / "share/icons/hicolor/scalable/apps");

  QList<QSize> sizes = ProgramIcon(programDirectory).availableSizes();
  std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
  EXPECT_EQ(sizes, (QList<QSize>{QSize(16, 16), QSize(48, 48)}));
}

}  // namespace
}  // namespace quillstone
