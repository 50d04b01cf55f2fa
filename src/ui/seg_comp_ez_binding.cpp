#include "platform/errors.h"
#include "ui/segment_archive.h"

namespace zel::ui {

namespace {

// Placeholder binding used until the segmented-archive layer is linked in:
// it keeps the component's properties and fails every expansion, so the
// setup ends with its error box instead of running a wizard on no files.
class UnboundSegCompEZ : public SegmentArchive {
 public:
  void Prepare(const std::string& baseName, const std::string&, const std::string&) override {
    baseName_ = baseName;
  }
  std::string SegBaseName() const override { return baseName_; }
  void ExpandAll() override {
    if (OnSegBefore) OnSegBefore(1);
    throw Exception("Segmented archives are not supported by this build");
  }

 private:
  std::string baseName_ = "segdata";
};

}  // namespace

std::unique_ptr<SegmentArchive> MakeSegCompEZ(HWND) { return std::make_unique<UnboundSegCompEZ>(); }

}  // namespace zel::ui
