// The media a setup is laid out for: floppy disks of the four FAT12 formats,
// a CD, or one plain folder. Space is counted as the medium counts it: whole
// clusters per file and one root-folder entry per short name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zel {

struct Medium {
  const char* name;         // as --media takes it: "1.44M", "720K", "cd", "folder"
  const char* description;  // "3.5\" 1.44 MB floppy disk"
  bool floppy;              // one folder (and image) per disk
  int32_t clusterSize;      // bytes per allocation unit
  int64_t clusters;         // clusters for files on an empty disk; 0: no limit
  int rootEntries;          // entries of the root folder; 0: no limit
  const char* mformatSize;  // mformat's -f value for an image; nullptr: no image
};

// Every medium, floppy disks first.
const std::vector<Medium>& Media();
// The medium of that name (any case), or nullptr.
const Medium* FindMedium(const std::string& name);

// Bytes a disk of the medium holds for files; 0 for a folder (no limit).
int64_t Capacity(const Medium& medium);
// Clusters a file of that size takes (an empty file takes none).
int64_t ClustersFor(const Medium& medium, int64_t size);
// Root-folder entries a file name takes: one for a name in 8.3 form whose
// parts are each in one case, otherwise one more per 13 characters of the
// long name.
int RootEntriesFor(const std::string& name);

struct DiskFile {
  std::string name;
  int64_t size;
};
struct DiskSpace {
  bool limited = false;      // false for a folder: no limit, the rest is 0
  int64_t freeBytes = 0;     // whole clusters left; negative when over
  int freeRootEntries = 0;   // negative when over
  bool Fits() const { return !limited || (freeBytes >= 0 && freeRootEntries >= 0); }
};
// What is left on a disk of the medium holding these files (a floppy also
// holds its volume label).
DiskSpace SpaceLeft(const Medium& medium, const std::vector<DiskFile>& files);

// Segment sizes: segment 1 fills what the setup program and the script leave
// of disk 1, the later ones a whole disk; for a folder one segment holds all.
struct SegmentPlan {
  int32_t first;
  int32_t later;
};
// Throws std::invalid_argument when disk 1 has no room for a segment beside
// the setup program and the script.
SegmentPlan PlanSegments(const Medium& medium, int64_t setupExeSize, int64_t scriptSize);

}  // namespace zel
