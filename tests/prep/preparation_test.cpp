#include "shell/preparation.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(PreparationNames, SegmentNumbersPadToThreeDigitsOnly) {
  struct Case { uint32_t n; const char* want; };
  const Case cases[] = {{1, "001"}, {2, "002"}, {42, "042"}, {999, "999"},
                        {1000, "1000"}, {65535, "65535"}, {0, "000"}};
  for (const Case& c : cases) EXPECT_EQ(SegmentNumberText(c.n), c.want);
}

TEST(PreparationNames, SegmentPathFromDriveRootAndFolder) {
  EXPECT_EQ(SegmentFilePath("A:\\", "disk", 2), "A:\\disk.002");
  EXPECT_EQ(SegmentFilePath("C:\\Setup\\", "disk", 1234), "C:\\Setup\\disk.1234");
}

TEST(PreparationTexts, DiskPromptHasNoLeadingZeros) {
  EXPECT_EQ(DiskPromptText(2), "Please Insert Disk #2 into Floppy Drive.");
  EXPECT_EQ(DiskPromptText(12), "Please Insert Disk #12 into Floppy Drive.");
}

TEST(PreparationTexts, LabelJoinsHeaderDesignTextAndStandbyLine) {
  EXPECT_EQ(PreparationLabelText("Sample Product", "Setup is preparing."),
            "Sample Product Setup is preparing.\rPlease Standby.");
}

TEST(PreparationFiles, EveryFileLandsFlatInTempDir) {
  const char* tempDir = "C:\\WINDOWS\\Temp\\q";
  EXPECT_EQ(FlatTempPath(tempDir, "prog.exe"), "C:\\WINDOWS\\Temp\\q\\prog.exe");
  EXPECT_EQ(FlatTempPath(tempDir, "C:\\WINDOWS\\temp\\sub\\data.bin"),
            "C:\\WINDOWS\\Temp\\q\\data.bin");
  EXPECT_EQ(FlatTempPath(tempDir, "a:readme.txt"), "C:\\WINDOWS\\Temp\\q\\readme.txt");
  // The archive component's scratch files stay in a folder of their own.
  EXPECT_EQ(ScratchFolder(tempDir), "C:\\WINDOWS\\Temp\\q\\scratch.$$$");
}

TEST(PreparationPicture, GifNameSelectsTheAnimationPlayer) {
  EXPECT_TRUE(IsAnimatedPictureName("logo.gif"));
  EXPECT_TRUE(IsAnimatedPictureName("LOGO.GIF"));
  EXPECT_TRUE(IsAnimatedPictureName("gifted.bmp"));  // any "GIF" in the name counts
  EXPECT_FALSE(IsAnimatedPictureName("logo.bmp"));
  EXPECT_FALSE(IsAnimatedPictureName(""));
}

TEST(PreparationPicture, PanelPlacementByAlignment) {
  struct Case {
    int pw, ph;
    bool center, left;
    int wantLeft, wantWidth, wantHeight;
  };
  const int screen = 800, header2Top = 40;
  const Case cases[] = {
      {105, 105, false, true, 20, 115, 115},              // still picture, default Align Left
      {105, 105, false, false, 800 - 115 - 20, 115, 115},  // neither: right with margin 20
      {64, 48, true, false, 400 - 37, 74, 58},            // animation centred
      {64, 48, true, true, 400 - 37, 74, 58},             // centre wins over left
  };
  for (const Case& c : cases) {
    TPicturePanel p = PlacePicturePanel(c.pw, c.ph, screen, header2Top, c.center, c.left);
    EXPECT_EQ(p.left, c.wantLeft);
    EXPECT_EQ(p.width, c.wantWidth);
    EXPECT_EQ(p.height, c.wantHeight);
    EXPECT_EQ(p.top, 70);
    EXPECT_EQ(p.pictureLeft, 5);
    EXPECT_EQ(p.pictureTop, 5);
  }
  // A panel wider than the screen: centred placement goes negative, not wrapped.
  EXPECT_EQ(PlacePicturePanel(300, 10, 100, 0, true, false).left, 50 - 155);
}

TEST(PreparationGauge, TenFilesGiveMaximum13AndOneStepEach) {
  TPreparationGauge gauge;
  gauge.Start(10);
  EXPECT_EQ(gauge.Max(), 13);
  EXPECT_EQ(gauge.Position(), 0);
  gauge.CopiedSetupProgram();
  EXPECT_EQ(gauge.Position(), 1);
  gauge.CopiedSetupConfig();
  EXPECT_EQ(gauge.Position(), 2);
  for (int i = 1; i <= 10; ++i) {
    gauge.StepFile();
    EXPECT_EQ(gauge.Position(), 2 + i);
  }
  // More packaged files than listed: the gauge stops at its maximum.
  gauge.StepFile();
  gauge.StepFile();
  EXPECT_EQ(gauge.Position(), 13);
}

TEST(PreparationGauge, RetriedFirstSegmentRestartsTheCount) {
  TPreparationGauge gauge;
  gauge.Start(0);
  gauge.CopiedSetupProgram();
  gauge.CopiedSetupConfig();
  gauge.StepFile();
  EXPECT_EQ(gauge.Position(), 3);
  gauge.Start(0);
  EXPECT_EQ(gauge.Position(), 0);
  EXPECT_EQ(gauge.Max(), 3);
}

}  // namespace
}  // namespace zel
