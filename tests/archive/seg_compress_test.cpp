#include "archive/seg_compress.h"

#include <gtest/gtest.h>

#include <deque>

#include "archive/seg_writer.h"
#include "archive_test_util.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/safe_name.h"

namespace zel {
namespace {

using test::ReadBytes;
using test::ScratchDir;
using test::Text;

constexpr uint32_t kDate = (uint32_t{((1999 - 1980) << 9) | (12 << 5) | 31} << 16) | ((23 << 11) | (59 << 5));

// Answers prompts from a script; records what was asked.
class ScriptedPrompter : public SegPrompter {
 public:
  std::deque<std::function<bool(std::string&)>> inputs;
  std::deque<std::function<bool()>> retries;
  std::vector<std::string> log;
  bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override {
    log.push_back(caption + "|" + prompt + "|" + value);
    if (inputs.empty()) return false;
    auto next = inputs.front();
    inputs.pop_front();
    return next(value);
  }
  bool RetryBox(const std::string& message) override {
    log.push_back("retry|" + message);
    if (retries.empty()) return false;
    auto next = retries.front();
    retries.pop_front();
    return next();
  }
};

std::vector<PackEntry> Tree(uint32_t seed) {
  std::vector<PackEntry> e(5);
  e[0] = {"app.exe", "", test::SampleData(30000, seed), kDate, fs::kAttrArchive};
  e[1] = {"empty.txt", "", {}, kDate, fs::kAttrArchive};
  e[2] = {"data\\table.bin", "", test::NoiseData(3000, seed), kDate, fs::kAttrReadOnly};
  e[3] = {"data\\zero.bin", "", {}, kDate, fs::kAttrArchive};
  e[4] = {"License.TXT", "", Text("licence text\r\n"), kDate, fs::kAttrArchive};
  return e;
}

struct SetFixture {
  ScratchDir out, tmp, target;
  TSegCompEZ seg;
  SetFixture() {
    seg.SegPopUp = false;
    seg.SetSegDir(out.Path());
    seg.SetSegBaseName("disk");
    seg.SetSegTmpDir(tmp.Path());
  }
  std::vector<std::string> Write(const std::vector<SegArchiveSpec>& specs, int32_t size,
                                 TCompressionMethod method = coLZH5, int32_t key = 0) {
    SegmentSetOptions o;
    o.outDir = out.Path();
    o.segmentSize = size;
    o.archive.method = method;
    o.archive.key = key;
    return WriteSegmentSet(specs, o);
  }
  SegArchiveSpec Spec(const std::string& sub, uint32_t seed) {
    return {target.Path() + "\\" + sub + "\\*.*", Tree(seed)};
  }
  void ExpectTree(const std::string& sub, uint32_t seed) {
    for (const PackEntry& e : Tree(seed)) {
      const std::string path = target.Path() + "\\" + sub + "\\" + e.storedName;
      ASSERT_TRUE(fs::FileExists(path)) << path;
      EXPECT_EQ(ReadBytes(path), e.data) << path;
      EXPECT_EQ(fs::FileDosDateTime(path), kDate) << path;
      EXPECT_EQ((fs::GetAttributes(path) & fs::kAttrReadOnly) != 0, (e.attributes & fs::kAttrReadOnly) != 0);
    }
  }
  // SegTmpDir holds nothing once an expansion ended, however it ended.
  void ExpectTmpEmpty() {
    int files = 0;
    for (const auto& e : fs::FindFiles(tmp.Path() + "\\*"))
      if (e.name != "." && e.name != "..") ++files;
    EXPECT_EQ(files, 0);
  }
};

std::string SegMessage(TSegCompEZ& seg) {
  try {
    seg.ExpandAll();
  } catch (const ESegError& e) {
    return e.what();
  }
  return "no error";
}

class SetRoundTrip : public ::testing::TestWithParam<std::tuple<TCompressionMethod, int32_t, bool>> {};

TEST_P(SetRoundTrip, ReproducesEveryArchive) {
  const auto [method, segSize, inPlace] = GetParam();
  SetFixture f;
  if (inPlace) f.seg.ExpandInPlace = ExpandArchiveInPlace;
  const auto paths = f.Write({f.Spec("one", 1), f.Spec("two", 2)}, segSize, method);
  if (segSize >= kFloppySegmentSize) {
    EXPECT_EQ(paths.size(), 1u);
  }
  if (segSize <= 1000) {
    EXPECT_GT(paths.size(), 2u);
  }
  f.seg.ExpandAll();
  f.ExpectTree("one", 1);
  f.ExpectTree("two", 2);
  ASSERT_EQ(f.seg.ArcList().Count(), 2);
  EXPECT_EQ(f.seg.ArcList()[0].FileList.Count(), 5);
  EXPECT_EQ(f.seg.ArcList()[1].FileList[0], f.target.Path() + "\\two\\empty.txt");  // empty files first
  ASSERT_EQ(f.seg.SegSource().Count(), 2);
  EXPECT_EQ(f.seg.SegSource()[1], f.target.Path() + "\\two\\*.*");
  EXPECT_EQ(f.seg.TargetPath(), "");
  EXPECT_TRUE(f.seg.MakeDirectories);
  f.ExpectTmpEmpty();
}

INSTANTIATE_TEST_SUITE_P(MethodsAndSizes, SetRoundTrip,
                         ::testing::Combine(::testing::Values(coNone, coRLE, coLZH, coLZH5),
                                            ::testing::Values(kFloppySegmentSize, 16384, 1000),
                                            ::testing::Bool()));

TEST(SegSet, ManySegmentsNumberedPastOneThousand) {
  SetFixture f;
  SegArchiveSpec spec{f.target.Path() + "\\x\\", {{"a.bin", "", test::NoiseData(12000, 5), kDate, 0}}};
  const auto paths = f.Write({spec}, 18);  // 10 bytes of stream per file
  ASSERT_GT(paths.size(), 1000u);
  EXPECT_EQ(ExtractFileName(paths[999]), "disk.1000");
  EXPECT_EQ(ExtractFileName(paths[11]), "disk.012");
  f.seg.ExpandAll();
  EXPECT_EQ(ReadBytes(f.target.Path() + "\\x\\a.bin"), spec.entries[0].data);
}

TEST(SegSet, RecordsCutAtEveryOffset) {
  SetFixture f;
  const std::vector<SegArchiveSpec> specs = {
      {f.target.Path() + "\\a\\", {{"s.txt", "", Text("small"), kDate, 0}, {"e", "", {}, kDate, 0}}},
      {f.target.Path() + "\\b\\", {{"t.txt", "", Text("tiny"), kDate, 0}}}};
  const auto whole = f.Write(specs, kFloppySegmentSize, coNone);
  const int64_t streamLength = fs::FileSize(whole[0]) - 8;
  for (int32_t slice = 1; slice <= streamLength; ++slice) {
    SCOPED_TRACE(slice);
    for (const auto& p : f.Write(specs, kFloppySegmentSize, coNone)) fs::DeleteFile(p);
    for (int n = 1; fs::FileExists(f.out / ("disk." + ZeroPad(n, 3))); ++n)
      fs::DeleteFile(f.out / ("disk." + ZeroPad(n, 3)));
    f.Write(specs, slice + 8, coNone);
    test::RemoveTree(f.target.Path());
    f.seg.ExpandAll();
    ASSERT_EQ(ReadBytes(f.target.Path() + "\\a\\s.txt"), Text("small"));
    ASSERT_TRUE(fs::FileExists(f.target.Path() + "\\a\\e"));
    ASSERT_EQ(ReadBytes(f.target.Path() + "\\b\\t.txt"), Text("tiny"));
  }
}

TEST(SegSet, LockedSetNeedsItsKey) {
  SetFixture f;
  f.Write({f.Spec("k", 7)}, 16384, coLZH5, 4711);
  EXPECT_THROW(f.seg.ExpandAll(), EInvalidKey);
  f.ExpectTmpEmpty();
  f.seg.Key = 4712;
  EXPECT_THROW(f.seg.ExpandAll(), EInvalidKey);
  f.seg.Key = 4711;
  f.seg.ExpandAll();
  f.ExpectTree("k", 7);
}

TEST(SegSet, SameNamedSegmentsOnePerDiskViaMountPrompt) {
  SetFixture f;
  SegmentSetOptions o;
  o.outDir = f.out.Path();
  o.ext = "zel";
  o.folderPerDisk = true;
  o.segmentSize = 2000;
  const auto paths = WriteSegmentSet({f.Spec("m", 3)}, o);
  ASSERT_GT(paths.size(), 2u);
  ScriptedPrompter prompter;
  for (size_t n = 1; n <= paths.size(); ++n) {
    if (n == 1) prompter.inputs.push_back([](std::string& v) { v.clear(); return true; });  // asked again
    prompter.inputs.push_back([&, n](std::string& v) { v = f.out / ("disk" + std::to_string(n)); return true; });
  }
  f.seg.SetSegExt("zelx");
  EXPECT_EQ(f.seg.SegExt(), "zel");
  f.seg.SegPopUp = true;
  // Disk by disk, each archive is copied whole first however it is asked:
  // every disk is asked for once, in order.
  f.seg.ExpandInPlace = ExpandArchiveInPlace;
  f.seg.Prompter = &prompter;
  f.seg.ExpandAll();
  f.ExpectTree("m", 3);
  ASSERT_EQ(prompter.log.size(), paths.size() + 1);
  EXPECT_TRUE(prompter.inputs.empty());
  EXPECT_EQ(prompter.log[0], "Mount Segment #1|Directory Path:|" + f.out.Path());
  EXPECT_EQ(prompter.log[1], prompter.log[0]);
  EXPECT_EQ(prompter.log[2].substr(0, 17), "Mount Segment #2|");
  // Cancel at the prompt aborts before OnSegBefore.
  bool before = false;
  f.seg.OnSegBefore = [&](TSegMode, const std::string&, uint16_t) { before = true; };
  EXPECT_EQ(SegMessage(f.seg), "(TSegCompress) Operation aborted by user");
  EXPECT_FALSE(before);
}

TEST(SegSet, EventOrderOverTwoSegmentsAndTwoArchives) {
  SetFixture f;
  const std::vector<SegArchiveSpec> specs = {
      {f.target.Path() + "\\a\\t0", {{"x.txt", "", Text("xx"), kDate, 0}}},
      {f.target.Path() + "\\b\\t1", {{"y.txt", "", test::SampleData(20000, 1), kDate, 0}}}};
  const auto paths = f.Write(specs, 200, coNone);
  // Rewrite as exactly two files: the Scan sections end in segment 1.
  for (const auto& p : paths) fs::DeleteFile(p);
  const int32_t firstSize = 180;
  ASSERT_EQ(f.Write(specs, firstSize + 20000, coNone).size(), 2u);
  std::vector<std::string> events;
  auto& s = f.seg;
  s.OnSegBefore = [&](TSegMode m, const std::string& n, uint16_t k) {
    events.push_back("before " + n + " " + std::to_string(k) + " " + std::to_string(m));
  };
  s.OnSegAfter = [&](TSegMode, const std::string& n, uint16_t k) { events.push_back("after " + n + " " + std::to_string(k)); };
  s.OnSegBeforeExpand = [&](TSegArcList& l) { events.push_back("beforeExpand " + std::to_string(l.Count())); };
  s.OnSegShowProgress = [&](int32_t p) {
    if (events.back().rfind("progress", 0) != 0) events.push_back("progress");
    if (p == 100) events.push_back("100");
  };
  s.OnCheckFile = [&](std::string& p, TCProcessMode) { events.push_back("check " + ExtractFileName(p)); };
  s.OnSegAfterArchive = [&](TSegArcHeader& h, const std::string& t) {
    events.push_back("archive " + std::to_string(h.Sequence()) + " " + ExtractFileName(t));
  };
  s.ExpandAll();
  const std::vector<std::string> expected = {
      "before disk.001 1 1", "beforeExpand 2", "progress", "100", "check x.txt", "archive 0 t0",
      "progress", "after disk.001 1", "before disk.002 2 1", "progress", "100", "check y.txt",
      "archive 1 t1"};
  EXPECT_EQ(events, expected);
  // Read in place, an archive comes in blocks of 64 KiB, each with its
  // progress, and walking ahead for the room check brings no early segment
  // event: disk.002 comes when the block of archive 1 reaches it.
  events.clear();
  s.ExpandInPlace = ExpandArchiveInPlace;
  s.ExpandAll();
  const std::vector<std::string> inPlace = {
      "before disk.001 1 1", "beforeExpand 2", "progress", "100", "check x.txt", "archive 0 t0",
      "after disk.001 1", "before disk.002 2 1", "progress", "100", "check y.txt", "archive 1 t1"};
  EXPECT_EQ(events, inPlace);
}

TEST(SegSet, ProgressOfA20000ByteArchive) {
  SetFixture f;
  // 21 + 25 + 1 + 19953 = 20000 bytes of archive.
  f.Write({{f.target.Path() + "\\", {{"p", "", test::NoiseData(19953, 2), kDate, 0}}}}, kFloppySegmentSize,
          coNone);
  std::vector<int32_t> seen;
  f.seg.OnSegShowProgress = [&](int32_t p) { seen.push_back(p); };
  f.seg.ExpandAll();
  EXPECT_EQ(seen, (std::vector<int32_t>{40, 81, 100}));
}

class SegSetBothWays : public ::testing::TestWithParam<bool> {};
INSTANTIATE_TEST_SUITE_P(CopiedAndInPlace, SegSetBothWays, ::testing::Bool());

TEST_P(SegSetBothWays, RemovingArchiveZeroSkipsItsBytes) {
  SetFixture f;
  if (GetParam()) f.seg.ExpandInPlace = ExpandArchiveInPlace;
  f.Write({f.Spec("zero", 1), f.Spec("one", 2)}, 9000);
  f.seg.OnSegBeforeExpand = [](TSegArcList& l) { l.Delete(0); };
  f.seg.ExpandAll();
  EXPECT_FALSE(fs::DirectoryExists(f.target.Path() + "\\zero"));
  f.ExpectTree("one", 2);
  ASSERT_EQ(f.seg.SegSource().Count(), 1);
  EXPECT_EQ(f.seg.SegSource()[0], f.target.Path() + "\\one\\*.*");
  // Archive 0 wanted twice: the second time the reader meets archive 1.
  f.seg.OnSegBeforeExpand = [](TSegArcList& l) { l[1].Sequence = 0; };
  EXPECT_EQ(SegMessage(f.seg), "(TSegCompress) Invalid Archive sequence number");
  f.ExpectTmpEmpty();
}

// In place, no archive is copied to the scratch folder (only the small list
// archives are), and a stop asked in the middle of an archive passes over
// the rest of it: the next archive is read from where it starts.
TEST(SegSet, InPlaceMakesNoArchiveCopy) {
  SetFixture f;
  ASSERT_GE(f.Write({f.Spec("a", 1), f.Spec("b", 2)}, 5000, coLZH5).size(), 4u);
  f.seg.ExpandInPlace = ExpandArchiveInPlace;
  int checked = 0, copies = 0;
  f.seg.OnCheckFile = [&](std::string& path, TCProcessMode) {
    for (const auto& e : fs::FindFiles(f.tmp.Path() + "\\*"))
      if (e.name != "." && e.name != "..") ++copies;
    // Archive "a" stops after its second file.
    if (path.find("\\a\\") != std::string::npos && ++checked > 2) path = "*";
  };
  f.seg.ExpandAll();
  EXPECT_EQ(copies, 0);
  EXPECT_EQ(checked, 3);
  f.ExpectTree("b", 2);
  ASSERT_EQ(f.seg.ArcList()[0].FileList.Count(), 2);
  f.ExpectTmpEmpty();
}

TEST_P(SegSetBothWays, MissingAndWrongSegmentsAreRetried) {
  SetFixture f;
  if (GetParam()) f.seg.ExpandInPlace = ExpandArchiveInPlace;
  const auto paths = f.Write({f.Spec("r", 4)}, 9000, coNone);
  ASSERT_GE(paths.size(), 3u);
  const std::string hidden = f.out / "away";
  ScriptedPrompter prompter;
  f.seg.Prompter = &prompter;
  int befores = 0;
  f.seg.OnSegBefore = [&](TSegMode, const std::string&, uint16_t n) { befores += n == 2; };
  // Segment 2 missing: OK after putting it back.
  fs::RenameFile(paths[1], hidden);
  prompter.retries.push_back([&] { return fs::RenameFile(hidden, paths[1]); });
  f.seg.ExpandAll();
  f.ExpectTree("r", 4);
  // Copied, the event comes again after the retry; in place the retry comes
  // while the room check walks ahead, which brings no events.
  EXPECT_EQ(befores, GetParam() ? 1 : 2);
  ASSERT_EQ(prompter.log.size(), 1u);
  EXPECT_EQ(prompter.log[0],
            "retry|Unable to locate \"disk.002\" on this segment!\n\rCorrect and then press OK, or Cancel to abort");
  // Segment 2 carries the number 3: wrong disk; Cancel aborts.
  fs::RenameFile(paths[1], hidden);
  fs::RenameFile(paths[2], paths[1]);
  prompter.log.clear();
  EXPECT_EQ(SegMessage(f.seg), "(TSegCompress) Operation aborted by user");
  ASSERT_EQ(prompter.log.size(), 1u);
  EXPECT_EQ(prompter.log[0], "retry|Incorrect segmented mounted!\n\rCorrect and then press OK, or Cancel to abort");
  EXPECT_TRUE(f.seg.AbortFlag);
  f.ExpectTmpEmpty();
  // Expanded files of the earlier run stay; a file with no "SSeg" is not retried.
  test::WriteBytes(paths[1], Text("junk"));
  EXPECT_EQ(SegMessage(f.seg), "(TSegCompress) Stream open failed");
}

// A set written by hand, for damage the writer never produces.
struct RawSet {
  std::vector<uint8_t> stream;
  void Add(const std::vector<uint8_t>& b) { stream.insert(stream.end(), b.begin(), b.end()); }
  void Header(const char* id, uint16_t count) {
    std::vector<uint8_t> h(21, 0);
    std::memcpy(h.data(), id, 4);
    format::PutU16(h.data() + 6, count);
    Add(h);
  }
  void Scan(const char* id, uint16_t nameLength, int32_t width, const std::vector<uint8_t>& list,
            const std::string& tmpl) {
    std::vector<uint8_t> r(17, 0);
    std::memcpy(r.data(), id, 4);
    format::PutU16(r.data() + 6, nameLength);
    format::PutU32(r.data() + 9, static_cast<uint32_t>(width));
    format::PutU32(r.data() + 13, static_cast<uint32_t>(list.size()));
    Add(r);
    Add(Text(tmpl));
    Add(list);
  }
  void Arc(const char* id, uint16_t seq, const std::vector<uint8_t>& archive) {
    std::vector<uint8_t> r(16, 0);
    std::memcpy(r.data(), id, 4);
    format::PutU16(r.data() + 6, seq);
    format::PutU32(r.data() + 12, static_cast<uint32_t>(archive.size()));
    Add(r);
    Add(archive);
  }
  void Save(const std::string& path) {
    std::vector<uint8_t> file = {'S', 'S', 'e', 'g', 0, 0, 1, 0};
    file.insert(file.end(), stream.begin(), stream.end());
    test::WriteBytes(path, file);
  }
};

std::vector<uint8_t> ArchiveBytes(std::vector<PackEntry> entries) {
  TMemoryStream s;
  ArchiveWriteOptions o;
  o.method = coNone;
  WriteArchive(s, std::move(entries), o);
  return s.Data();
}

TEST(SegSet, DamagedSetsEndInTheirErrors) {
  const auto list = ArchiveBytes({{"l", "", Text("a.txt   b.txt"), 0, 0}});
  const auto arc = ArchiveBytes({{"a.txt", "", Text("A"), 0, 0}, {"b.txt", "", Text("B"), 0, 0}});
  struct Case {
    const char* name;
    std::function<void(RawSet&)> build;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"set header", [&](RawSet& r) { r.Header("SHdX", 1); }, "(TSegCompress) Invalid Segment Header ID"},
      {"scan id", [&](RawSet& r) { r.Header("SHdr", 1); r.Scan("Sca?", 0, 8, list, ""); },
       "(TSegCompress) Invalid Scan ID Header"},
      {"archive id", [&](RawSet& r) { r.Header("SHdr", 1); r.Scan("Scan", 0, 8, list, ""); r.Arc("SArk", 0, arc); },
       "(TSegCompress) Invalid Archive ID Header"},
      {"sequence", [&](RawSet& r) { r.Header("SHdr", 1); r.Scan("Scan", 0, 8, list, ""); r.Arc("SArc", 1, arc); },
       "(TSegCompress) Invalid Archive sequence number"},
      {"width 0", [&](RawSet& r) { r.Header("SHdr", 1); r.Scan("Scan", 0, 0, list, ""); },
       "(TSegCompress) Invalid Scan record"},
      {"width 8192", [&](RawSet& r) { r.Header("SHdr", 1); r.Scan("Scan", 0, 8192, list, ""); },
       "(TSegCompress) Invalid Scan record"},
      {"name 8192", [&](RawSet& r) { r.Header("SHdr", 1); r.Scan("Scan", 8192, 8, list, ""); },
       "(TSegCompress) Invalid Scan record"},
      {"empty list archive", [&](RawSet& r) { r.Header("SHdr", 1); r.Scan("Scan", 0, 8, {}, ""); },
       "(TSegCompress) List archive holds no list file"},
      {"stream ends", [&](RawSet& r) { r.Header("SHdr", 2); r.Scan("Scan", 0, 8, list, ""); },
       "(TSegCompress) Operation aborted by user"},  // segment 2 is asked for, and cancelled
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetFixture f;
    RawSet raw;
    c.build(raw);
    raw.Save(f.out / "disk.001");
    EXPECT_EQ(SegMessage(f.seg), c.message);
    f.ExpectTmpEmpty();
  }
}

TEST(SegSet, ListRecordsAndTemplateText) {
  SetFixture f;
  RawSet raw;
  raw.Header("SHdr", 1);
  // Records of width 8: a name padded with spaces, one of spaces only, one cut by a zero, a short last one.
  const auto list = ArchiveBytes({{"l", "", Text(std::string("a.txt           b.txt\0zzB.TXT", 29)), 0, 0}});
  const std::string tmpl = f.target.Path() + "\\t\\x" + std::string(1, '\0') + "junk";
  raw.Scan("Scan", static_cast<uint16_t>(tmpl.size()), 8, list, tmpl);
  raw.Arc("SArc", 0, ArchiveBytes({{"a.txt", "", Text("A"), 0, 0}, {"b.txt", "", Text("B"), 0, 0}}));
  raw.Save(f.out / "disk.001");
  f.seg.OnSegBeforeExpand = [&](TSegArcList& l) {
    ASSERT_EQ(l.Count(), 1);
    EXPECT_EQ(l[0].Template, f.target.Path() + "\\t\\x");
    EXPECT_EQ(l[0].TargetDir, f.target.Path() + "\\t\\");
    ASSERT_EQ(l[0].FileList.Count(), 4);
    EXPECT_EQ(l[0].FileList[1], "");
    EXPECT_EQ(l[0].FileList[2], "b.txt");
    EXPECT_EQ(l[0].FileList[3], "B.TXT");
  };
  f.seg.ExpandAll();
  EXPECT_EQ(ReadBytes(f.target.Path() + "\\t\\a.txt"), Text("A"));
  EXPECT_EQ(f.seg.ArcList()[0].FileList.Count(), 2);
}

// List archives come from the package: a name of theirs that would leave the
// scratch folder is an error of the package, and nothing is written for it.
TEST(SegSet, ListArchiveNamesPassTheGuard) {
  ScratchDir victim;
  const std::vector<std::vector<PackEntry>> lists = {
      {{"..\\..\\escape.lst", "", Text("a.txt"), 0, 0}},
      {{"filelist.lst", "", Text("a.txt"), 0, 0}, {victim / "abs.txt", "", Text("x"), 0, 0}},
      {{"filelist.lst", "", Text("a.txt"), 0, 0}, {"c:../drive.txt", "", Text("y"), 0, 0}},
      {{"filelist.lst", "", Text("a.txt"), 0, 0}, {"../../up.txt", "", Text("z"), 0, 0}}};
  for (const auto& entries : lists) {
    SetFixture f;
    RawSet raw;
    raw.Header("SHdr", 1);
    raw.Scan("Scan", 0, 5, ArchiveBytes(entries), "");
    raw.Arc("SArc", 0, ArchiveBytes({{"a.txt", "", Text("A"), 0, 0}}));
    raw.Save(f.out / "disk.001");
    EXPECT_THROW(f.seg.ExpandAll(), EUnsafeName);
    EXPECT_FALSE(fs::FileExists(victim / "abs.txt"));
    EXPECT_FALSE(fs::FileExists(f.tmp.Path() + "\\..\\escape.lst"));
    EXPECT_FALSE(fs::FileExists(ExtractFilePath(f.tmp.Path()) + "drive.txt"));
    EXPECT_FALSE(fs::FileExists(f.tmp.Path() + "\\..\\..\\up.txt"));
    f.ExpectTmpEmpty();
  }
}

// Only the list file is written in the Scan phase, under a name of the
// reader's own: a list archive cannot overwrite the temporary archive.
TEST(SegSet, ScanPhaseWritesOnlyItsListFile) {
  SetFixture f;
  RawSet raw;
  raw.Header("SHdr", 1);
  raw.Scan("Scan", 0, 5, ArchiveBytes({{"disk.$A$", "", Text("a.txt"), 0, 0}, {"extra.txt", "", Text("e"), 0, 0}}), "");
  raw.Arc("SArc", 0, ArchiveBytes({{"a.txt", "", Text("A"), 0, 0}}));
  raw.Save(f.out / "disk.001");
  f.seg.OnSegBeforeExpand = [&](TSegArcList& l) {
    ASSERT_EQ(l[0].FileList.Count(), 1);
    EXPECT_EQ(l[0].FileList[0], "a.txt");
    f.ExpectTmpEmpty();
    l[0].TargetDir = f.target.Path() + "\\";
  };
  f.seg.ExpandAll();
  EXPECT_EQ(ReadBytes(f.target / "a.txt"), Text("A"));
  f.ExpectTmpEmpty();
}

TEST(SegSet, ListNamesPassTheGuard) {
  for (const std::string name : {"../a.txt", "sub\\..\\..\\a.txt", "\\a.txt", "C:a.txt", "nul.txt"}) {
    SCOPED_TRACE(name);
    SetFixture f;
    RawSet raw;
    raw.Header("SHdr", 1);
    raw.Scan("Scan", 0, static_cast<int32_t>(name.size()), ArchiveBytes({{"l", "", Text(name), 0, 0}}), "");
    raw.Arc("SArc", 0, ArchiveBytes({{"a.txt", "", Text("A"), 0, 0}}));
    raw.Save(f.out / "disk.001");
    bool listed = false;
    f.seg.OnSegBeforeExpand = [&](TSegArcList&) { listed = true; };
    try {
      f.seg.ExpandAll();
      FAIL() << "no error";
    } catch (const EUnsafeName& e) {
      EXPECT_EQ(std::string(e.what()).rfind("damaged or unsafe package: \"" + name + "\"", 0), 0u) << e.what();
    }
    EXPECT_FALSE(listed);
    f.ExpectTmpEmpty();
  }
}

TEST_P(SegSetBothWays, EveryListedFileMustArrive) {
  SetFixture f;
  if (GetParam()) f.seg.ExpandInPlace = ExpandArchiveInPlace;
  RawSet raw;
  raw.Header("SHdr", 1);
  raw.Scan("Scan", 0, 5, ArchiveBytes({{"l", "", Text("a.txt" "b.txt"), 0, 0}}), "");
  raw.Arc("SArc", 0, ArchiveBytes({{"a.txt", "", Text("A"), 0, 0}}));
  raw.Save(f.out / "disk.001");
  f.seg.OnSegBeforeExpand = [&](TSegArcList& l) { l[0].TargetDir = f.target.Path() + "\\"; };
  try {
    f.seg.ExpandAll();
    FAIL() << "no error";
  } catch (const EDamagedArchive& e) {
    EXPECT_STREQ(e.what(), "damaged or unsafe package: \"b.txt\" is missing from its archive");
  }
  f.ExpectTmpEmpty();
}

// Each segment file carries the identity of its set; a disk of another set
// that bears the right number is refused like a wrong number.
TEST_P(SegSetBothWays, DiskOfAnotherSetIsRetried) {
  SetFixture f;
  if (GetParam()) f.seg.ExpandInPlace = ExpandArchiveInPlace;
  ScratchDir other;
  const auto mine = f.Write({f.Spec("v", 1)}, 9000, coNone);
  SegmentSetOptions o;
  o.outDir = other.Path();
  o.segmentSize = 9000;
  o.archive.method = coNone;
  const auto theirs = WriteSegmentSet({f.Spec("v", 2)}, o);  // same names, other data
  ASSERT_GE(mine.size(), 2u);
  ASSERT_EQ(mine.size(), theirs.size());
  const auto own = ReadBytes(mine[1]);
  EXPECT_EQ(own[4] | own[5] << 8, ReadBytes(mine[0])[4] | ReadBytes(mine[0])[5] << 8);
  EXPECT_NE(own[4] | own[5] << 8, 0);
  test::WriteBytes(mine[1], ReadBytes(theirs[1]));
  ScriptedPrompter prompter;
  f.seg.Prompter = &prompter;
  prompter.retries.push_back([&] { test::WriteBytes(mine[1], own); return true; });
  f.seg.ExpandAll();
  f.ExpectTree("v", 1);
  ASSERT_EQ(prompter.log.size(), 1u);
  EXPECT_EQ(prompter.log[0], "retry|Incorrect segmented mounted!\n\rCorrect and then press OK, or Cancel to abort");
  // Sets written without an identity are read as before.
  test::RemoveTree(f.target.Path());
  for (const auto& path : mine) {
    auto bytes = ReadBytes(path);
    bytes[4] = bytes[5] = 0;
    test::WriteBytes(path, bytes);
  }
  prompter.log.clear();
  f.seg.ExpandAll();
  f.ExpectTree("v", 1);
  EXPECT_TRUE(prompter.log.empty());
}

// A segment reader whose drive has a given amount of room.
class RoomyReader : public TSegCompEZ {
 public:
  int64_t free = 0;
  std::string asked;

