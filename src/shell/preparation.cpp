#include "shell/preparation.h"

#include "platform/paths.h"

namespace zel {

std::string SegmentNumberText(uint32_t segNumber) {
  std::string digits = std::to_string(segNumber);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return digits;
}

std::string SegmentFilePath(std::string_view sourceDir, std::string_view baseName,
                            uint32_t segNumber) {
  std::string path(sourceDir);
  path += baseName;
  path += '.';
  path += SegmentNumberText(segNumber);
  return path;
}

std::string DiskPromptText(uint32_t segNumber) {
  return "Please Insert Disk #" + std::to_string(segNumber) + " into Floppy Drive.";
}

std::string PreparationLabelText(std::string_view headerText, std::string_view designText) {
  std::string text(headerText);
  text += ' ';
  text += designText;
  text += '\r';
  text += "Please Standby.";
  return text;
}

std::string FlatTempPath(std::string_view tempDir, std::string_view archivePath) {
  std::string path(tempDir);
  path += '\\';
  path += ExtractFileName(archivePath);
  return path;
}

std::string ScratchFolder(std::string_view tempDir) {
  std::string path(tempDir);
  path += "\\scratch.$$$";
  return path;
}

bool IsAnimatedPictureName(std::string_view bitmapFile) {
  return Contains(UpperCase(bitmapFile), "GIF");
}

TPicturePanel PlacePicturePanel(int pictureWidth, int pictureHeight, int mainScreenWidth,
                                int header2Top, bool alignCenter, bool alignLeft) {
  TPicturePanel panel{};
  panel.pictureLeft = kPicturePanelMargin;
  panel.pictureTop = kPicturePanelMargin;
  panel.width = pictureWidth + 2 * kPicturePanelMargin;
  panel.height = pictureHeight + 2 * kPicturePanelMargin;
  panel.top = header2Top + 30;
  if (alignCenter)
    panel.left = mainScreenWidth / 2 - panel.width / 2;
  else if (alignLeft)
    panel.left = 20;
  else
    panel.left = mainScreenWidth - panel.width - 20;
  return panel;
}

void TPreparationGauge::Start(int fileEntryCount) {
  max_ = fileEntryCount + 3;
  position_ = 0;
}

void TPreparationGauge::SetPosition(int position) {
  position_ = position > max_ ? max_ : position;
}

void TPreparationGauge::StepFile() { SetPosition(position_ + 1); }

}  // namespace zel
