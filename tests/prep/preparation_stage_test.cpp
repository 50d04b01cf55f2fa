#include "shell/preparation_stage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "platform/errors.h"
#include "platform/safe_name.h"

namespace zel {
namespace {

namespace stdfs = std::filesystem;

// A host that records what the stage asks the window to do.
struct RecordingHost : PreparationHost {
  std::vector<std::string> messages;
  std::vector<int> gaugePositions;
  int gaugeMax = -1;
  std::vector<std::pair<std::string, bool>> pictures;
  std::function<void()> onMessage;  // e.g. the user inserts the disk
  bool failPicture = false;

  void ShowMessage(const std::string& text) override {
    messages.push_back(text);
    if (onMessage) onMessage();
  }
  void ProcessMessages() override {}
  void ShowGauge(const TPreparationGauge& gauge) override {
    gaugeMax = gauge.Max();
    gaugePositions.push_back(gauge.Position());
  }
  void ShowPicture(const std::string& path, bool animated) override {
    if (failPicture) throw Exception("bad picture");
    pictures.emplace_back(path, animated);
  }
};

// A scratch source folder and TempDir on the host, named as Windows paths.
class PreparationStageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = stdfs::temp_directory_path() /
            ("prep_stage_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    stdfs::remove_all(root_);
    stdfs::create_directories(root_ / "src");
    stdfs::create_directories(root_ / "temp");
    settings_.sourceDir = WinPath(root_ / "src") + "\\";
    settings_.tempDir = WinPath(root_ / "temp");
    settings_.fileEntryCount = 10;
    Write(root_ / "src" / "install.exe", "MZ program");
    Write(root_ / "src" / "install.cfg", "[Setup - Main]\r\n");
  }
  void TearDown() override { stdfs::remove_all(root_); }

  static std::string WinPath(const stdfs::path& host) {
    std::string text = host.string();
    for (char& c : text)
      if (c == '/') c = '\\';
    // A Windows host path already names its drive; the native build maps
    // "C:\..." onto the host's root.
    return text.size() > 1 && text[1] == ':' ? text : "C:" + text;
  }
  static void Write(const stdfs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
  }
  static std::string Read(const stdfs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  stdfs::path root_;
  PreparationSettings settings_;
  RecordingHost host_;
};

TEST_F(PreparationStageTest, TenFilesGaugeRunsFromZeroToThirteen) {
  Write(root_ / "src" / "disk.001", "seg");
  TPreparationStage stage(host_, settings_);
  stage.SegBefore(1, "disk");
  for (int i = 0; i < 12; ++i) {  // two more files than listed: the gauge stops at 13
    std::string path = "C:\\any\\file" + std::to_string(i);
    stage.CheckFile(path);
  }
  EXPECT_EQ(host_.gaugeMax, 13);
  const std::vector<int> want = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 13};
  EXPECT_EQ(host_.gaugePositions, want);
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(PreparationStageTest, FirstSegmentCopiesTheSetupProgramAndScript) {
  Write(root_ / "src" / "disk.001", "seg");
  TPreparationStage stage(host_, settings_);
  stage.SegBefore(1, "disk");
  EXPECT_EQ(Read(root_ / "temp" / "install.exe"), "MZ program");
  EXPECT_EQ(Read(root_ / "temp" / "install.cfg"), "[Setup - Main]\r\n");
  EXPECT_EQ(stage.SegmentPath, settings_.sourceDir + "disk.001");
  // Later segments copy nothing and leave the gauge alone.
  stdfs::remove(root_ / "temp" / "install.exe");
  Write(root_ / "src" / "disk.002", "seg");
  host_.gaugePositions.clear();
  stage.SegBefore(2, "disk");
  EXPECT_FALSE(stdfs::exists(root_ / "temp" / "install.exe"));
  EXPECT_TRUE(host_.gaugePositions.empty());
}

// A setup renamed SETUP.EXE (or product-setup.exe) runs like install.exe: its
// own file goes into TempDir under the name the install engine takes it by,
// and an install.exe lying beside it is not the one copied.
TEST_F(PreparationStageTest, RenamedSetupProgramCopiesItsOwnFile) {
  Write(root_ / "src" / "disk.001", "seg");
  for (const char* name : {"SETUP.EXE", "product-setup.exe"}) {
    Write(root_ / "src" / name, std::string("MZ renamed ") + name);
    settings_.setupProgram = settings_.sourceDir + name;
    TPreparationStage stage(host_, settings_);
    stage.SegBefore(1, "disk");
    EXPECT_EQ(Read(root_ / "temp" / "install.exe"), std::string("MZ renamed ") + name);
    EXPECT_FALSE(stdfs::exists(root_ / "temp" / name));
  }
  stdfs::remove(root_ / "src" / "install.exe");  // none beside it at all
  TPreparationStage stage(host_, settings_);
  EXPECT_NO_THROW(stage.SegBefore(1, "disk"));
  settings_.setupProgram = settings_.sourceDir + "gone.exe";
  TPreparationStage missing(host_, settings_);
  EXPECT_THROW(missing.SegBefore(1, "disk"), EFOpenError);
}

TEST_F(PreparationStageTest, MissingSetupScriptIsAnErrorAfterTheProgramCopy) {
  Write(root_ / "src" / "disk.001", "seg");
  stdfs::remove(root_ / "src" / "install.cfg");
  TPreparationStage stage(host_, settings_);
  EXPECT_THROW(stage.SegBefore(1, "disk"), EFOpenError);
  EXPECT_EQ(stage.Gauge().Position(), 1);
}

TEST_F(PreparationStageTest, MissingDiskIsAskedForAtMostTwice) {
  TPreparationStage stage(host_, settings_);
  stage.SegBefore(2, "disk");
  const std::vector<std::string> want(2, "Please Insert Disk #2 into Floppy Drive.");
  EXPECT_EQ(host_.messages, want);
  EXPECT_EQ(stage.SegmentPath, settings_.sourceDir + "disk.002");
}

TEST_F(PreparationStageTest, DiskInsertedAtTheFirstPromptStopsAsking) {
  host_.onMessage = [this] { Write(root_ / "src" / "disk.003", "seg"); };
  TPreparationStage stage(host_, settings_);
  stage.SegBefore(3, "disk");
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0], "Please Insert Disk #3 into Floppy Drive.");
}

