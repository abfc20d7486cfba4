// Every file of the shared test data against its expectation in manifest.tsv: valid files
// decode to their reference pixels, broken ones are refused without a crash.
#include <QImage>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "imagefiles/image_decoder.h"
#include "support/test_support.h"
#include "writer_test_tools.h"

namespace quillstone {
namespace {

struct ManifestEntry {
  std::string path;    // relative to the test data folder; empty when the folder is absent
  std::string expect;  // decode, decode-warn, decode-or-reject, reject
  int width = 0;
  int height = 0;
  std::string reference;  // the PNG to compare with, empty when there is none
};

// RLE files with skipped pixels list several references; ".ref-0.png" is the one that fills
// skipped pixels with colour table entry 0, as the decoder does.
std::string ChooseReference(const std::string& list) {
  std::string first;
  std::stringstream in(list);
  for (std::string ref; std::getline(in, ref, ',');) {
    if (ref.ends_with(".ref-0.png")) return ref;
    if (first.empty() && ref.ends_with(".png")) first = ref;
  }
  return first;
}

std::vector<ManifestEntry> ReadManifest() {
  const auto dir = testing::TestDataDir();
  std::ifstream in(dir ? *dir / "manifest.tsv" : std::filesystem::path());
  std::vector<ManifestEntry> entries;
  std::string line;
  std::getline(in, line);  // column names
  while (std::getline(in, line)) {
    std::vector<std::string> cols;
    std::stringstream fields(line);
    for (std::string col; std::getline(fields, col, '\t');) cols.push_back(col);
    cols.resize(6);
    ManifestEntry e{cols[0], cols[1], 0, 0, ChooseReference(cols[4])};
    if (!cols[2].empty()) e.width = std::stoi(cols[2]);
    if (!cols[3].empty()) e.height = std::stoi(cols[3]);
    entries.push_back(e);
  }
  if (entries.empty()) entries.push_back({});  // one test that reports the missing folder
  return entries;
}

// Compares colour wherever the reference is opaque; greyscale references expand to R=G=B.
void ExpectMatchesReference(const RasterImage& image, const std::filesystem::path& refPath, int tolerance) {
  const QImage ref = QImage(QString::fromStdString(refPath.string())).convertToFormat(QImage::Format_ARGB32);
  ASSERT_FALSE(ref.isNull()) << "cannot load " << refPath;
  RasterImage want = testing::FromQImage(ref);
  ASSERT_EQ(testing::SizeOf(want), testing::SizeOf(image));
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (qAlpha(ref.pixel(x, y)) != 255) want.SetPixel(x, y, image.Pixel(x, y));
  EXPECT_LE(testing::LargestDifference(image, want), tolerance)
      << "differs from " << refPath.filename() << ", first at " << testing::FirstDifference(image, want);
}

class TestDataFile : public ::testing::TestWithParam<ManifestEntry> {};

TEST_P(TestDataFile, MeetsItsExpectation) {
  QUILLSTONE_REQUIRE_TESTDATA(dir);
  const ManifestEntry& e = GetParam();
  if (e.path.empty()) GTEST_SKIP() << "manifest.tsv is empty";
  RasterImage image(3, 3);  // a decode must replace or empty whatever the target held
  const Status status = DecodeImageFile(dir / e.path, image);

  if (e.expect == "reject") {
    EXPECT_FALSE(status.ok()) << "decoded to " << image.Width() << "x" << image.Height();
    EXPECT_FALSE(status.message().empty());
    EXPECT_TRUE(image.Empty());
    return;
  }
  if (e.expect == "decode-or-reject" && !status.ok()) {
    EXPECT_FALSE(status.message().empty());
    EXPECT_TRUE(image.Empty());
    return;
  }
  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(image.Width(), e.width);
  EXPECT_EQ(image.Height(), e.height);
  // Recovered pixels of damaged JPEG data depend on the decoder version; only sizes count.
  if (e.expect == "decode-warn" || e.reference.empty()) return;
  // The BMP references scale bitfield channels by rounding, which bit replication and wide
  // channels can miss by one; the JPEG references come from the same library and match exactly.
  const int tolerance = e.path.ends_with(".bmp") ? 1 : 0;
  ExpectMatchesReference(image, dir / e.reference, tolerance);
}

std::string TestName(const ::testing::TestParamInfo<ManifestEntry>& info) {
  std::string name = info.param.path.empty() ? "no_test_data" : info.param.path;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Manifest, TestDataFile, ::testing::ValuesIn(ReadManifest()), TestName);

}  // namespace
}  // namespace quillstone
