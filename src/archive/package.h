// The authoring tool's operations on a product package (a segment set):
// build it from folders, list it, verify it, extract it. Argument parsing and
// console dialogue belong to the tool; these take plain options and report
// through callbacks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/seg_compress.h"
#include "archive/seg_writer.h"

namespace zel {

struct BuildRequest {
  std::vector<std::string> folders;  // one archive per folder, files below it recursively
  // Template per archive; missing ones default to the folder's last name +
  // "\*.*", however the folder is written.
  std::vector<std::string> templates;
  SegmentSetOptions set;
  // Told what is packed but likely a mistake, and what is left out.
  std::function<void(const std::string& message)> onWarning;
};

// Packs the folders; returns the segment files written. Warns about links to
// folders (not followed) and about files of one name in different folders of
// an archive (the setup program expands them all into one folder). Throws
// std::invalid_argument for an empty or missing folder, a folder whose name
// cannot be a template, and the writer's errors.
std::vector<std::string> BuildPackage(const BuildRequest& request);

// The last name of a folder however it is written: absolute or relative,
// with "." and ".." parts, "/" or "\\" separators and trailing separators
// ("out/../product/." gives "product"). Empty for a root folder.
std::string FolderLastName(const std::string& folder);

// Messages about files of one name (the part after the last backslash, any
// case) under different stored names: the setup program expands every file
// of a set into one folder, so one would replace the other.
std::vector<std::string> SameNameWarnings(const std::vector<PackEntry>& entries);

struct ReadRequest {
  std::string segDir;            // folder holding segment 1 (absolute or relative)
  std::string baseName = "disk";
  std::string ext;
  std::string tmpDir;            // scratch for temporary archives and list files
  int32_t key = 0;
  SegPrompter* prompter = nullptr;
  bool mountPrompt = false;      // ask for every segment's folder
  std::function<void(int32_t percent)> onProgress;   // per copied block
  std::function<void(const std::string& segName)> onSegment;
};

struct ListedArchive {
  std::string templateText;
  std::vector<std::string> files;
};

// Listing, verifying and extracting find the same faults in a package: a
// name or template folder that fails the name guard (EUnsafeName), an entry
// whose data, size or checksum does not match its header, a listed file that
// does not arrive, a disk of another set (the container's and the segment
// reader's errors). request.tmpDir must be a folder of the caller's own.

// The archives of the set with their file names (no archive is expanded).
std::vector<ListedArchive> ListPackage(const ReadRequest& request);
// Decodes every entry and tests its size and checksum without writing any
// file; returns the number of entries verified. Throws the first error met.
int TestPackage(const ReadRequest& request);
// Testing and extracting read each archive straight from the segment files
// (no temporary copy) unless the set asks for each disk (mountPrompt) or lies
// on removable media.
// Expands every archive below destDir (see ExtractFolder). Nothing is
// written outside destDir, and no link inside it is written through. Before
// each archive the drive of destDir must have room for it. Returns the paths
// written.
std::vector<std::string> ExtractPackage(const ReadRequest& request, const std::string& destDir);

// Where an archive with the template folder targetDir goes below destDir: a
// relative folder below destDir, an absolute one (a drive, a root or network
// path) straight into destDir; "" into destDir. A relative folder that fails
// the name guard raises EUnsafeName naming it.
std::string ExtractFolder(const std::string& destDir, const std::string& targetDir);
// Throws Exception when a part of path below destDir (path included) is a
// symbolic link or junction.
void CheckNoLinkOnTheWay(const std::string& destDir, const std::string& path);

}  // namespace zel
