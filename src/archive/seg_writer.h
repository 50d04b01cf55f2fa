// Writes segment sets in the layout TSegCompress reads: numbered segment
// files, each with its identification header, carrying the set header, one
// Scan section per archive and the archives.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/compress_writer.h"

namespace zel {

// 1.44 MB floppy capacity (2,880 sectors of 512 bytes), the default size of a segment file.
constexpr int32_t kFloppySegmentSize = 1457664;
// Stored name of the list file inside each list archive.
extern const char kListFileName[];

struct SegArchiveSpec {
  // Template text: its folder part is where the archive's files expand.
  std::string templateText;
  std::vector<PackEntry> entries;
};

struct SegmentSetOptions {
  std::string outDir;                 // created when missing
  std::string baseName = "disk";
  std::string ext;                    // "": numbered suffixes .001, .002, ...
  int32_t segmentSize = kFloppySegmentSize;  // whole file, header included; at least 16
  // Size of segment 1 when it differs (it shares disk 1 with the setup
  // program); 0: segmentSize.
  int32_t firstSegmentSize = 0;
  bool folderPerDisk = false;         // segment n goes to outDir\disk<n>
  std::string tmpDir;                 // scratch for archives; "" = outDir
  ArchiveWriteOptions archive;
  // Called after each archive is packed: (archives done, archive count).
  std::function<void(int done, int total)> onArchive;
};

// Writes the set; returns the paths of the segment files written, in order.
// A set with SegExt naming needs folderPerDisk when it spans several files.
// Throws std::invalid_argument for unusable options or names (a name ending
// in a space, over 8,191 bytes, more than 65,535 archives or segments) and
// the streams' and codec's errors.
std::vector<std::string> WriteSegmentSet(const std::vector<SegArchiveSpec>& archives,
                                         const SegmentSetOptions& options);

// The files below folder, recursively, with stored names relative to it,
// their dates and attributes; sorted by stored name. A link to a folder is not
// followed (a folder may hold a link to itself or to a parent); it is passed
// to onSkipped with a reason, as is a link that names nothing.
std::vector<PackEntry> CollectFolder(
    const std::string& folder,
    const std::function<void(const std::string& path, const std::string& reason)>& onSkipped = {});

}  // namespace zel
