#include "archive/package.h"

#include <stdexcept>

#include "platform/fs.h"
#include "platform/paths.h"

namespace zel {

std::vector<std::string> BuildPackage(const BuildRequest& request) {
  if (request.folders.empty()) throw std::invalid_argument("no folder to pack");
  std::vector<SegArchiveSpec> archives;
  for (size_t i = 0; i < request.folders.size(); ++i) {
    const std::string folder = ExcludeTrailingBackslash(request.folders[i]);
    if (!fs::DirectoryExists(folder)) throw std::invalid_argument(folder + ": no such folder");
    SegArchiveSpec spec;
    spec.entries = CollectFolder(folder);
    if (spec.entries.empty()) throw std::invalid_argument(folder + ": folder holds no file");
    spec.templateText = i < request.templates.size() ? request.templates[i]
                                                     : ExtractFileName(folder) + "\\*.*";
    archives.push_back(std::move(spec));
  }
  return WriteSegmentSet(archives, request.set);
}

namespace {

void Configure(TSegCompEZ& seg, const ReadRequest& request) {
  seg.SetSegDir(request.segDir);
  seg.SetSegBaseName(request.baseName);
  seg.SetSegExt(request.ext);
  seg.SetSegTmpDir(request.tmpDir);
  seg.Key = request.key;
  seg.Prompter = request.prompter;
  seg.SegPopUp = request.mountPrompt;
  if (request.onProgress) seg.OnSegShowProgress = request.onProgress;
  if (request.onSegment)
    seg.OnSegBefore = [&request](TSegMode, const std::string& name, uint16_t) { request.onSegment(name); };
}

// Stops an expansion once the archive list is known.
struct ListingDone {};

}  // namespace

std::vector<ListedArchive> ListPackage(const ReadRequest& request) {
  TSegCompEZ seg;
  Configure(seg, request);
  std::vector<ListedArchive> result;
  seg.OnSegBeforeExpand = [&](TSegArcList& list) {
    for (int i = 0; i < list.Count(); ++i) {
      ListedArchive a{list[i].Template, {}};
      for (int k = 0; k < list[i].FileList.Count(); ++k) a.files.push_back(list[i].FileList[k]);
      result.push_back(std::move(a));
    }
    throw ListingDone{};
  };
  try {
    seg.ExpandAll();
  } catch (const ListingDone&) {
  }
  return result;
}

int TestPackage(const ReadRequest& request) {
  TSegCompEZ seg;
  Configure(seg, request);
  seg.TestOnly = true;
  seg.ExpandAll();
  int entries = 0;
  for (int i = 0; i < seg.ArcList().Count(); ++i) entries += seg.ArcList()[i].FileList.Count();
  return entries;
}

std::vector<std::string> ExtractPackage(const ReadRequest& request, const std::string& destDir) {
  TSegCompEZ seg;
  Configure(seg, request);
  const std::string dest = IncludeTrailingBackslash(destDir);
  seg.OnSegBeforeExpand = [&](TSegArcList& list) {
    for (int i = 0; i < list.Count(); ++i) {
      const std::string& dir = list[i].TargetDir;
      const bool absolute = !dir.empty() && (dir[0] == '\\' || Contains(dir, ":"));
      list[i].TargetDir = absolute ? dest : dest + dir;
    }
  };
  // A package from elsewhere must not write outside the destination.
  seg.OnCheckFile = [&](std::string& path, TCProcessMode) {
    if (path.compare(0, dest.size(), dest) != 0 || Contains(path, "..\\") || (path.size() > 2 && Contains(path.substr(2), ":")))
      throw Exception("unsafe stored name, not expanded: " + path);
  };
  seg.ExpandAll();
  std::vector<std::string> written;
  for (int i = 0; i < seg.ArcList().Count(); ++i)
    for (int k = 0; k < seg.ArcList()[i].FileList.Count(); ++k) written.push_back(seg.ArcList()[i].FileList[k]);
  return written;
}

}  // namespace zel
