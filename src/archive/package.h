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
  // Template per archive; missing ones default to the folder's name + "\*.*".
  std::vector<std::string> templates;
  SegmentSetOptions set;
};

// Packs the folders; returns the segment files written. Throws
// std::invalid_argument for an empty or missing folder and the writer's errors.
std::vector<std::string> BuildPackage(const BuildRequest& request);

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

// The archives of the set with their file names (no archive is expanded).
std::vector<ListedArchive> ListPackage(const ReadRequest& request);
// Decodes every entry and tests its checksum without writing any file;
// returns the number of entries verified. Throws the first error met.
int TestPackage(const ReadRequest& request);
// Expands every archive below destDir: an archive with a relative template
// folder goes there below destDir, otherwise straight into destDir. Returns
// the paths written.
std::vector<std::string> ExtractPackage(const ReadRequest& request, const std::string& destDir);

}  // namespace zel
