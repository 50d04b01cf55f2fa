#include "author/make_setup.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "archive/seg_writer.h"
#include "author/floppy_image.h"
#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/native_path.h"
#include "platform/paths.h"
#include "platform/safe_name.h"
#include "platform/stream.h"

namespace zel {

namespace {

constexpr const char* kStagingName = ".zelpack-new";
constexpr const char* kBaseName = "disk";

bool AllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// "disk" followed by a number and then suffix ("disk3", "disk3.img").
bool IsNumberedName(const std::string& name, const std::string& suffix) {
  const std::string lower = LowerCase(name);
  if (lower.size() <= 4 + suffix.size() || lower.rfind("disk", 0) != 0) return false;
  if (lower.compare(lower.size() - suffix.size(), suffix.size(), suffix) != 0) return false;
  return AllDigits(lower.substr(4, lower.size() - 4 - suffix.size()));
}

bool IsDiskFileName(const std::string& name) {
  const std::string lower = LowerCase(name);
  return lower == "install.exe" || lower == "install.cfg" ||
         (lower.rfind("disk.", 0) == 0 && AllDigits(lower.substr(5)));
}

std::vector<fs::FindEntry> FolderEntries(const std::string& folder) {
  std::vector<fs::FindEntry> entries;
  for (fs::FindEntry& e : fs::FindFiles(folder + "\\*"))
    if (e.name != "." && e.name != "..") entries.push_back(std::move(e));
  return entries;
}

// Whether an entry of the output folder is something make writes.
bool IsMakeOutput(const std::string& outDir, const fs::FindEntry& entry) {
  const bool folder = (entry.attributes & fs::kAttrDirectory) && !(entry.attributes & fs::kAttrReparsePoint);
  if (!folder) return IsDiskFileName(entry.name) || IsNumberedName(entry.name, ".img");
  if (entry.name == kStagingName) return true;
  if (!IsNumberedName(entry.name, "")) return false;
  for (const fs::FindEntry& inner : FolderEntries(outDir + "\\" + entry.name))
    if ((inner.attributes & fs::kAttrDirectory) || !IsDiskFileName(inner.name)) return false;
  return true;
}

void RemoveEntry(const std::string& path, const fs::FindEntry& entry) {
  if ((entry.attributes & fs::kAttrDirectory) && !(entry.attributes & fs::kAttrReparsePoint)) {
    fs::RemoveTree(path);
    if (fs::DirectoryExists(path)) throw Exception(NativePath(path) + ": cannot remove the earlier output");
  } else if (!fs::DeleteFile(path)) {
    throw Exception(NativePath(path) + ": cannot remove the earlier output");
  }
}

void SetDate(const std::string& path, uint32_t dosDateTime) {
  TFileStream file(path, FileMode::kOpenReadWrite);
  file.SetDosDateTime(dosDateTime);
}

// Copies a file and gives the copy the original's date.
void CopyWithDate(const std::string& from, const std::string& to) {
  {
    TFileStream source(from, FileMode::kOpenReadShared);
    TFileStream target(to, FileMode::kCreate);
    target.CopyFrom(source, 0);
    if (target.Size() != source.Size()) throw EWriteError(FormatCreateError(to));
  }
  SetDate(to, fs::FileDosDateTime(from));
}

PackEntry EntryFor(const ProductFile& f) {
  PackEntry e;
  e.storedName = f.storedName;
  e.sourcePath = f.sourcePath;
  e.fileDate = fs::FileDosDateTime(f.sourcePath);
  const uint32_t attributes = fs::GetAttributes(f.sourcePath);
  if (attributes != fs::kInvalidAttributes)
    e.attributes = static_cast<uint16_t>(attributes & (fs::kAttrReadOnly | fs::kAttrHidden | fs::kAttrSystem |
                                                       fs::kAttrArchive));
  return e;
}

// The folder make writes into first; removed with all in it unless kept.
class Staging {
 public:
  explicit Staging(const std::string& outDir) : path_(outDir + "\\" + kStagingName) {
    fs::RemoveTree(path_);
    fs::ForceDirectories(path_);
  }
  ~Staging() { fs::RemoveTree(path_); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

std::string VolumeLabel(size_t disk) { return "DISK " + std::to_string(disk); }

}  // namespace

void CheckOutputFolder(const std::string& outDir) {
  if (!fs::DirectoryExists(outDir)) {
    if (fs::FileExists(outDir)) throw Exception(NativePath(outDir) + ": a file, not a folder");
    return;
  }
  for (const fs::FindEntry& e : FolderEntries(outDir))
    if (!IsMakeOutput(outDir, e))
      throw Exception(NativePath(outDir) + " holds \"" + e.name + "\"" +
                      ", which zelpack make did not write: give an empty or new folder");
}

std::string FindSetupProgram(const std::string& programFile, const std::string& chosen,
                             std::vector<std::string>* looked) {
  if (!chosen.empty()) {
    if (looked) looked->push_back(chosen);
    return fs::FileExists(chosen) ? chosen : std::string();
  }
  const std::string dir = ExtractFilePath(programFile);
  if (dir.empty()) return std::string();
  // Beside the tool (a kit's folder), in the tool's own build tree (the
  // Windows tree), or in the Windows tree beside the tool's native tree.
  for (const char* relative : {"install.exe", "..\\..\\src\\app\\install.exe", "..\\..\\..\\win32\\src\\app\\install.exe"}) {
    const std::string candidate = dir + relative;
    if (looked) looked->push_back(candidate);
    if (fs::FileExists(candidate)) return candidate;
  }
  return std::string();
}

MakeResult MakeSetup(const MakeRequest& request, const std::vector<ProductFile>& files) {
  const Medium& medium = *request.medium;
  const std::string outDir = ExcludeTrailingBackslash(request.outDir);
  CheckOutputFolder(outDir);
  if (request.images && !medium.floppy)
    throw std::invalid_argument(std::string("--images: a ") + medium.name + " has no floppy image");
  if (request.images && !MtoolsAvailable()) throw Exception(kMtoolsHint);
  const SegmentPlan plan = PlanSegments(medium, fs::FileSize(request.setupExe), fs::FileSize(request.script));

  MakeResult result;
  SegArchiveSpec archive;
  uint32_t newest = std::max(fs::FileDosDateTime(request.script), fs::FileDosDateTime(request.setupExe));
  for (const ProductFile& f : files) {
    archive.entries.push_back(EntryFor(f));
    newest = std::max(newest, archive.entries.back().fileDate);
  }
  const std::string name = request.templateName;
  archive.templateText = (CheckPartName(name) == NameProblem::kNone ? name : std::string("product")) + "\\*.*";

  const bool folderCreated = !fs::DirectoryExists(outDir);
  fs::ForceDirectories(outDir);
  try {
    Staging staging(outDir);
    SegmentSetOptions options;
    options.outDir = staging.Path();
    options.baseName = kBaseName;
    options.segmentSize = plan.later;
    options.firstSegmentSize = plan.first;
    options.folderPerDisk = medium.floppy;
    options.tmpDir = request.tmpDir;
    options.archive.method = request.method;
    const int count = static_cast<int>(files.size());
    int64_t storedBytes = 0;
    options.archive.onEntry = [&](const std::string& stored, int64_t size, int64_t storedSize) {
      ++result.files;
      result.bytesIn += size;
      storedBytes += storedSize;
      if (request.onFile) request.onFile(stored, result.files, count, result.bytesIn, storedBytes);
    };
    const std::vector<std::string> segments = WriteSegmentSet({archive}, options);
    if (!medium.floppy && segments.size() > 1)
      throw Exception("the package does not fit on one " + std::string(medium.description));

    for (size_t n = 0; n < segments.size(); ++n) {
      DiskReport disk;
      disk.folder = ExtractFilePath(segments[n]);
      disk.folder.pop_back();
      if (n == 0) {
        CopyWithDate(request.setupExe, disk.folder + "\\install.exe");
        CopyWithDate(request.script, disk.folder + "\\install.cfg");
        disk.files = {{"install.exe", fs::FileSize(request.setupExe)}, {"install.cfg", fs::FileSize(request.script)}};
      }
      SetDate(segments[n], newest);
      const int64_t size = fs::FileSize(segments[n]);
      result.bytesOut += size;
      disk.files.push_back({ExtractFileName(segments[n]), size});
      disk.space = SpaceLeft(medium, disk.files);
      if (!disk.space.Fits())
        throw std::logic_error("disk " + std::to_string(n + 1) + " overflows the " + medium.name + " medium");
      if (request.images) {
        disk.image = staging.Path() + "\\" + kBaseName + std::to_string(n + 1) + ".img";
        std::vector<std::string> paths;
        for (const DiskFile& f : disk.files) paths.push_back(disk.folder + "\\" + f.name);
        WriteFloppyImage(medium, disk.image, VolumeLabel(n + 1), paths, newest);
      }
      result.disks.push_back(std::move(disk));
    }

    // Complete: the earlier output goes, the new one takes its place.
    for (const fs::FindEntry& e : FolderEntries(outDir))
      if (e.name != kStagingName) RemoveEntry(outDir + "\\" + e.name, e);
    for (const fs::FindEntry& e : FolderEntries(staging.Path()))
      if (!fs::RenameFile(staging.Path() + "\\" + e.name, outDir + "\\" + e.name))
        throw Exception(NativePath(outDir + "\\" + e.name) + ": cannot move the new output there");
  } catch (...) {
    if (folderCreated) fs::RemoveDir(outDir);
    throw;
  }
  // The reports name the places the disks have now.
  const std::string stagingPrefix = outDir + "\\" + kStagingName;
  for (DiskReport& d : result.disks) {
    d.folder = outDir + d.folder.substr(stagingPrefix.size());
    if (!d.image.empty()) d.image = outDir + d.image.substr(stagingPrefix.size());
  }
  return result;
}

}  // namespace zel
