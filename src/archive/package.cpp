#include "archive/package.h"

#include <map>
#include <stdexcept>

#include "platform/fs.h"
#include "platform/native_path.h"
#include "platform/paths.h"
#include "platform/safe_name.h"

namespace zel {

namespace {

// The folder below a destination for a template folder: "" for none or for
// an absolute one; a relative one must pass the name guard (EUnsafeName
// with the context).
std::string TemplateFolder(const std::string& targetDir,
                           const std::string& context = std::string(kUnsafePackage) + ": the template folder") {
  std::string folder = targetDir;
  if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  if (folder.empty() || folder[0] == '\\' || folder[0] == '/' || (folder.size() >= 2 && folder[1] == ':'))
    return std::string();
  return SafeRelativePath(folder, context) + "\\";
}

}  // namespace

std::string FolderLastName(const std::string& folder) {
  std::vector<std::string> parts;
  std::string part;
  const std::string absolute = fs::ExpandFileName(folder) + "\\";
  // A drive ("C:") is not a name.
  const size_t start = absolute.size() >= 2 && absolute[1] == ':' ? 2 : 0;
  for (size_t i = start; i < absolute.size(); ++i) {
    const char c = absolute[i];
    if (c != '\\' && c != '/') {
      part += c;
      continue;
    }
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    part.clear();
  }
  return parts.empty() ? std::string() : parts.back();
}

std::vector<std::string> SameNameWarnings(const std::vector<PackEntry>& entries) {
  std::map<std::string, std::vector<std::string>> byName;
  for (const PackEntry& e : entries) byName[UpperCase(ExtractAfterBackslash(e.storedName))].push_back(e.storedName);
  std::vector<std::string> warnings;
  for (const auto& [name, stored] : byName) {
    if (stored.size() < 2) continue;
    std::string list;
    for (const std::string& s : stored) list += (list.empty() ? "\"" : ", \"") + s + "\"";
    warnings.push_back("files of one name in different folders: " + list +
                       "; the setup program expands every file into one folder, so only one of them arrives");
  }
  return warnings;
}

std::vector<std::string> BuildPackage(const BuildRequest& request) {
  if (request.folders.empty()) throw std::invalid_argument("no folder to pack");
  auto warn = [&](const std::string& message) {
    if (request.onWarning) request.onWarning(message);
  };
  std::vector<SegArchiveSpec> archives;
  for (size_t i = 0; i < request.folders.size(); ++i) {
    const std::string folder = ExcludeTrailingBackslash(request.folders[i]);
    if (!fs::DirectoryExists(folder)) throw std::invalid_argument(NativePath(folder) + ": no such folder");
    SegArchiveSpec spec;
    spec.entries = CollectFolder(folder, [&](const std::string& path, const std::string& reason) {
      warn(NativePath(path) + ": skipped, " + reason);
    });
    if (spec.entries.empty()) throw std::invalid_argument(NativePath(folder) + ": folder holds no file");
    for (const std::string& w : SameNameWarnings(spec.entries)) warn(NativePath(folder) + ": " + w);
    if (i < request.templates.size()) {
      spec.templateText = request.templates[i];
      // A set whose template folder the readers refuse could never be expanded.
      TemplateFolder(ExtractFilePath(spec.templateText), "the template \"" + spec.templateText + "\": its folder");
    } else {
      const std::string name = FolderLastName(folder);
      if (CheckPartName(name) != NameProblem::kNone)
        throw std::invalid_argument(NativePath(folder) + ": the folder's name \"" + name +
                                    "\" cannot be the archive's template; give one with --template");
      spec.templateText = name + "\\*.*";
    }
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
  // A set read disk by disk keeps the floppy order: each archive is copied
  // whole before it is expanded, so a disk is not asked for twice.
  if (!request.mountPrompt && !fs::OnRemovableMedia(request.segDir)) seg.ExpandInPlace = ExpandArchiveInPlace;
  if (request.onProgress) seg.OnSegShowProgress = request.onProgress;
  if (request.onSegment)
    seg.OnSegBefore = [&request](TSegMode, const std::string& name, uint16_t) { request.onSegment(name); };
}

// Stops an expansion once the archive list is known.
struct ListingDone {};

// The same checks before listing, verifying and extracting: each template
// folder must be one that can go below a destination.
void CheckTemplates(TSegArcList& list) {
  for (int i = 0; i < list.Count(); ++i) TemplateFolder(list[i].TargetDir);
}

}  // namespace

std::string ExtractFolder(const std::string& destDir, const std::string& targetDir) {
  return IncludeTrailingBackslash(destDir) + TemplateFolder(targetDir);
}

void CheckNoLinkOnTheWay(const std::string& destDir, const std::string& path) {
  const std::string dest = IncludeTrailingBackslash(destDir);
  for (size_t at = path.find('\\', dest.size());; at = path.find('\\', at + 1)) {
    const std::string step = path.substr(0, at);
    if (fs::IsLink(step)) throw Exception("not written through the link " + step + ": " + path);
    if (at == std::string::npos) return;
  }
}

std::vector<ListedArchive> ListPackage(const ReadRequest& request) {
  TSegCompEZ seg;
  Configure(seg, request);
  std::vector<ListedArchive> result;
  seg.OnSegBeforeExpand = [&](TSegArcList& list) {
    CheckTemplates(list);
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
  seg.OnSegBeforeExpand = CheckTemplates;
  seg.ExpandAll();
  int entries = 0;
  for (int i = 0; i < seg.ArcList().Count(); ++i) entries += seg.ArcList()[i].FileList.Count();
  return entries;
}

std::vector<std::string> ExtractPackage(const ReadRequest& request, const std::string& destDir) {
  TSegCompEZ seg;
  Configure(seg, request);
  const std::string dest = IncludeTrailingBackslash(destDir);
  seg.RoomFolder = dest;
  seg.OnSegBeforeExpand = [&](TSegArcList& list) {
    for (int i = 0; i < list.Count(); ++i) list[i].TargetDir = ExtractFolder(dest, list[i].TargetDir);
  };
  // Stored names have passed the guard and template folders were checked:
  // every path lies below dest. A link planted there is not followed.
  seg.OnCheckFile = [&](std::string& path, TCProcessMode) {
    if (path.compare(0, dest.size(), dest) != 0) throw EUnsafeName(std::string(kUnsafePackage) + ": " + path);
    CheckNoLinkOnTheWay(dest, path);
  };
  seg.ExpandAll();
  std::vector<std::string> written;
  for (int i = 0; i < seg.ArcList().Count(); ++i)
    for (int k = 0; k < seg.ArcList()[i].FileList.Count(); ++k) written.push_back(seg.ArcList()[i].FileList[k]);
  return written;
}

}  // namespace zel
