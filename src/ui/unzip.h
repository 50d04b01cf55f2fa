// The preparation window TUnzip: shown modally by the background window
// before the wizard. One second after it opens it expands the setup package
// (disk.001, disk.002, ... in SourceDir) flat into TempDir with SegCompEZ1,
// showing a gauge, asking for missing disks and putting the setup's picture
// on the background. A click on the window, Esc and its close command ask
// "Abort Setup Process ?". Any failure shows "Error Expanding Files!!" (with
// the reason below it) and sets SetupAborted; the background shows the
// wizard only when the expansion Succeeded.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "shell/preparation_stage.h"
#include "ui/dialog.h"
#include "ui/segment_archive.h"
#include "ui/window.h"

namespace zel::ui {

// GIFAnimator1: the window's small animation (a disk with a turning light).
class DiskAnimation : public Window {
 public:
  ~DiskAnimation() override;
  bool Create(HWND parent, int id, int x, int y, int size);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int phase_ = 0;
};

class TUnzip : public Dialog, private PreparationHost {
 public:
  TUnzip();
  ~TUnzip() override;
  // Shows the window modally over owner; returns when it has closed.
  void ShowModal(HWND owner);

  // Set when the expansion failed or the user aborted.
  bool SetupAborted = false;
  // Set only when the whole package was expanded and nobody aborted: the
  // only way to the wizard.
  bool Succeeded = false;
  bool BitmapShown() const { return stage_ && stage_->BitmapShown; }
  std::string SegmentPath() const { return stage_ ? stage_->SegmentPath : std::string(); }

  // Makes the archive component; MakeSegCompEZ unless a test replaces it.
  std::function<std::unique_ptr<SegmentArchive>(HWND owner)> MakeArchive = MakeSegCompEZ;

 protected:
  INT_PTR OnInitDialog() override;
  // Esc and the close command (IDCANCEL) ask the abort question.
  bool OnCommand(int id, int notifyCode) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormShow();
  void Timer1Timer();
  void ExpandSetupFiles();
  void ExpansionFailed(const char* reason);
  void FormClick();
  void LayOut();

  // PreparationHost
  void ShowMessage(const std::string& text) override;
  void ProcessMessages() override;
  void ShowGauge(const TPreparationGauge& gauge) override;
  void ShowPicture(const std::string& path, bool animated) override;

  std::unique_ptr<SegmentArchive> SegCompEZ1;
  std::unique_ptr<TPreparationStage> stage_;
  DiskAnimation GIFAnimator1;
  bool expanding_ = false;
  bool askingAbort_ = false;
};

}  // namespace zel::ui
