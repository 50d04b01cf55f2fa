// Rules of the preparation stage that do not need a window: the names of the
// segment files asked for, the texts shown, where the setup's picture goes on
// the background, and how the gauge counts. The preparation window
// (ui/unzip) applies them to its controls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zel {

// Segment number written as the segment files are named: at least three
// digits, zero-padded on the left; 1000 and more keep all their digits.
std::string SegmentNumberText(uint32_t segNumber);

// SourceDir (which ends in a backslash) + base name + "." + padded number.
std::string SegmentFilePath(std::string_view sourceDir, std::string_view baseName,
                            uint32_t segNumber);

// "Please Insert Disk #<n> into Floppy Drive." with n in plain decimal.
std::string DiskPromptText(uint32_t segNumber);

// How many "Please Insert Disk #" prompts one attempt to open a segment shows
// before the archive component's own retry box takes over.
constexpr int kMaxDiskPrompts = 2;

// The preparation window's label: header + " " + design text + CR +
// "Please Standby.".
std::string PreparationLabelText(std::string_view headerText, std::string_view designText);

// Where an expanded file is written: directly in tempDir under the file-name
// part of archivePath (the text after its last backslash or colon).
std::string FlatTempPath(std::string_view tempDir, std::string_view archivePath);

// The archive component's scratch folder (its SegTmpDir) inside TempDir: a
// sub-folder, so its temporary archive and list file never meet the files
// expanded flat into TempDir.
std::string ScratchFolder(std::string_view tempDir);

// True when the setup's picture is to be played as an animation: the upper-case
// file name contains "GIF".
bool IsAnimatedPictureName(std::string_view bitmapFile);

// Panel that frames the setup's picture on the background window.
struct TPicturePanel {
  int left, top, width, height;
  int pictureLeft, pictureTop;  // the picture inside the panel
};

constexpr int kStillPictureSize = 105;  // the still-picture control keeps this size
constexpr int kPicturePanelMargin = 5;  // picture offset inside the panel

// Panel placement for a picture of pictureWidth x pictureHeight: the panel is
// 10 pixels larger than the picture, its top 30 pixels below the second
// heading's top, and its left edge centred, at 20, or 20 from the right edge
// (AlignRight is implied when neither of the other two is set).
TPicturePanel PlacePicturePanel(int pictureWidth, int pictureHeight, int mainScreenWidth,
                                int header2Top, bool alignCenter, bool alignLeft);

// The preparation gauge: maximum = file entries + 3, position 1 after the copy
// of install.exe, 2 after install.cfg, then one step per expanded file, never
// past the maximum.
class TPreparationGauge {
 public:
  void Start(int fileEntryCount);
  void CopiedSetupProgram() { SetPosition(1); }
  void CopiedSetupConfig() { SetPosition(2); }
  void StepFile();
  int Max() const { return max_; }
  int Position() const { return position_; }

 private:
  void SetPosition(int position);
  int max_ = 100;
  int position_ = 0;
};

}  // namespace zel
