#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "shell/file_utils.h"
#include "ui/segment_archive.h"

namespace zel::ui {

namespace {

// Stand-in binding used until the segmented-archive layer is linked in. A
// setup folder without segment files (a plain, unpacked copy of a product)
// is "expanded" by copying its files through the file-check event, so the
// gauge, the picture and TempDir behave as after a real expansion; a folder
// with segment files cannot be read by this build and fails, so the setup
// ends with its error box instead of running the wizard on no files.
class PlainFolderSegCompEZ : public SegmentArchive {
 public:
  void Prepare(const std::string& baseName, const std::string& segDir, const std::string&) override {
    baseName_ = baseName;
    segDir_ = segDir;
  }
  std::string SegBaseName() const override { return baseName_; }
  void ExpandAll() override {
    if (fs::FileExists(segDir_ + baseName_ + ".001")) {
      if (OnSegBefore) OnSegBefore(1);
      throw Exception("Segmented archives are not supported by this build");
    }
    for (const fs::FindEntry& e : fs::FindFiles(segDir_ + "*.*")) {
      if (e.attributes & fs::kAttrDirectory) continue;
      std::string target = e.name;
      if (OnCheckFile) OnCheckFile(target);
      if (target == segDir_ + e.name) continue;
      // CopyFileTo takes a missing destination for a folder: name the folder.
      std::string folder = ExtractFilePath(target);
      if (folder.empty() || ExtractFileName(target) != e.name) continue;
      CopyFileTo(segDir_ + e.name, folder);
    }
  }

 private:
  std::string baseName_ = "segdata";
  std::string segDir_;
};

}  // namespace

std::unique_ptr<SegmentArchive> MakeSegCompEZ(HWND) { return std::make_unique<PlainFolderSegCompEZ>(); }

}  // namespace zel::ui
