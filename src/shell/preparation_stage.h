// TPreparationStage: what the preparation window does in its three archive
// event handlers, without the window. The window (ui/unzip) forwards the
// archive component's events here and shows what the host interface asks
// for; the native tests drive it with a recording host.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "shell/preparation.h"

namespace zel {

// The window-side services the stage needs. None of them may throw except
// ShowPicture (a picture that cannot be loaded ends the expansion).
class PreparationHost {
 public:
  virtual ~PreparationHost() = default;
  // A plain OK message box; returns when it is dismissed.
  virtual void ShowMessage(const std::string& text) = 0;
  // Lets pending window messages run (repaints, a click that aborts).
  virtual void ProcessMessages() = 0;
  // The gauge changed; show gauge.Position() of gauge.Max().
  virtual void ShowGauge(const TPreparationGauge& gauge) = 0;
  // Puts the setup's picture at path on the background (animated: play it
  // as an animation). Throws when the picture cannot be loaded.
  virtual void ShowPicture(const std::string& path, bool animated) = 0;
};

struct PreparationSettings {
  std::string sourceDir;   // ends in a backslash
  // The running setup program's own file, whatever its name (SETUP.EXE on a
  // CD, a renamed download); empty: sourceDir + "install.exe".
  std::string setupProgram;
  std::string tempDir;     // no trailing backslash
  std::string bitmapFile;  // the setup's picture, "" for none
  int fileEntryCount = 0;  // entries of the install script's "Files"
};

class TPreparationStage {
 public:
  TPreparationStage(PreparationHost& host, PreparationSettings settings)
      : host_(host), settings_(std::move(settings)) {}

  // Before each attempt to open segment segNumber of the set named
  // segBaseName: prompts for the disk at most kMaxDiskPrompts times while the
  // file is missing; for segment 1 restarts the gauge and copies the setup
  // program (as install.exe, the name the install engine takes it by) and
  // install.cfg into TempDir (copy errors propagate: EFOpenError,
  // EFCreateError).
  void SegBefore(uint32_t segNumber, const std::string& segBaseName);
  // Before each file is expanded: redirects filepath flat into TempDir,
  // advances the gauge and shows the picture once it has been expanded.
  // After an abort it ends the expansion instead (throws the archive
  // component's abort error), so nothing more is written.
  void CheckFile(std::string& filepath);
  // While a file is decoded: asks the decoding to stop after an abort.
  void ShowProgress(int& percentageDone) const;

  bool SetupAborted = false;
  bool BitmapShown = false;
  std::string SegmentPath;
  const TPreparationGauge& Gauge() const { return gauge_; }

 private:
  PreparationHost& host_;
  PreparationSettings settings_;
  TPreparationGauge gauge_;
};

}  // namespace zel
