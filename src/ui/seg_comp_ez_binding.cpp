#include "archive/seg_compress.h"
#include "platform/system.h"
#include "ui/prompts.h"
#include "ui/segment_archive.h"

namespace zel::ui {

namespace {

// The archive component's mount prompt and retry boxes as real dialogs
// owned by the preparation window.
class WindowPrompter : public SegPrompter {
 public:
  WindowPrompter(HWND owner, const bool& unattended) : owner_(owner), unattended_(unattended) {}
  bool InputQuery(const std::string& caption, const std::string& prompt,
                  std::string& value) override {
    return !unattended_ && ui::InputQuery(owner_, caption, prompt, value);
  }
  bool RetryBox(const std::string& message) override {
    return !unattended_ && ui::RetryBox(owner_, message, sys::ApplicationTitle());
  }
  void RepaintOwner() override {
    if (owner_) RedrawWindow(owner_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

 private:
  HWND owner_;
  const bool& unattended_;
};

// SegCompEZ1 with the design values the preparation window stores.
class SegCompEZ1 : public SegmentArchive {
 public:
  explicit SegCompEZ1(HWND owner) : prompter_(owner, Unattended) {
    ez_.MakeDirectories = false;
    ez_.ExceptionOnFileError = false;
    ez_.Key = 0;
    ez_.CheckSpaceBeforeExpand = false;
    ez_.SetSegBaseName("segdata");
    ez_.SetSegDir("a:\\");
    ez_.SegPopUp = false;
    ez_.SetSegSize(1440000);
    ez_.SetSegTmpDir("\\windows\\temp");
    ez_.SegBuildMode = bmRecursive;
    ez_.SegCompType = coLZH5;
    ez_.SegMultiArc = true;
    ez_.Prompter = &prompter_;
    ez_.OnSegBefore = [this](TSegMode, const std::string&, uint16_t segNumber) {
      if (OnSegBefore) OnSegBefore(segNumber);
    };
    ez_.OnCheckFile = [this](std::string& filepath, TCProcessMode) {
      if (OnCheckFile) OnCheckFile(filepath);
    };
    ez_.OnSegAfterArchive = [this](TSegArcHeader& header, const std::string& name) {
      if (OnArchiveDone) OnArchiveDone(name, header.ArchiveSize());
    };
    ez_.OnShowProgress = [this](int& percentageDone) {
      if (OnShowProgress) OnShowProgress(percentageDone);
    };
  }
  void Prepare(const std::string& baseName, const std::string& segDir,
               const std::string& segTmpDir) override {
    ez_.SetSegBaseName(baseName);
    ez_.SetSegDir(segDir);
    ez_.SetSegTmpDir(segTmpDir);
    ez_.ArcList().Clear();
    ez_.SegSource().Clear();
  }
  std::string SegBaseName() const override { return ez_.SegBaseName(); }
  void ExpandAll() override { ez_.ExpandAll(); }

 private:
  WindowPrompter prompter_;
  TSegCompEZ ez_;
};

}  // namespace

std::unique_ptr<SegmentArchive> MakeSegCompEZ(HWND owner) { return std::make_unique<SegCompEZ1>(owner); }

}  // namespace zel::ui
