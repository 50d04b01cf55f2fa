#include "shell/preparation_stage.h"

#include "archive/seg_compress.h"
#include "platform/fs.h"
#include "platform/safe_name.h"
#include "shell/file_utils.h"

namespace zel {

void TPreparationStage::SegBefore(uint32_t segNumber, const std::string& segBaseName) {
  host_.ProcessMessages();
  SegmentPath = SegmentFilePath(settings_.sourceDir, segBaseName, segNumber);
  for (int prompts = 0; prompts < kMaxDiskPrompts && !fs::FileExists(SegmentPath); ++prompts)
    host_.ShowMessage(DiskPromptText(segNumber));
  // Still missing after the prompts: the archive component's retry box
  // follows, and its OK brings us here again.
  if (segNumber == 1) {
    gauge_.Start(settings_.fileEntryCount);
    host_.ShowGauge(gauge_);
    host_.ProcessMessages();
    CopyFileAs(settings_.setupProgram.empty() ? settings_.sourceDir + "install.exe" : settings_.setupProgram,
               settings_.tempDir + "\\install.exe");
    gauge_.CopiedSetupProgram();
    host_.ShowGauge(gauge_);
    host_.ProcessMessages();
    CopyFileTo(settings_.sourceDir + "install.cfg", settings_.tempDir);
    gauge_.CopiedSetupConfig();
    host_.ShowGauge(gauge_);
    host_.ProcessMessages();
  }
  host_.ProcessMessages();
}

void TPreparationStage::CheckFile(std::string& filepath) {
  if (SetupAborted) throw ESegError("(TSegCompress) Operation aborted by user");
  filepath = FlatTempPath(settings_.tempDir, filepath);
  gauge_.StepFile();
  host_.ShowGauge(gauge_);
  host_.ProcessMessages();
  if (settings_.bitmapFile.empty() || BitmapShown) return;
  // The picture's name comes from the install script: a path only if safe.
  const std::string picture = SafeJoin(settings_.tempDir, settings_.bitmapFile);
  if (!fs::FileExists(picture)) return;
  BitmapShown = true;
  host_.ShowPicture(picture, IsAnimatedPictureName(settings_.bitmapFile));
  host_.ProcessMessages();
}

void TPreparationStage::ShowProgress(int& percentageDone) const {
  if (SetupAborted) percentageDone = -1;
}

}  // namespace zel
