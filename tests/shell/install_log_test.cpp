#include "shell/install_log.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/fs.h"
#include "support/scratch_dir.h"

namespace zel {
namespace {

// Files in memory; a path in `closed` cannot be written.
struct FakeFiles : LogFile {
  std::map<std::string, std::string> files;
  std::string closed;
  bool Append(const std::string& path, const std::string& text) override {
    if (path == closed) return false;
    files[path] += text;
    return true;
  }
  std::string Now() override { return "2026-01-02 03:04:05"; }
};

TEST(InstallLog, LinesBeforeAFileAreCarriedOverAndEachLaterLineIsWrittenAtOnce) {
  FakeFiles disk;
  InstallLog log(disk);
  log.Line({"started"});
  EXPECT_TRUE(disk.files.empty());
  ASSERT_TRUE(log.MoveTo("T\\Setup.log"));
  EXPECT_EQ(disk.files["T\\Setup.log"], "2026-01-02 03:04:05  started\r\n");
  log.Line({"Segment disk.001: 100 bytes"});
  EXPECT_EQ(disk.files["T\\Setup.log"],
            "2026-01-02 03:04:05  started\r\n2026-01-02 03:04:05  Segment disk.001: 100 bytes\r\n");
  ASSERT_TRUE(log.MoveTo("D\\Setup.log"));
  log.Line({"File D\\a.txt: copied"});
  const std::string& moved = disk.files["D\\Setup.log"];
  EXPECT_NE(moved.find("started"), std::string::npos);
  EXPECT_NE(moved.find("Segment disk.001"), std::string::npos);
  EXPECT_NE(moved.find("File D\\a.txt: copied"), std::string::npos);
  EXPECT_EQ(disk.files["T\\Setup.log"].find("copied"), std::string::npos);
  EXPECT_EQ(log.Path(), "D\\Setup.log");
  EXPECT_FALSE(log.LinesLost());
}

TEST(InstallLog, AFixedFileKeepsEveryLine) {
  FakeFiles disk;
  InstallLog log(disk);
  log.Line({"first"});
  ASSERT_TRUE(log.UseFixedFile("C:\\admin.log"));
  EXPECT_TRUE(log.MoveTo("D\\Setup.log"));  // ignored
  log.Line({"second"});
  EXPECT_EQ(disk.files.count("D\\Setup.log"), 0u);
  EXPECT_EQ(disk.files["C:\\admin.log"], "2026-01-02 03:04:05  first\r\n2026-01-02 03:04:05  second\r\n");
}

TEST(InstallLog, AFileThatCannotBeWrittenIsRefusedOrCountsAsLostLines) {
  FakeFiles disk;
  disk.closed = "X\\Setup.log";
  InstallLog log(disk);
  EXPECT_FALSE(log.UseFixedFile("X\\Setup.log"));
  EXPECT_FALSE(log.MoveTo("X\\Setup.log"));
  EXPECT_EQ(log.Path(), "");
  ASSERT_TRUE(log.MoveTo("T\\Setup.log"));
  disk.closed = "T\\Setup.log";  // the disk fills up
  log.Line({"lost"});
  EXPECT_TRUE(log.LinesLost());
}

TEST(InstallLog, EveryLineOfAMessageIsALogLine) {
  FakeFiles disk;
  InstallLog log(disk);
  ASSERT_TRUE(log.MoveTo("L"));
  log.Line({"The installation is incomplete.\r\n\nCannot create file x\n"});
  EXPECT_EQ(disk.files["L"],
            "2026-01-02 03:04:05  The installation is incomplete.\r\n"
            "2026-01-02 03:04:05  Cannot create file x\r\n");
}

TEST(InstallLog, RealFileGrowsLineByLineAndKeepsWhatWasThere) {
  test::ScratchDir dir("log");
  const std::string path = dir / "Setup.log";
  test::WriteFile(path, "earlier run\r\n");
  InstallLog log;
  ASSERT_TRUE(log.UseFixedFile(path));
  log.Line({"one"});
  const std::string once = test::ReadFile(path);
  log.Line({"two"});
  const std::string text = test::ReadFile(path);
  EXPECT_EQ(text.rfind("earlier run\r\n", 0), 0u);
  EXPECT_GT(text.size(), once.size());
  // "YYYY-MM-DD hh:mm:ss  two\r\n" at the end.
  ASSERT_GE(text.size(), 26u);
  const std::string last = text.substr(text.size() - 26);
  EXPECT_EQ(last.substr(4, 1) + last.substr(7, 1) + last.substr(13, 1), "--:") << last;
  EXPECT_EQ(last.substr(19), "  two\r\n");
  EXPECT_FALSE(log.LinesLost());
  EXPECT_FALSE(InstallLog().UseFixedFile(dir / "missing-folder\\x.log"));
}

}  // namespace
}  // namespace zel
