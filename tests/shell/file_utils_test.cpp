#include "shell/file_utils.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/errors.h"
#include "support/immutable.h"
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
  } catch (const EStreamError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + folder + "\\source.bin: the folder was not found");
  }
  EXPECT_FALSE(fs::FileExists(folder));
}

// Everything in a folder but the given names.
std::vector<std::string> OtherEntries(const std::string& folder, std::vector<std::string> expected) {
  std::vector<std::string> others;
  for (const fs::FindEntry& entry : fs::FindFiles(folder + "\\*")) {
    if (entry.name == "." || entry.name == "..") continue;
    if (std::find(expected.begin(), expected.end(), entry.name) == expected.end()) others.push_back(entry.name);
  }
  return others;
}

// A full disk: the write fails after some bytes. The old file stays as it
// was, nothing else is left behind, and the error says so.
TEST_F(CopyFileToTest, ShortWriteKeepsTheOldFileAndLeavesNoScratch) {
  std::string bytes(3 * 8192 + 100, 'n');
  test::WriteFile(dir_ / "big.bin", bytes);
  test::WriteFile(dir_ / "target\\big.bin", "old version");
  for (const int64_t limit : {int64_t{0}, int64_t{1}, int64_t{8192}, int64_t{3 * 8192 + 99}}) {
    SetFileWriteLimitForTests(limit);
    try {
      CopyFileTo(dir_ / "big.bin", dir_ / "target");
      ADD_FAILURE() << "no error at " << limit;
    } catch (const EStreamError& e) {
      EXPECT_EQ(e.Message(), "Cannot write file " + (dir_ / "target\\big.bin") + ": the disk is full");
    }
    SetFileWriteLimitForTests(-1);
    EXPECT_EQ(test::ReadFile(dir_ / "target\\big.bin"), "old version") << limit;
    EXPECT_TRUE(OtherEntries(dir_ / "target", {"big.bin"}).empty()) << limit;
  }
  SetFileWriteLimitForTests(static_cast<int64_t>(bytes.size()));  // exactly enough
  CopyFileTo(dir_ / "big.bin", dir_ / "target");
  SetFileWriteLimitForTests(-1);
  EXPECT_EQ(test::ReadFile(dir_ / "target\\big.bin"), bytes);
}

TEST_F(CopyFileToTest, CopyCarriesTheSourceDate) {
  constexpr uint32_t kDate = (17u << 25 | 5u << 21 | 9u << 16) | (13u << 11 | 45u << 5 | 10u);  // 1997-05-09 13:45:20
  {
    TFileStream source(dir_ / "source.bin", FileMode::kOpenReadWrite);
    ASSERT_TRUE(source.SetDosDateTime(kDate));
  }
  CopyFileTo(dir_ / "source.bin", dir_ / "target");
  EXPECT_EQ(fs::FileDosDateTime(dir_ / "target\\source.bin"), kDate);
}

TEST_F(CopyFileToTest, FolderInTheWayIsAnErrorAndStaysAsItWas) {
  fs::ForceDirectories(dir_ / "target\\source.bin");
  test::WriteFile(dir_ / "target\\source.bin\\inside.txt", "inside");
  try {
    CopyFileTo(dir_ / "source.bin", dir_ / "target\\");
    FAIL() << "no error raised";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + (dir_ / "target\\source.bin") + ": a folder of that name is in the way");
  }
  EXPECT_EQ(test::ReadFile(dir_ / "target\\source.bin\\inside.txt"), "inside");
  EXPECT_TRUE(OtherEntries(dir_ / "target", {"source.bin"}).empty());
}

// The message of the copy's error; "" when it succeeds.
std::string CopyError(const std::string& source, const std::string& destination) {
  try {
    CopyFileTo(source, destination);
  } catch (const Exception& e) {
    return e.Message();
  }
  return std::string();
}

// A file that cannot be replaced (in use, read-only) and a folder that takes
// no new file: the copy fails with the reason, the old file keeps its bytes,
// and no scratch file is left behind.
TEST_F(CopyFileToTest, TargetThatCannotBeReplacedKeepsItsBytes) {
  const std::string target = dir_ / "target\\source.bin";
  const std::string denied = ": access is denied (the file or folder is read-only or protected)";
  test::WriteFile(target, "old version");
  {
    test::Immutable fixed(target);
    if (!fixed.Set()) GTEST_SKIP() << "skipped: no immutable files here (chattr +i)";
    EXPECT_EQ(CopyError(dir_ / "source.bin", dir_ / "target"), "Cannot replace " + target + denied);
  }
  EXPECT_EQ(test::ReadFile(target), "old version");
  EXPECT_TRUE(OtherEntries(dir_ / "target", {"source.bin"}).empty());
  {
    test::Immutable closed(dir_ / "target");
    ASSERT_TRUE(closed.Set());
    EXPECT_EQ(CopyError(dir_ / "source.bin", dir_ / "target"), "Cannot create file " + target + denied);
  }
  EXPECT_EQ(test::ReadFile(target), "old version");
  EXPECT_TRUE(OtherEntries(dir_ / "target", {"source.bin"}).empty());
}

TEST_F(CopyFileToTest, LeftoverScratchFilesAreNeitherTakenNorTouched) {
  test::WriteFile(dir_ / "target\\~zel000.tmp", "leftover 0");
  test::WriteFile(dir_ / "target\\~zel001.tmp", "leftover 1");
  CopyFileTo(dir_ / "source.bin", dir_ / "target");
  EXPECT_EQ(test::ReadFile(dir_ / "target\\source.bin"), "payload");
  EXPECT_EQ(test::ReadFile(dir_ / "target\\~zel000.tmp"), "leftover 0");
  EXPECT_EQ(test::ReadFile(dir_ / "target\\~zel001.tmp"), "leftover 1");
  EXPECT_TRUE(OtherEntries(dir_ / "target", {"source.bin", "~zel000.tmp", "~zel001.tmp"}).empty());
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
