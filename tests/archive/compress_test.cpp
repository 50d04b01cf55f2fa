#include "archive/compress.h"

#include <gtest/gtest.h>

#include "archive/compress_writer.h"
#include "archive_test_util.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/safe_name.h"

namespace zel {
namespace {

using test::ReadBytes;
using test::ScratchDir;
using test::Text;

constexpr uint32_t kDate = (uint32_t{((2001 - 1980) << 9) | (7 << 5) | 14} << 16) |
                           ((10 << 11) | (30 << 5) | (12 / 2));

// A hand-made entry for headers the writer would never produce.
std::vector<uint8_t> RawEntry(const std::string& name, uint8_t method, const std::vector<uint8_t>& data,
                              uint32_t checksum, int32_t lockFlag = 0, int32_t expanded = -1) {
  format::EntryHeader h;
  h.NameLength = static_cast<int16_t>(name.size());
  h.FileDate = kDate;
  h.ExpandedSize = expanded >= 0 ? expanded : static_cast<int32_t>(data.size());
  h.CompressedSize = static_cast<int32_t>(data.size());
  h.Method = method;
  h.Checksum = checksum;
  h.LockFlag = lockFlag;
  std::vector<uint8_t> out(format::entry_header::kSize);
  h.Write(out.data());
  out.insert(out.end(), name.begin(), name.end());
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

std::vector<uint8_t> RawArchive(int32_t totalSize, const std::vector<std::vector<uint8_t>>& entries,
                                const char* id = "NON") {
  std::vector<uint8_t> out(format::archive_header::kSize, 0);
  std::memcpy(out.data(), format::archive_header::kMagicBytes, 5);
  std::memcpy(out.data() + 5, id, 3);
  format::PutU32(out.data() + 8, static_cast<uint32_t>(totalSize));
  out[12] = 1;
  for (const auto& e : entries) out.insert(out.end(), e.begin(), e.end());
  return out;
}

uint32_t Sum(const std::vector<uint8_t>& d) {
  uint32_t s = 0;
  for (uint8_t b : d) s += b;
  return s;
}

// What the expansion of s raises as damage; "no error" when it ends well.
std::string DamageOf(TCompress& c, TStream& s, TStringList* list = nullptr) {
  try {
    c.ExpandStreamFiles(s, list);
  } catch (const EDamagedArchive& e) {
    return e.what();
  }
  return "no error";
}

TMemoryStream Pack(std::vector<PackEntry> entries, TCompressionMethod method, int32_t key = 0) {
  TMemoryStream out;
  ArchiveWriteOptions options;
  options.method = method;
  options.key = key;
  WriteArchive(out, std::move(entries), options);
  out.Seek(0, SeekOrigin::kBegin);
  return out;
}

std::vector<PackEntry> SampleEntries() {
  std::vector<PackEntry> e(5);
  e[0] = {"readme.txt", "", Text("hello archive"), kDate, fs::kAttrArchive};
  e[1] = {"sub\\big.bin", "", test::SampleData(70000, 3), kDate, fs::kAttrArchive};
  e[2] = {"empty.dat", "", {}, kDate, fs::kAttrArchive};
  e[3] = {"noise.bin", "", test::NoiseData(20000, 9), kDate, fs::kAttrReadOnly};
  e[4] = {"sub\\deeper\\last.txt", "", test::SampleData(9000, 4), kDate, fs::kAttrArchive};
  return e;
}

class MethodRoundTrip : public ::testing::TestWithParam<TCompressionMethod> {};

TEST_P(MethodRoundTrip, ReproducesBytesDatesAndAttributes) {
  ScratchDir dir;
  const auto entries = SampleEntries();
  TMemoryStream archive = Pack(entries, GetParam());
  TCompress c;
  c.SetTargetPath(dir.Path());
  c.MakeDirectories = true;
  c.CheckSpaceBeforeExpand = true;
  TStringList names;
  c.ListStreamContents(archive, names);
  ASSERT_EQ(names.Count(), 5);
  EXPECT_EQ(names[0], "empty.dat");  // empty files are written first
  bool sawNone = false;
  for (int i = 0; i < names.Count(); ++i) {
    auto* info = static_cast<TCompressedFileInfo*>(names.Object(i));
    if (names[i] == "noise.bin") {
      EXPECT_EQ(info->Method, coNone);  // incompressible
    }
    sawNone |= info->Method == coNone;
    EXPECT_FALSE(info->Locked);
  }
  EXPECT_TRUE(sawNone);
  FreeListObjects(names);
  archive.Seek(0, SeekOrigin::kBegin);
  c.ExpandStreamFiles(archive, nullptr);
  for (const PackEntry& e : entries) {
    const std::string path = dir / e.storedName;
    ASSERT_TRUE(fs::FileExists(path)) << path;
    EXPECT_EQ(ReadBytes(path), e.data) << e.storedName;
    EXPECT_EQ(fs::FileDosDateTime(path), kDate) << e.storedName;
    EXPECT_EQ((fs::GetAttributes(path) & fs::kAttrReadOnly) != 0,
              (e.attributes & fs::kAttrReadOnly) != 0);
  }
}

INSTANTIATE_TEST_SUITE_P(AllMethods, MethodRoundTrip, ::testing::Values(coNone, coRLE, coLZH, coLZH5),
                         [](const auto& info) { return std::string(MethodId(info.param)); });

TEST(CompressHeader, RejectsBadMagicTypeAndMethod) {
  TCompress c;
  auto bad = RawArchive(0, {});
  bad[4] = 0x1B;
  TMemoryStream s1(bad);
  try {
    c.ExpandStreamFiles(s1, nullptr);
    FAIL();
  } catch (const EInvalidHeader& e) {
    EXPECT_STREQ(e.what(), "Can't recognize compressed file header");
  }
  auto multi = RawArchive(0, {});
  multi[12] = 2;
  TMemoryStream s2(multi);
  try {
    c.ExpandStreamFiles(s2, nullptr);
    FAIL();
  } catch (const EInvalidHeaderArchiveType& e) {
    EXPECT_STREQ(e.what(), "Archive type must be caMulti");
  }
  TMemoryStream s3(RawArchive(0, {}, "lzh"));
  try {
    c.ExpandStreamFiles(s3, nullptr);
    FAIL();
  } catch (const EUnrecognizedCompressionMethod& e) {
    EXPECT_STREQ(e.what(), "Unrecognized compression method: \"lzh\" in header");
  }
  c.OnRecognize = [](const std::string& id, bool& ok) { ok = id == "lzh"; };
  TMemoryStream s4(RawArchive(0, {}, "lzh"));
  EXPECT_NO_THROW(c.ExpandStreamFiles(s4, nullptr));
  EXPECT_EQ(c.RecognizeMethod("lzh"), coCustom);
}

TEST(CompressHeader, ShortStreamsAreEmptyArchives) {
  TCompress c;
  TMemoryStream twenty(std::vector<uint8_t>(20, 'x'));
  EXPECT_NO_THROW(c.ExpandStreamFiles(twenty, nullptr));
  TMemoryStream fortyFive(std::vector<uint8_t>(45, 'x'));
  TStringList list;
  EXPECT_NO_THROW(c.ListStreamContents(fortyFive, list));
  EXPECT_EQ(list.Count(), 0);
}

TEST(CompressHeader, NegativeLengthsAreRejected) {
  TCompress c;
  auto raw = RawArchive(1, {RawEntry("a", coNone, Text("x"), 0)});
  format::PutU16(raw.data() + 21, 0x8000);
  TMemoryStream s(raw);
  EXPECT_THROW(c.ExpandStreamFiles(s, nullptr), EInvalidHeader);
  auto raw2 = RawArchive(1, {RawEntry("a", coNone, Text("x"), 0)});
  format::PutU32(raw2.data() + 21 + 12, 0xFFFFFFF0u);
  TMemoryStream s2(raw2);
  TStringList list;
  EXPECT_THROW(c.ListStreamContents(s2, list), EInvalidHeader);
}

TEST(CompressHeader, EntryAboveMaxEntrySizeIsRefusedBeforeWriting) {
  ScratchDir dir;
  TMemoryStream s(RawArchive(5000, {RawEntry("huge", coLZH5, Text("xx"), 0, 0, 5000)}));
  TCompress c;
  c.SetTargetPath(dir.Path());
  c.MaxEntrySize = 4999;
  EXPECT_THROW(c.ExpandStreamFiles(s, nullptr), EInvalidHeader);
  EXPECT_FALSE(fs::FileExists(dir / "huge"));
}

TEST(CompressExpand, NameListAndTargetPath) {
  ScratchDir dir;
  std::vector<PackEntry> entries = {{"A.txt", "", Text("a"), kDate, 0},
                                    {"b.txt", "", Text("bb"), kDate, 0},
                                    {"sub/c.txt", "", Text("c"), kDate, 0}};
  TMemoryStream archive = Pack(entries, coNone);
  TCompress c;
  c.MakeDirectories = true;
  c.SetTargetPath(dir.Path());
  EXPECT_EQ(c.TargetPath(), dir.Path() + "\\");
  TStringList wanted;
  wanted.Add("a.TXT");
  wanted.Add("SUB/c.txt");
  c.ExpandStreamFiles(archive, &wanted);
  ASSERT_EQ(wanted.Count(), 2);
  EXPECT_EQ(wanted[0], dir / "A.txt");
  EXPECT_EQ(wanted[1], dir / "sub\\c.txt");  // either separator becomes a backslash
  EXPECT_FALSE(fs::FileExists(dir / "b.txt"));
  EXPECT_EQ(ReadBytes(dir / "sub\\c.txt"), Text("c"));
}

// Stored names that would leave TargetPath or open a device are an error of
// the package naming the entry; nothing of the archive is written.
TEST(CompressExpand, UnsafeNamesAreRefusedBeforeAnythingIsWritten) {
  const std::vector<std::string> names = {"../win.ini", "..\\win.ini", "../../../evil.txt", "q2/../../../../evil.txt",
                                          "\\abs.txt", "/abs.txt", "C:\\x.txt", "\\\\server\\x.txt", "a:b", "COM2.txt",
                                          "AUX", "NUL", "LPT1", "CON", "", std::string(300, 'a'), "dir\\..\\x"};
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    ScratchDir outer;
    const std::string target = outer / "a\\b\\c";
    fs::ForceDirectories(target);
    TMemoryStream archive(RawArchive(1, {RawEntry("first.txt", coNone, Text("1"), Sum(Text("1"))),
                                         RawEntry(name, coNone, {}, 0)}));
    TCompress c;
    c.SetTargetPath(target);
    for (bool testOnly : {false, true}) {
      archive.Seek(0, SeekOrigin::kBegin);
      c.TestOnly = testOnly;
      try {
        c.ExpandStreamFiles(archive, nullptr);
        FAIL() << "no error";
      } catch (const EUnsafeName& e) {
        EXPECT_EQ(std::string(e.what()).rfind("damaged or unsafe package: \"" + name + "\" ", 0), 0u) << e.what();
      }
    }
    // Only the entry before the bad one arrived, where it belongs.
    int files = 0;
    for (const std::string& dir : {outer.Path(), outer / "a", outer / "a\\b", target})
      for (const auto& e : fs::FindFiles(dir + "\\*"))
        files += !(e.attributes & fs::kAttrDirectory);
    EXPECT_EQ(files, 1);
    EXPECT_TRUE(fs::FileExists(target + "\\first.txt"));
  }
}

TEST(CompressExpand, CheckFileRenamesSkipsAndStops) {
  ScratchDir dir;
  std::vector<PackEntry> entries = {{"one", "", Text("1"), kDate, 0},
                                    {"two", "", Text("22"), kDate, 0},
                                    {"three", "", Text("333"), kDate, 0},
                                    {"four", "", Text("4444"), kDate, 0}};
  TMemoryStream archive = Pack(entries, coRLE);
  TCompress c;
  c.SetTargetPath(dir.Path());
  std::vector<std::string> seen;
  c.OnCheckFile = [&](std::string& path, TCProcessMode mode) {
    EXPECT_EQ(mode, cpExpand);
    seen.push_back(path);
    if (path == dir / "one") path = dir / "renamed";
    else if (path == dir / "two") path.clear();
    else if (path == dir / "four") path = "*";
  };
  TStringList list;
  list.Add("one");
  list.Add("two");
  list.Add("three");
  list.Add("four");
  c.ExpandStreamFiles(archive, &list);
  EXPECT_EQ(seen.size(), 4u);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list[0], dir / "renamed");
  EXPECT_EQ(list[1], dir / "three");
  EXPECT_EQ(ReadBytes(dir / "three"), Text("333"));
  EXPECT_FALSE(fs::FileExists(dir / "two"));
  EXPECT_FALSE(fs::FileExists(dir / "four"));
}

TEST(CompressExpand, EmptyEntriesBeyondTotalSizeStillArrive) {
  ScratchDir dir;
  // Empty entries after the last non-empty one, as an older writer stored them.
  TMemoryStream s(RawArchive(3, {RawEntry("data", coNone, Text("abc"), Sum(Text("abc"))),
                                 RawEntry("empty1", coNone, {}, 0), RawEntry("empty2", coNone, {}, 0)}));
  TCompress c;
  c.SetTargetPath(dir.Path());
  c.ExpandStreamFiles(s, nullptr);
  EXPECT_TRUE(fs::FileExists(dir / "empty1"));
  EXPECT_TRUE(fs::FileExists(dir / "empty2"));
  // An archive of only empty files (TotalSize 0).
  TMemoryStream onlyEmpty = Pack({{"e", "", {}, kDate, 0}}, coLZH5);
  c.ExpandStreamFiles(onlyEmpty, nullptr);
  EXPECT_EQ(fs::FileSize(dir / "e"), 0);
}

TEST(CompressExpand, DataBeyondTotalSizeIsDamage) {
  ScratchDir dir;
  TMemoryStream beyond(RawArchive(1, {RawEntry("x", coNone, Text("x"), Sum(Text("x"))),
                                      RawEntry("y", coNone, Text("y"), Sum(Text("y")))}));
  TCompress c;
  c.SetTargetPath(dir.Path());
  EXPECT_EQ(DamageOf(c, beyond),
            "damaged or unsafe package: \"y\" lies beyond the total size of its archive");
  EXPECT_FALSE(fs::FileExists(dir / "y"));
}

TEST(CompressExpand, UnknownMethodDataIsSkipped) {
  ScratchDir dir;
  TMemoryStream s(RawArchive(3, {RawEntry("odd", 9, Text("zzz"), 0, 0, 0),
                                 RawEntry("custom", coCustom, Text("qqq"), 0, 0, 0),
                                 RawEntry("next", coNone, Text("abc"), Sum(Text("abc")))}));
  TCompress c;
  c.SetTargetPath(dir.Path());
  c.ExpandStreamFiles(s, nullptr);
  EXPECT_EQ(fs::FileSize(dir / "odd"), 0);
  EXPECT_EQ(fs::FileSize(dir / "custom"), 0);
  EXPECT_EQ(ReadBytes(dir / "next"), Text("abc"));
  // A method that cannot give the bytes its header promises fails, even
  // where the sum of nothing matches the stored checksum.
  TMemoryStream promised(RawArchive(3, {RawEntry("odd", 9, Text("zzz"), 0)}));
  EXPECT_EQ(DamageOf(c, promised),
            "damaged or unsafe package: \"odd\" expands to fewer than the 3 bytes its header gives");
}

TEST(CompressExpand, CustomMethodRunsOnExpandAndIsChecked) {
  ScratchDir dir;
  TMemoryStream s(RawArchive(3, {RawEntry("c", coCustom, Text("xyz"), Sum(Text("XYZ")))}, "ABC"));
  TCompress c;
  c.SetTargetPath(dir.Path());
  c.OnRecognize = [](const std::string&, bool& ok) { ok = true; };
  c.OnExpand = [](TStream& dest, TStream& source, int32_t srcSize, int32_t destSize,
                  const std::string& id, int32_t& checksum) {
    EXPECT_EQ(id, "ABC");
    EXPECT_EQ(destSize, 3);
    std::vector<uint8_t> buf(static_cast<size_t>(srcSize));
    source.ReadBuffer(buf.data(), srcSize);
    for (auto& b : buf) b = static_cast<uint8_t>(b - 32);
    dest.WriteBuffer(buf.data(), srcSize);
    checksum = static_cast<int32_t>(Sum(buf));
  };
  c.ExpandStreamFiles(s, nullptr);
  EXPECT_EQ(ReadBytes(dir / "c"), Text("XYZ"));
  TMemoryStream noHandler(RawArchive(3, {RawEntry("d", coCustom, Text("xyz"), 5)}));
  c.OnExpand = nullptr;
  EXPECT_THROW(c.ExpandStreamFiles(noHandler, nullptr), EBadChecksum);
  EXPECT_EQ(fs::FileSize(dir / "d"), 0);
}

TEST(CompressKey, LockedEntriesNeedTheRightKey) {
  const std::vector<PackEntry> entries = {{"secret.txt", "", test::SampleData(30000, 1), kDate, 0},
                                          {"noise", "", test::NoiseData(500, 2), kDate, 0}};
  for (TCompressionMethod method : {coRLE, coLZH, coLZH5}) {
    SCOPED_TRACE(MethodId(method));
    TMemoryStream archive = Pack(entries, method, 0x1234567);
    TStringList list;
    TCompress c;
    c.ListStreamContents(archive, list);
    ASSERT_EQ(list.Count(), 2);
    auto* info = static_cast<TCompressedFileInfo*>(list.Object(0));
    EXPECT_TRUE(info->Locked);
    EXPECT_EQ(info->Checksum, Sum(entries[0].data) + 0x1234567u);
    FreeListObjects(list);
    // Scrambled on disk: the plain text must not be visible.
    const auto& bytes = archive.Data();
    EXPECT_EQ(std::search(bytes.begin(), bytes.end(), entries[0].data.begin(),
                          entries[0].data.begin() + 16), bytes.end());

    ScratchDir dir;
    c.SetTargetPath(dir.Path());
    for (int32_t key : {0, 0x1234568}) {
      archive.Seek(0, SeekOrigin::kBegin);
      c.Key = key;
      try {
        c.ExpandStreamFiles(archive, nullptr);
        FAIL() << "key " << key;
      } catch (const EInvalidKey& e) {
        EXPECT_STREQ(e.what(), "File locked -- valid key required");
      }
      EXPECT_FALSE(fs::FileExists(dir / "secret.txt"));  // deleted after EInvalidKey
    }
    archive.Seek(0, SeekOrigin::kBegin);
    c.Key = 0x1234567;
    c.ExpandStreamFiles(archive, nullptr);
    EXPECT_EQ(ReadBytes(dir / "secret.txt"), entries[0].data);
    EXPECT_EQ(ReadBytes(dir / "noise"), entries[1].data);
  }
}

TEST(CompressKey, StoredEntriesAreCheckedLikeOthers) {
  ScratchDir dir;
  TCompress c;
  c.SetTargetPath(dir.Path());
  // Locked stored data: its checksum holds the key too.
  TMemoryStream locked(RawArchive(2, {RawEntry("n", coNone, Text("ab"), Sum(Text("ab")) + 77, 1)}));
  EXPECT_THROW(c.ExpandStreamFiles(locked, nullptr), EInvalidKey);
  EXPECT_FALSE(fs::FileExists(dir / "n"));
  locked.Seek(0, SeekOrigin::kBegin);
  c.Key = 77;
  c.ExpandStreamFiles(locked, nullptr);
  EXPECT_EQ(ReadBytes(dir / "n"), Text("ab"));
  // A flipped byte in open stored data.
  c.Key = 0;
  TMemoryStream flipped(RawArchive(2, {RawEntry("f", coNone, Text("aC"), Sum(Text("ab")))}));
  EXPECT_THROW(c.ExpandStreamFiles(flipped, nullptr), EBadChecksum);
  // Stored data must be exactly as long as the file.
  TMemoryStream longer(RawArchive(5, {RawEntry("l", coNone, Text("abc"), Sum(Text("abc")), 0, 5)}));
  EXPECT_EQ(DamageOf(c, longer),
            "damaged or unsafe package: \"l\" is stored in a size other than the 5 bytes its header gives");
}

// An entry may not give more than its header says: the output is cut off
// there with an error, so no entry grows past the room checked for it.
TEST(CompressExpand, EntryGivingMoreThanItsSizeIsStopped) {
  ScratchDir dir;
  const std::vector<uint8_t> data(50000, 'a');
  TMemoryStream packed = Pack({{"big", "", data, kDate, 0}}, coRLE);
  auto bytes = packed.Data();
  format::PutU32(bytes.data() + 8, 20);                  // TotalSize
  format::PutU32(bytes.data() + 21 + 8, 20);             // ExpandedSize
  TMemoryStream s(bytes);
  TCompress c;
  c.SetTargetPath(dir.Path());
  EXPECT_EQ(DamageOf(c, s),
            "damaged or unsafe package: \"big\" expands to more than the 20 bytes its header gives");
  EXPECT_LE(fs::FileSize(dir / "big"), 20);
  // A custom method is held to the same size.
  TMemoryStream custom(RawArchive(2, {RawEntry("c", coCustom, Text("xyz"), 0, 0, 2)}, "ABC"));
  c.OnRecognize = [](const std::string&, bool& ok) { ok = true; };
  c.OnExpand = [](TStream& dest, TStream& source, int32_t srcSize, int32_t, const std::string&, int32_t&) {
    std::vector<uint8_t> buf(static_cast<size_t>(srcSize));
    source.ReadBuffer(buf.data(), srcSize);
    dest.WriteBuffer(buf.data(), srcSize);
  };
  EXPECT_THROW(c.ExpandStreamFiles(custom, nullptr), EDamagedArchive);
}

// A compressed entry with no stored data cannot give any bytes: an empty LH5
// stream that claims 500,000,000 bytes ends at once, before writing.
TEST(CompressExpand, EmptyStreamBombEndsAtOnce) {
  ScratchDir dir;
  TMemoryStream s(RawArchive(500000000, {RawEntry("bomb", coLZH5, {}, 0, 0, 500000000)}, "LH5"));
  TCompress c;
  c.SetTargetPath(dir.Path());
  EXPECT_EQ(DamageOf(c, s),
            "damaged or unsafe package: \"bomb\" has no stored data for its 500000000 bytes");
  EXPECT_EQ(fs::FileSize(dir / "bomb"), 0);
}

TEST(CompressExpand, EveryListedNameMustArrive) {
  ScratchDir dir;
  TMemoryStream archive = Pack({{"a", "", Text("a"), kDate, 0}, {"b", "", Text("b"), kDate, 0}}, coNone);
  TCompress c;
  c.SetTargetPath(dir.Path());
  TStringList list;
  list.Add("a");
  list.Add("");  // a blank line names no file
  list.Add("gone.txt");
  list.Add("b");
  EXPECT_EQ(DamageOf(c, archive, &list),
            "damaged or unsafe package: \"gone.txt\" is missing from its archive");
  // With a list, a file that cannot be created ends the expansion.
  TMemoryStream nested = Pack({{"missing\\a", "", Text("a"), kDate, 0}}, coNone);
  TStringList wanted;
  wanted.Add("missing\\a");
  EXPECT_THROW(c.ExpandStreamFiles(nested, &wanted), EFCreateError);
}

TEST(CompressHeader, ExpandedSizeOfTakesTheLargerOfTotalAndEntries) {
  TCompress c;
  TMemoryStream honest = Pack(SampleEntries(), coLZH5);
  EXPECT_EQ(c.ExpandedSizeOf(honest), 13 + 70000 + 20000 + 9000);
  TMemoryStream small(RawArchive(1, {RawEntry("x", coNone, Text("xyz"), 0)}));
  EXPECT_EQ(c.ExpandedSizeOf(small), 3);
  TMemoryStream inflated(RawArchive(2000000000, {RawEntry("x", coNone, Text("xyz"), 0)}));
  EXPECT_EQ(c.ExpandedSizeOf(inflated), 2000000000);
  TMemoryStream empty(std::vector<uint8_t>(10, 0));
  EXPECT_EQ(c.ExpandedSizeOf(empty), 0);
}

TEST(CompressExpand, CorruptUnlockedEntryKeepsPartialFile) {
  ScratchDir dir;
  auto data = test::SampleData(5000, 8);
  TMemoryStream packed = Pack({{"f", "", data, kDate, 0}}, coRLE);
  auto bytes = packed.Data();
  bytes[bytes.size() - 10] ^= 0x55;
  TMemoryStream s(bytes);
  TCompress c;
  c.SetTargetPath(dir.Path());
  try {
    c.ExpandStreamFiles(s, nullptr);
    FAIL();
  } catch (const EBadChecksum& e) {
    EXPECT_STREQ(e.what(), "Bad checksum during expansion -- data may be invalid");
  }
  EXPECT_TRUE(fs::FileExists(dir / "f"));
}

TEST(CompressExpand, UncreatableOutputSkipsOrThrows) {
  ScratchDir dir;
  TMemoryStream archive = Pack({{"missing\\a", "", Text("a"), kDate, 0}, {"b", "", Text("b"), kDate, 0}},
                               coNone);
  TCompress c;
  c.SetTargetPath(dir.Path());
  c.ExpandStreamFiles(archive, nullptr);  // a whole-archive expansion passes over it
  EXPECT_EQ(ReadBytes(dir / "b"), Text("b"));
  archive.Seek(0, SeekOrigin::kBegin);
  c.ExceptionOnFileError = true;
  EXPECT_THROW(c.ExpandStreamFiles(archive, nullptr), EFCreateError);
}

TEST(CompressExpand, TestOnlyVerifiesWithoutWriting) {
  ScratchDir dir;
  TMemoryStream archive = Pack(SampleEntries(), coLZH5);
  TCompress c;
  c.SetTargetPath(dir.Path());
  c.TestOnly = true;
  TStringList list;
  list.Add("readme.txt");
  list.Add("noise.bin");
  c.ExpandStreamFiles(archive, &list);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_FALSE(fs::FileExists(dir / "readme.txt"));
  TStringList all;
  archive.Seek(0, SeekOrigin::kBegin);
  c.ListStreamContents(archive, all);
  const int big = all.IndexOf("sub\\big.bin");
  ASSERT_GE(big, 0);
  auto bytes = archive.Data();
  bytes[static_cast<TCompressedFileInfo*>(all.Object(big))->HeaderOffset + 25 + 11 + 500] ^= 1;
  FreeListObjects(all);
  TMemoryStream bad(bytes);
  EXPECT_ANY_THROW(c.ExpandStreamFiles(bad, nullptr));
}

}  // namespace
}  // namespace zel
