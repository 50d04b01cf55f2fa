// The segmented-archive component as the preparation window drives it: the
// properties it sets, the three events it handles and the one operation it
// calls. MakeSegCompEZ binds it to the archive layer's TSegCompEZ; tests can
// hand the window another implementation.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace zel::ui {

class SegmentArchive {
 public:
  virtual ~SegmentArchive() = default;

  // Fired before each attempt to open segment segNumber.
  std::function<void(uint16_t segNumber)> OnSegBefore;
  // Fired for every file just before it is expanded; may rewrite the path.
  std::function<void(std::string& filepath)> OnCheckFile;
  // Fired while a file is decoded; setting -1 abandons the file.
  std::function<void(int& percentageDone)> OnShowProgress;
  // Fired after each archive of the set has been expanded: its name in the
  // set and its size in bytes.
  std::function<void(const std::string& name, int64_t size)> OnArchiveDone;
  // No one answers: the mount prompt and the retry boxes are not shown and
  // count as Cancel.
  bool Unattended = false;

  // SegBaseName, SegDir and SegTmpDir as the component stores them; clears
  // its archive list and SegSource.
  virtual void Prepare(const std::string& baseName, const std::string& segDir,
                       const std::string& segTmpDir) = 0;
  virtual std::string SegBaseName() const = 0;
  // Expands the whole set; throws on any failure (or the user's Cancel).
  virtual void ExpandAll() = 0;
};

// SegCompEZ1 with the design values of the preparation window; its mount
// prompt and retry boxes are owned by owner.
std::unique_ptr<SegmentArchive> MakeSegCompEZ(HWND owner);

}  // namespace zel::ui
