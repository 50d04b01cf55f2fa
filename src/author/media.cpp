#include "author/media.h"

#include <climits>
#include <stdexcept>

#include "platform/paths.h"

namespace zel {

namespace {

// A 74-minute CD holds 333,000 blocks of 2,048 bytes; 64 of them are left to
// the file system's own records (volume descriptors, path tables, folders).
constexpr int64_t kCdBlocks = 333000 - 64;
// Segment files begin with an 8-byte identification header; a segment
// shorter than this much data is not worth a disk.
constexpr int64_t kSmallestSegment = 8 + 512;

bool OneCase(const std::string& part) {
  return UpperCase(part) == part || LowerCase(part) == part;
}

bool IsShortNameChar(char c) {
  if (static_cast<unsigned char>(c) >= 0x80) return false;
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         std::string("$%'-_@~`!(){}^#&").find(c) != std::string::npos;
}

bool IsShortName(const std::string& name) {
  const size_t dot = name.find('.');
  const std::string base = name.substr(0, dot);
  const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3 || ext.find('.') != std::string::npos) return false;
  if (dot != std::string::npos && ext.empty()) return false;
  for (char c : base + ext)
    if (!IsShortNameChar(c)) return false;
  return OneCase(base) && OneCase(ext);
}

}  // namespace

const std::vector<Medium>& Media() {
  // Cluster and root-folder figures of the standard DOS formats (what
  // mformat -f writes): data sectors = total - boot - 2 FATs - root folder.
  static const std::vector<Medium> kMedia = {
      {"1.44M", "3.5\" 1.44 MB floppy disk", true, 512, 2847, 224, "1440"},
      {"720K", "3.5\" 720 KB floppy disk", true, 1024, 713, 112, "720"},
      {"1.2M", "5.25\" 1.2 MB floppy disk", true, 512, 2371, 224, "1200"},
      {"2.88M", "3.5\" 2.88 MB floppy disk", true, 1024, 2863, 240, "2880"},
      {"cd", "CD (74 minutes, 650 MB)", false, 2048, kCdBlocks, 0, nullptr},
      {"folder", "one folder, no size limit", false, 1, 0, 0, nullptr},
  };
  return kMedia;
}

const Medium* FindMedium(const std::string& name) {
  for (const Medium& m : Media())
    if (SameText(m.name, name)) return &m;
  return nullptr;
}

int64_t Capacity(const Medium& medium) { return medium.clusters * medium.clusterSize; }

int64_t ClustersFor(const Medium& medium, int64_t size) {
  return (size + medium.clusterSize - 1) / medium.clusterSize;
}

int RootEntriesFor(const std::string& name) {
  if (IsShortName(name)) return 1;
  return 1 + static_cast<int>((name.size() + 12) / 13);
}

DiskSpace SpaceLeft(const Medium& medium, const std::vector<DiskFile>& files) {
  DiskSpace space;
  if (medium.clusters == 0) return space;
  space.limited = true;
  int64_t clusters = 0;
  int entries = medium.floppy ? 1 : 0;  // the volume label
  for (const DiskFile& f : files) {
    clusters += ClustersFor(medium, f.size);
    entries += RootEntriesFor(f.name);
  }
  space.freeBytes = (medium.clusters - clusters) * medium.clusterSize;
  space.freeRootEntries = medium.rootEntries > 0 ? medium.rootEntries - entries : 0;
  return space;
}

SegmentPlan PlanSegments(const Medium& medium, int64_t setupExeSize, int64_t scriptSize) {
  if (medium.clusters == 0) return {INT32_MAX, INT32_MAX};
  const DiskSpace space =
      SpaceLeft(medium, {{"install.exe", setupExeSize}, {"install.cfg", scriptSize}, {"disk.001", 0}});
  const int64_t room = space.Fits() ? space.freeBytes : 0;
  if (room < kSmallestSegment)
    throw std::invalid_argument(std::string("install.exe (") + std::to_string(setupExeSize) +
                                " bytes) and install.cfg leave no room for the package on a " + medium.name +
                                " disk");
  const int64_t whole = Capacity(medium);
  return {static_cast<int32_t>(room), static_cast<int32_t>(whole > INT32_MAX ? INT32_MAX : whole)};
}

}  // namespace zel