 protected:
  int64_t FreeSpaceOf(const std::string& folder) override {
    asked = folder;
    return free;
  }
};

// In place, the room check walks the archive across its segments and the
// expansion then starts again from the first of them.
TEST_P(SegSetBothWays, RoomForEachArchiveIsCheckedFirst) {
  SetFixture f;
  ASSERT_GE(f.Write({f.Spec("room", 1)}, GetParam() ? 1000 : kFloppySegmentSize, coLZH5).size(),
            GetParam() ? 3u : 1u);
  RoomyReader seg;
  if (GetParam()) seg.ExpandInPlace = ExpandArchiveInPlace;
  seg.SegPopUp = false;
  seg.SetSegDir(f.out.Path());
  seg.SetSegBaseName("disk");
  seg.SetSegTmpDir(f.tmp.Path());
  seg.RoomFolder = "C:\\Target\\Room";
  seg.free = 33013;  // one byte short of the 33014 the archive expands to
  try {
    seg.ExpandAll();
    FAIL() << "no error";
  } catch (const EInsufficientDiskSpace& e) {
    EXPECT_STREQ(e.what(), "Not enough disk space on C: to expand the package: 33,014 bytes needed, 33,013 bytes free");
  }
  EXPECT_EQ(seg.asked, "C:\\Target\\Room");
  EXPECT_FALSE(fs::DirectoryExists(f.target / "room"));
  f.ExpectTmpEmpty();
  // Exactly enough.
  seg.free = 33014;
  seg.ExpandAll();
  f.ExpectTree("room", 1);
  // Verifying writes nothing and needs no room.
  seg.free = 0;
  seg.TestOnly = true;
  seg.ExpandAll();
}

// In place, the expansion goes back to the disk the archive starts on once
// the room is checked: a disk of another set put there meanwhile is refused
// before anything is written.
TEST(SegSet, InPlaceGoesBackOnlyToTheSameDisk) {
  class SwappingReader : public TSegCompEZ {
   public:
    std::function<void()> swap;

   protected:
    int64_t FreeSpaceOf(const std::string&) override {
      swap();
      return -1;
    }
  };
  SetFixture f;
  const auto paths = f.Write({f.Spec("same", 1)}, 1000, coLZH5);
  ASSERT_GE(paths.size(), 3u);
  SwappingReader seg;
  seg.ExpandInPlace = ExpandArchiveInPlace;
  seg.SegPopUp = false;
  seg.SetSegDir(f.out.Path());
  seg.SetSegBaseName("disk");
  seg.SetSegTmpDir(f.tmp.Path());
  seg.swap = [&] {
    for (const auto& path : paths) {
      auto bytes = ReadBytes(path);
      bytes[4] ^= 0x5A;  // the set's identity
      test::WriteBytes(path, bytes);
    }
  };
  try {
    seg.ExpandAll();
    FAIL() << "no error";
  } catch (const ESegError& e) {
    EXPECT_STREQ(e.what(), "(TSegCompress) Stream read failed");
  }
  EXPECT_FALSE(fs::DirectoryExists(f.target / "same"));
  f.ExpectTmpEmpty();
}

TEST(SegSet, PropertySetters) {
  TSegCompEZ s;
  EXPECT_EQ(s.SegBaseName(), "SegData");
  EXPECT_EQ(s.SegDir(), "a:\\");
  EXPECT_EQ(s.SegSize(), 1440000);
  EXPECT_EQ(s.SegCompType, coLZH);
  EXPECT_EQ(s.SegBuildMode, bmRecursive);
  // Names keep their case: a case-sensitive host would not find them lower-cased.
  s.SetSegBaseName("C:\\Some\\DISK");
  EXPECT_EQ(s.SegBaseName(), "DISK");
  s.SetSegBaseName("");
  EXPECT_EQ(s.SegBaseName(), "SegData");
  s.SetSegDir("A:\\Floppy\\");
  EXPECT_EQ(s.SegDir(), "A:\\Floppy\\");
  s.SetSegDir("");
  EXPECT_EQ(s.SegDir(), "a:\\");
  s.SetSegSize(100);
  EXPECT_EQ(s.SegSize(), 16384);
  s.SetSegTmpDir("C:\\TMP\\Seg\\");
  EXPECT_EQ(s.SegTmpDir(), "C:\\TMP\\Seg");
  s.SetSegTmpDir("");
  EXPECT_EQ(s.SegTmpDir(), fs::GetCurrentDir());
  s.SetSegBaseName("disk");
  EXPECT_EQ(s.SegmentFileName(2), "disk.002");
  EXPECT_EQ(s.SegmentFileName(1234), "disk.1234");
  s.SetSegExt("ab");
  EXPECT_EQ(s.SegmentFileName(7), "disk.ab");
}

}  // namespace
}  // namespace zel
