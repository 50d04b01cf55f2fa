#include "shell/file_utils.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "support/scratch_dir.h"

namespace zel {
namespace {

class CopyFileToTest : public ::testing::Test {
 protected:
  CopyFileToTest() : dir_("copy") {
    fs::ForceDirectories(dir_ / "target");
    test::WriteFile(dir_ / "source.bin", "payload");
  }
  test::ScratchDir dir_;
};

TEST_F(CopyFileToTest, FolderWithOrWithoutTrailingBackslashGetsTheSourceName) {
  CopyFileTo(dir_ / "source.bin", dir_ / "target");
  EXPECT_EQ(test::ReadFile(dir_ / "target\\source.bin"), "payload");
  test::WriteFile(dir_ / "source.bin", "second");
  CopyFileTo(dir_ / "source.bin", dir_ / "target\\");
  EXPECT_EQ(test::ReadFile(dir_ / "target\\source.bin"), "second");
}

TEST_F(CopyFileToTest, ExistingFileIsReplacedUnderItsOwnName) {
  test::WriteFile(dir_ / "target\\other.txt", "a much longer old content that must go");
  CopyFileTo(dir_ / "source.bin", dir_ / "target\\other.txt");
  EXPECT_EQ(test::ReadFile(dir_ / "target\\other.txt"), "payload");
  EXPECT_FALSE(fs::FileExists(dir_ / "target\\other.txt\\source.bin"));
}

TEST_F(CopyFileToTest, MissingSourceRaisesOpenErrorAndCreatesNothing) {
  const std::string missing = dir_ / "no such file.bin";
  try {
    CopyFileTo(missing, dir_ / "target");
    FAIL() << "no error raised";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + missing);
  }
  EXPECT_TRUE(fs::FindFiles(dir_ / "target\\*.bin").empty());
}

TEST_F(CopyFileToTest, MissingDestinationFolderRaisesCreateErrorWithCompletedPath) {
  // A path that does not exist reports every attribute, so it counts as a
  // folder and gets the source's name appended.
  const std::string folder = dir_ / "absent";
  try {
    CopyFileTo(dir_ / "source.bin", folder);
    FAIL() << "no error raised";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + folder + "\\source.bin");
  }
  EXPECT_FALSE(fs::FileExists(folder));
}

TEST_F(CopyFileToTest, BlockBoundarySizesCopyExactly) {
  for (const size_t size : {size_t{0}, size_t{1}, size_t{8191}, size_t{8192}, size_t{8193}, size_t{3 * 8192 + 5}}) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + size);
    const std::string name = "f" + std::to_string(size) + ".bin";
    test::WriteFile(dir_ / name, bytes);
    CopyFileTo(dir_ / name, dir_ / "target");
    EXPECT_EQ(fs::FileSize(dir_ / ("target\\" + name)), static_cast<int64_t>(size));
    EXPECT_EQ(test::ReadFile(dir_ / ("target\\" + name)), bytes) << size;
  }
}

TEST_F(CopyFileToTest, CopyHasNormalAttributes) {
  fs::SetAttributes(dir_ / "source.bin", fs::kAttrReadOnly);
  CopyFileTo(dir_ / "source.bin", dir_ / "target");
  EXPECT_FALSE(FileHasAttributes(dir_ / "target\\source.bin", fs::kAttrReadOnly));
  fs::SetAttributes(dir_ / "source.bin", fs::kAttrNormal);
}

TEST(FileHasAttributes, EveryMaskBitMustBeSetAndMissingPathsHaveAll) {
  test::ScratchDir dir("attributes");
  test::WriteFile(dir / "file.txt", "x");
  EXPECT_TRUE(FileHasAttributes(dir.Path(), fs::kAttrDirectory));
  EXPECT_FALSE(FileHasAttributes(dir / "file.txt", fs::kAttrDirectory));
  EXPECT_FALSE(FileHasAttributes(dir.Path(), fs::kAttrDirectory | fs::kAttrReadOnly));
  EXPECT_TRUE(FileHasAttributes(dir / "missing", fs::kAttrDirectory | fs::kAttrReadOnly | fs::kAttrSystem));
  EXPECT_TRUE(FileHasAttributes(dir / "file.txt", 0));
}

}  // namespace
}  // namespace zel
