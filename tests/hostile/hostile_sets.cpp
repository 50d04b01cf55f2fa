#include "hostile_sets.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "archive/archive_format.h"
#include "archive/compress_writer.h"
#include "archive/seg_writer.h"
#include "codec/codec.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/stream.h"

namespace zel::test {

namespace {

constexpr uint32_t kDate = (uint32_t{((2003 - 1980) << 9) | (3 << 5) | 9} << 16) | (12 << 11);
constexpr int32_t kBombSize = 500000000;

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

PackEntry File(const std::string& name, const std::string& text) {
  return {name, "", Bytes(text), kDate, fs::kAttrArchive};
}

// Text that LH5 packs well, so the entry stays compressed.
std::string Prose(size_t size) {
  std::string text;
  while (text.size() < size) text += "The setup expands every file of the package first. ";
  text.resize(size);
  return text;
}

// One archive of a hand-made set: its template, its entries (any names),
// the entries of its list archive (none: a list file naming the entries),
// and a change to its bytes once written.
struct ArchivePlan {
  std::string templateText = "app\\*.*";
  std::vector<PackEntry> entries;
  TCompressionMethod method = coNone;
  std::vector<PackEntry> listArchive;
  std::function<void(std::vector<uint8_t>&)> damage;
  int32_t recordedSize = -1;  // the archive record's ArchiveSize; -1: the true size
};

std::vector<uint8_t> ArchiveBytes(const std::vector<PackEntry>& entries, TCompressionMethod method) {
  TMemoryStream out;
  ArchiveWriteOptions options;
  options.method = method;
  WriteArchive(out, entries, options);
  return out.Data();
}

// The list file: one record per name, padded with spaces to the widest.
PackEntry ListFile(const std::vector<PackEntry>& entries, int32_t& width) {
  size_t widest = 1;
  for (const PackEntry& e : entries) widest = std::max(widest, e.storedName.size());
  std::string records;
  for (const PackEntry& e : entries) {
    std::string record = e.storedName;
    record.resize(widest, ' ');
    records += record;
  }
  width = static_cast<int32_t>(widest);
  return File(kListFileName, records);
}

// Where entry index begins in an archive's bytes.
size_t EntryAt(const std::vector<uint8_t>& archive, int index) {
  size_t at = format::archive_header::kSize;
  for (int i = 0; i < index; ++i)
    at += format::entry_header::kSize + format::GetU16(archive.data() + at) +
          format::GetU32(archive.data() + at + format::entry_header::kCompressedSize);
  return at;
}

void PutTotalSize(std::vector<uint8_t>& archive, uint32_t size) {
  format::PutU32(archive.data() + format::archive_header::kTotalSize, size);
}

void PutEntryField(std::vector<uint8_t>& archive, int index, int field, uint32_t value) {
  format::PutU32(archive.data() + EntryAt(archive, index) + field, value);
}

// One LH5 entry of text whose header (and archive total) claim expanded bytes.
void LyingLh5Entry(ArchivePlan& plan, const std::string& name, size_t size, uint32_t expanded) {
  plan.entries = {File(name, Prose(size))};
  plan.method = coLZH5;
  plan.damage = [expanded](std::vector<uint8_t>& a) {
    PutEntryField(a, 0, format::entry_header::kExpandedSize, expanded);
    PutTotalSize(a, expanded);
  };
}

// The logical stream of a set of the given archives, in one segment file.
void WriteSet(const std::vector<ArchivePlan>& plans, const std::string& folder) {
  std::vector<uint8_t> stream(format::set_header::kSize, 0);
  format::PutId(stream.data(), "SHdr");
  format::PutU16(stream.data() + format::set_header::kArcCount, static_cast<uint16_t>(plans.size()));
  auto append = [&](const std::vector<uint8_t>& bytes) { stream.insert(stream.end(), bytes.begin(), bytes.end()); };
  for (const ArchivePlan& plan : plans) {
    namespace sr = format::scan_record;
    int32_t width = 0;
    const PackEntry list = ListFile(plan.entries, width);
    const std::vector<uint8_t> listArchive =
        ArchiveBytes(plan.listArchive.empty() ? std::vector<PackEntry>{list} : plan.listArchive, coNone);
    std::vector<uint8_t> scan(sr::kSize, 0);
    format::PutId(scan.data(), "Scan");
    format::PutU16(scan.data() + sr::kNameLength, static_cast<uint16_t>(plan.templateText.size()));
    format::PutU32(scan.data() + sr::kRecordWidth, static_cast<uint32_t>(width));
    format::PutU32(scan.data() + sr::kListArchiveSize, static_cast<uint32_t>(listArchive.size()));
    append(scan);
    append(Bytes(plan.templateText));
    append(listArchive);
  }
  for (size_t i = 0; i < plans.size(); ++i) {
    std::vector<uint8_t> archive = ArchiveBytes(plans[i].entries, plans[i].method);
    if (plans[i].damage) plans[i].damage(archive);
    std::vector<uint8_t> record(format::arc_record::kSize, 0);
    format::PutId(record.data(), "SArc");
    format::PutU16(record.data() + format::arc_record::kSequence, static_cast<uint16_t>(i));
    const int32_t size = plans[i].recordedSize >= 0 ? plans[i].recordedSize : static_cast<int32_t>(archive.size());
    format::PutU32(record.data() + format::arc_record::kArchiveSize, static_cast<uint32_t>(size));
    append(record);
    append(archive);
  }
  fs::ForceDirectories(folder);
  TFileStream file(folder + "\\disk.001", FileMode::kCreate);
  uint8_t id[format::segment_id::kSize] = {};
  format::PutId(id, "SSeg");
  format::PutU16(id + format::segment_id::kSetId, 0x5A17);
  format::PutU16(id + format::segment_id::kNumber, 1);
  file.WriteBuffer(id, sizeof id);
  file.WriteBuffer(stream.data(), static_cast<int32_t>(stream.size()));
}

// A product's files beside one hostile name.
ArchivePlan WithName(const std::string& name) {
  ArchivePlan plan;
  plan.entries = {File("ok.txt", "ok"), File(name, "planted by the package")};
  return plan;
}

ArchivePlan WithListArchive(std::vector<PackEntry> listArchive) {
  ArchivePlan plan;
  plan.entries = {File("ok.txt", "ok")};
  plan.listArchive = std::move(listArchive);
  return plan;
}

// Disk 1 of a set and disk 2 of another with the same names and sizes.
void WriteForeignDisk(const std::string& folder, const std::string& scratch) {
  for (const char* version : {"1", "2"}) {
    SegmentSetOptions options;
    options.outDir = scratch + "\\set" + version;
    options.segmentSize = 6000;
    options.archive.method = coNone;
    SegArchiveSpec spec{"app\\*.*", {File("readme.txt", Prose(9000)), File("prog.dat", std::string(9000, *version))}};
    WriteSegmentSet({spec}, options);
  }
  fs::ForceDirectories(folder);
  for (const char* name : {"\\disk.001", "\\disk.003"}) {
    TFileStream from(scratch + "\\set1" + name, FileMode::kOpenRead);
    TFileStream to(folder + name, FileMode::kCreate);
    to.CopyFrom(from, 0);
  }
  TFileStream from(scratch + "\\set2\\disk.002", FileMode::kOpenRead);
  TFileStream to(folder + "\\disk.002", FileMode::kCreate);
  to.CopyFrom(from, 0);
}

const std::vector<std::pair<std::string, std::string>>& UnsafeNames() {
  static const std::vector<std::pair<std::string, std::string>> names = {
      {"name_up_win_ini", "../win.ini"},
      {"name_up_win_ini_backslash", "..\\win.ini"},
      {"name_up3", "../../../evil.txt"},
      {"name_q2_up4", "q2/../../../../evil.txt"},
      {"name_root", "\\evil.txt"},
      {"name_drive", "C:\\evil.txt"},
      {"name_unc", "\\\\server\\evil.txt"},
      {"name_colon", "a:evil"},
      {"name_com2", "COM2.txt"},
      {"name_aux", "AUX"},
      {"name_nul", "NUL"},
      {"name_lpt1", "LPT1"},
      {"name_con", "CON"},
      {"name_empty", ""},
      {"name_overlong", std::string(300, 'e')},
  };
  return names;
}

std::string Refused(const std::string& name) { return "damaged or unsafe package: \"" + name + "\""; }

}  // namespace

const std::vector<HostileCase>& HostileCases() {
  static const std::vector<HostileCase> cases = [] {
    std::vector<HostileCase> all;
    for (const auto& [caseName, name] : UnsafeNames())
      // A blank list record names no file: the empty name is met in the archive.
      all.push_back({caseName, !name.empty(), true, Refused(name)});
    all.push_back({"list_file_escapes", true, true, Refused("..\\..\\evil.lst")});
    all.push_back({"list_extra_escapes", true, true, Refused("../../../evil.txt")});
    all.push_back({"list_extra_win_ini", true, true, Refused("\\windows\\win.ini")});
    // Templates are not paths for the setup program, which expands flat.
    all.push_back({"template_up", true, false, "damaged or unsafe package: the template folder: \"..\\..\\tpl\""});
    all.push_back({"stored_byte_flipped", false, true, "Bad checksum during expansion -- data may be invalid"});
    all.push_back({"foreign_disk_2", false, true, "(TSegCompress) Operation aborted by user"});
    all.push_back({"total_size_lie", false, true, Refused("b.txt") + " lies beyond the total size of its archive"});
    all.push_back({"archive_size_lie", false, true, Refused("ok.txt") + " is missing from its archive"});
    all.push_back({"expanded_size_lie_stored", false, true,
                   Refused("ok.txt") + " is stored in a size other than the 200 bytes its header gives"});
    all.push_back({"bomb_empty_stream", false, true, Refused("bomb.bin") + " has no stored data for its 500000000 bytes"});
    // An LH5 stream asked for 1,000 bytes more than it holds: the rest would
    // be zeros, whose sum matches.
    all.push_back({"expanded_size_lie_lh5", false, true, "", true});
    // A few real bytes of LH5 stream and an ExpandedSize of 500,000,000.
    all.push_back({"bomb_short_stream", false, true, "", true});
    return all;
  }();
  return cases;
}

void WriteHostileSet(const std::string& caseName, const std::string& folder, const std::string& scratch) {
  for (const auto& [name, entryName] : UnsafeNames())
    if (name == caseName) return WriteSet({WithName(entryName)}, folder);
  const std::string list = "ok.txt";
  ArchivePlan plan;
  if (caseName == "list_file_escapes") {
    plan = WithListArchive({File("..\\..\\evil.lst", list)});
  } else if (caseName == "list_extra_escapes") {
    plan = WithListArchive({File(kListFileName, list), File("../../../evil.txt", "planted")});
  } else if (caseName == "list_extra_win_ini") {
    plan = WithListArchive({File(kListFileName, list), File("\\windows\\win.ini", "[planted]")});
  } else if (caseName == "template_up") {
    plan.templateText = "..\\..\\tpl\\*.*";
    plan.entries = {File("ok.txt", "ok")};
  } else if (caseName == "stored_byte_flipped") {
    plan.entries = {File("ok.txt", "ok"), File("data.bin", Prose(1000))};
    plan.damage = [](std::vector<uint8_t>& a) { a[EntryAt(a, 1) + format::entry_header::kSize + 8 + 500] ^= 0x20; };
  } else if (caseName == "foreign_disk_2") {
    return WriteForeignDisk(folder, scratch);
  } else if (caseName == "total_size_lie") {
    plan.entries = {File("ok.txt", "ok"), File("b.txt", "bbbb")};
    plan.damage = [](std::vector<uint8_t>& a) { PutTotalSize(a, 1); };
  } else if (caseName == "archive_size_lie") {
    plan.entries = {File("ok.txt", "ok")};
    plan.recordedSize = 0;
  } else if (caseName == "expanded_size_lie_stored") {
    plan.entries = {File("ok.txt", "ok"), File("b.txt", "bbbb")};
    plan.damage = [](std::vector<uint8_t>& a) {
      PutEntryField(a, 0, format::entry_header::kExpandedSize, 200);
      PutTotalSize(a, 204);
    };
  } else if (caseName == "expanded_size_lie_lh5") {
    LyingLh5Entry(plan, "prose.txt", 5000, 6000);
  } else if (caseName == "bomb_short_stream") {
    LyingLh5Entry(plan, "bomb.bin", 3000, kBombSize);
  } else if (caseName == "bomb_empty_stream") {
    plan.entries = {File("bomb.bin", "")};
    plan.damage = [](std::vector<uint8_t>& a) {
      a[EntryAt(a, 0) + format::entry_header::kMethod] = coLZH5;
      PutEntryField(a, 0, format::entry_header::kExpandedSize, kBombSize);
      PutTotalSize(a, kBombSize);
    };
  } else {
    throw std::invalid_argument("no hostile set named " + caseName);
  }
  WriteSet({plan}, folder);
}

bool DecoderStopsAtEndOfInput() {
  const std::vector<uint8_t> plain(3000, 'z');
  TMemoryStream source(plain), packed, out;
  uint32_t sum = 0;
  RunCodec(CodecOwner{}, packed, source, 3000, 3000, coLZH5, sum, CodecDirection::kCompress, false);
  packed.Seek(0, SeekOrigin::kBegin);
  try {
    ExpandCodec(CodecOwner{}, out, packed, static_cast<int32_t>(packed.Size()), 4000000, coLZH5, sum, false);
  } catch (const Exception&) {
    return true;
  }
  return false;
}

}  // namespace zel::test
