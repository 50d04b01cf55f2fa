#include "author/media.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zel {
namespace {

// The bytes mtools' mformat -f leaves free on an empty disk of each format.
TEST(Media, FloppyCapacitiesAreThoseOfTheFormattedDisks) {
  const struct {
    const char* name;
    int64_t bytes;
  } cases[] = {{"1.44M", 1457664}, {"720K", 730112}, {"1.2M", 1213952}, {"2.88M", 2931712}};
  for (const auto& c : cases) {
    const Medium* m = FindMedium(c.name);
    ASSERT_NE(m, nullptr) << c.name;
    EXPECT_TRUE(m->floppy);
    EXPECT_EQ(Capacity(*m), c.bytes) << c.name;
  }
  EXPECT_EQ(FindMedium("720k"), FindMedium("720K"));
  EXPECT_EQ(FindMedium("zip"), nullptr);
  EXPECT_EQ(Capacity(*FindMedium("folder")), 0);
}

TEST(Media, FilesTakeWholeClusters) {
  const Medium& m720 = *FindMedium("720K");  // 1,024-byte clusters
  EXPECT_EQ(ClustersFor(m720, 0), 0);
  EXPECT_EQ(ClustersFor(m720, 1), 1);
  EXPECT_EQ(ClustersFor(m720, 1024), 1);
  EXPECT_EQ(ClustersFor(m720, 1025), 2);
  const DiskSpace space = SpaceLeft(m720, {{"a.txt", 1}, {"b.txt", 1025}, {"empty", 0}});
  EXPECT_EQ(space.freeBytes, (713 - 3) * 1024);
  EXPECT_EQ(space.freeRootEntries, 112 - 4);  // three names and the volume label
}

TEST(Media, LongAndMixedCaseNamesTakeMoreRootEntries) {
  EXPECT_EQ(RootEntriesFor("install.exe"), 1);
  EXPECT_EQ(RootEntriesFor("DISK.001"), 1);
  EXPECT_EQ(RootEntriesFor("Install.exe"), 2);       // mixed case needs a long name
  EXPECT_EQ(RootEntriesFor("uninstaller.exe"), 3);   // 15 characters: two long-name entries
  EXPECT_EQ(RootEntriesFor("a+b.txt"), 2);           // "+" is not a short-name character
}

TEST(Media, RootFolderFullIsNoFit) {
  const Medium& m = *FindMedium("1.44M");
  std::vector<DiskFile> files;
  for (int i = 0; i < 223; ++i) files.push_back({"f" + std::to_string(i) + ".txt", 1});
  EXPECT_TRUE(SpaceLeft(m, files).Fits());  // 223 names and the label: all 224 entries
  files.push_back({"one.txt", 1});
  EXPECT_FALSE(SpaceLeft(m, files).Fits());
  EXPECT_TRUE(SpaceLeft(*FindMedium("folder"), files).Fits());
}

// Disk 1 is filled to its last cluster: segment 1 takes every cluster the
// setup program and the script leave.
TEST(Media, FirstSegmentFillsDiskOne) {
  for (const Medium& m : Media()) {
    if (!m.floppy) continue;
    const SegmentPlan plan = PlanSegments(m, 261632, 1502);
    const int64_t used = ClustersFor(m, 261632) + ClustersFor(m, 1502) + ClustersFor(m, plan.first);
    EXPECT_EQ(used, m.clusters) << m.name;
    EXPECT_EQ(plan.first % m.clusterSize, 0) << m.name;
    EXPECT_EQ(plan.later, Capacity(m)) << m.name;
  }
  EXPECT_EQ(PlanSegments(*FindMedium("1.44M"), 261632, 1502).first, (2847 - 511 - 3) * 512);
  EXPECT_THROW(PlanSegments(*FindMedium("720K"), 730000, 100), std::invalid_argument);
  const SegmentPlan folder = PlanSegments(*FindMedium("folder"), 261632, 1502);
  EXPECT_EQ(folder.first, INT32_MAX);
}

}  // namespace
}  // namespace zel