TEST_F(PreparationStageTest, FilesLandFlatAndThePictureShowsOnceAfterItExists) {
  settings_.bitmapFile = "logo.gif";
  TPreparationStage stage(host_, settings_);
  std::string first = "C:\\WINDOWS\\temp\\sub\\readme.txt";
  stage.CheckFile(first);
  EXPECT_EQ(first, settings_.tempDir + "\\readme.txt");
  std::string second = "a:logo.gif";
  stage.CheckFile(second);  // the check comes before the picture is written
  EXPECT_EQ(second, settings_.tempDir + "\\logo.gif");
  EXPECT_TRUE(host_.pictures.empty());
  EXPECT_FALSE(stage.BitmapShown);
  Write(root_ / "temp" / "logo.gif", "GIF89a");
  for (int i = 0; i < 3; ++i) {
    std::string next = "data" + std::to_string(i);
    stage.CheckFile(next);
  }
  ASSERT_EQ(host_.pictures.size(), 1u);
  EXPECT_EQ(host_.pictures[0].first, settings_.tempDir + "\\logo.gif");
  EXPECT_TRUE(host_.pictures[0].second);
  EXPECT_TRUE(stage.BitmapShown);
}

TEST_F(PreparationStageTest, StillPictureAndNoPicture) {
  Write(root_ / "temp" / "logo.bmp", "BM");
  settings_.bitmapFile = "logo.bmp";
  TPreparationStage still(host_, settings_);
  std::string path = "x.txt";
  still.CheckFile(path);
  ASSERT_EQ(host_.pictures.size(), 1u);
  EXPECT_FALSE(host_.pictures[0].second);

  host_.pictures.clear();
  settings_.bitmapFile.clear();
  TPreparationStage none(host_, settings_);
  none.CheckFile(path);
  EXPECT_TRUE(host_.pictures.empty());
}

TEST_F(PreparationStageTest, UnloadablePictureEndsTheExpansion) {
  Write(root_ / "temp" / "logo.bmp", "not a picture");
  settings_.bitmapFile = "logo.bmp";
  host_.failPicture = true;
  TPreparationStage stage(host_, settings_);
  std::string path = "x.txt";
  EXPECT_THROW(stage.CheckFile(path), Exception);
}

TEST_F(PreparationStageTest, PictureNameMustBeSafe) {
  Write(root_ / "logo.bmp", "BM");  // beside TempDir
  settings_.bitmapFile = "..\\logo.bmp";
  TPreparationStage stage(host_, settings_);
  std::string path = "x.txt";
  EXPECT_THROW(stage.CheckFile(path), EUnsafeName);
  EXPECT_TRUE(host_.pictures.empty());
}

// After the user's Abort nothing more is written: the next file ends the
// expansion, whatever its method.
TEST_F(PreparationStageTest, AfterAnAbortTheNextFileEndsTheExpansion) {
  TPreparationStage stage(host_, settings_);
  std::string path = "a.txt";
  stage.CheckFile(path);
  stage.SetupAborted = true;
  std::string next = "b.txt";
  EXPECT_THROW(stage.CheckFile(next), Exception);
  EXPECT_EQ(stage.Gauge().Position(), 1);
}

TEST_F(PreparationStageTest, ProgressIsAbandonedOnlyAfterAnAbort) {
  TPreparationStage stage(host_, settings_);
  int percentage = 42;
  stage.ShowProgress(percentage);
  EXPECT_EQ(percentage, 42);
  stage.SetupAborted = true;
  stage.ShowProgress(percentage);
  EXPECT_EQ(percentage, -1);
}

}  // namespace
}  // namespace zel
