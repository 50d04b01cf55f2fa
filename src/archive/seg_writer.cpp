#include "archive/seg_writer.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "archive/archive_format.h"
#include "platform/fs.h"
#include "platform/paths.h"

namespace zel {

const char kListFileName[] = "filelist.lst";

namespace {

// The logical stream, cut into segment files of a fixed size.
class SegmentSink {
 public:
  explicit SegmentSink(const SegmentSetOptions& options) : options_(options) {}

  void Write(const void* data, int64_t count) {
    const auto* p = static_cast<const uint8_t*>(data);
    for (int64_t i = 0; i < count; ++i) hash_ = (hash_ ^ p[i]) * 16777619u;
    while (count > 0) {
      if (!file_ || left_ == 0) NextSegment();
      const int64_t n = std::min(count, left_);
      file_->WriteBuffer(p, static_cast<int32_t>(n));
      p += n;
      count -= n;
      left_ -= n;
    }
  }
  void Finish() {
    if (!file_) NextSegment();  // even an empty stream has segment 1
    file_.reset();
    // The set's identity comes from its whole stream, so it is written into
    // every file once the stream is complete. A reader takes a file of
    // another identity for a disk of another set.
    uint8_t id[2];
    format::PutU16(id, SetIdentity());
    for (const std::string& path : paths_) {
      TFileStream file(path, FileMode::kOpenReadWrite);
      file.Seek(format::segment_id::kSetId, SeekOrigin::kBegin);
      file.WriteBuffer(id, sizeof id);
    }
  }
  const std::vector<std::string>& Paths() const { return paths_; }

 private:
  uint16_t SetIdentity() const {
    const auto folded = static_cast<uint16_t>((hash_ >> 16) ^ hash_);
    return folded == 0 ? 1 : folded;  // 0 means "no identity"
  }

  void NextSegment() {
    file_.reset();
    if (number_ == 0xFFFF) throw std::invalid_argument("more than 65,535 segment files");
    if (number_ >= 1 && !options_.ext.empty() && !options_.folderPerDisk)
      throw std::invalid_argument("segment files of one name need one folder per disk");
    ++number_;
    std::string dir = ExcludeTrailingBackslash(options_.outDir);
    if (options_.folderPerDisk) dir += "\\disk" + std::to_string(number_);
    fs::ForceDirectories(dir);
    const std::string name =
        options_.baseName + "." + (options_.ext.empty() ? ZeroPad(number_, 3) : options_.ext);
    paths_.push_back(dir + "\\" + name);
    file_ = std::make_unique<TFileStream>(paths_.back(), FileMode::kCreate);
    uint8_t id[format::segment_id::kSize] = {};
    format::PutId(id, "SSeg");
    format::PutU16(id + format::segment_id::kNumber, number_);
    file_->WriteBuffer(id, sizeof id);
    left_ = options_.segmentSize - format::segment_id::kSize;
  }

  const SegmentSetOptions& options_;
  std::unique_ptr<TFileStream> file_;
  std::vector<std::string> paths_;
  uint16_t number_ = 0;
  int64_t left_ = 0;
  uint32_t hash_ = 2166136261u;  // FNV-1a over the logical stream
};

void CopyStream(SegmentSink& sink, TStream& source) {
  source.Seek(0, SeekOrigin::kBegin);
  uint8_t buffer[8192];
  int32_t n;
  while ((n = source.Read(buffer, sizeof buffer)) > 0) sink.Write(buffer, n);
}

std::vector<uint8_t> ListArchive(const SegArchiveSpec& spec, const ArchiveWriteOptions& options,
                                 int32_t& recordWidth) {
  size_t width = 1;
  for (const PackEntry& e : spec.entries) width = std::max(width, e.storedName.size());
  if (width >= static_cast<size_t>(format::scan_record::kMaxTextLength))
    throw std::invalid_argument("file name longer than 8,191 bytes");
  recordWidth = static_cast<int32_t>(width);
  PackEntry list;
  list.storedName = kListFileName;
  for (const PackEntry& e : spec.entries) {
    if (e.storedName.empty() || e.storedName.back() == ' ' ||
        e.storedName.find('\0') != std::string::npos)
      throw std::invalid_argument("file name cannot be listed: \"" + e.storedName + "\"");
    std::string record = e.storedName;
    record.resize(width, ' ');
    list.data.insert(list.data.end(), record.begin(), record.end());
  }
  TMemoryStream out;
  WriteArchive(out, {list}, options);
  return out.Data();
}

}  // namespace

std::vector<std::string> WriteSegmentSet(const std::vector<SegArchiveSpec>& archives,
                                         const SegmentSetOptions& options) {
  if (options.segmentSize <= format::segment_id::kSize)
    throw std::invalid_argument("segment size too small");
  if (archives.size() > 0xFFFF) throw std::invalid_argument("more than 65,535 archives");
  SegmentSink sink(options);
  uint8_t setHeader[format::set_header::kSize] = {};
  format::PutId(setHeader, "SHdr");
  format::PutU16(setHeader + format::set_header::kArcCount, static_cast<uint16_t>(archives.size()));
  sink.Write(setHeader, sizeof setHeader);

  for (const SegArchiveSpec& spec : archives) {
    namespace sr = format::scan_record;
    if (spec.templateText.size() >= static_cast<size_t>(sr::kMaxTextLength))
      throw std::invalid_argument("template longer than 8,191 bytes");
    int32_t recordWidth = 0;
    const std::vector<uint8_t> list = ListArchive(spec, options.archive, recordWidth);
    uint8_t scan[sr::kSize] = {};
    format::PutId(scan, "Scan");
    format::PutU16(scan + sr::kNameLength, static_cast<uint16_t>(spec.templateText.size()));
    format::PutU32(scan + sr::kRecordWidth, static_cast<uint32_t>(recordWidth));
    format::PutU32(scan + sr::kListArchiveSize, static_cast<uint32_t>(list.size()));
    sink.Write(scan, sizeof scan);
    sink.Write(spec.templateText.data(), static_cast<int64_t>(spec.templateText.size()));
    sink.Write(list.data(), static_cast<int64_t>(list.size()));
  }

  const std::string tmpDir = ExcludeTrailingBackslash(options.tmpDir.empty() ? options.outDir : options.tmpDir);
  fs::ForceDirectories(tmpDir);
  const std::string tmpPath = tmpDir + "\\" + options.baseName + ".$W$";
  struct Remove {
    std::string path;
    ~Remove() { fs::DeleteFile(path); }
  } remove{tmpPath};
  for (size_t i = 0; i < archives.size(); ++i) {
    int64_t size;
    {
      TFileStream tmp(tmpPath, FileMode::kCreate);
      WriteArchive(tmp, archives[i].entries, options.archive);
      size = tmp.Size();
      uint8_t record[format::arc_record::kSize] = {};
      format::PutId(record, "SArc");
      format::PutU16(record + format::arc_record::kSequence, static_cast<uint16_t>(i));
      format::PutU32(record + format::arc_record::kArchiveSize, static_cast<uint32_t>(size));
      sink.Write(record, sizeof record);
      CopyStream(sink, tmp);
    }
    if (options.onArchive) options.onArchive(static_cast<int>(i + 1), static_cast<int>(archives.size()));
  }
  sink.Finish();
  return sink.Paths();
}

namespace {

void Collect(const std::string& folder, const std::string& prefix, std::vector<PackEntry>& out) {
  for (const fs::FindEntry& e : fs::FindFiles(folder + "\\*")) {
    if (e.name == "." || e.name == "..") continue;
    const std::string path = folder + "\\" + e.name;
    if (e.attributes & fs::kAttrDirectory) {
      Collect(path, prefix + e.name + "\\", out);
      continue;
    }
    PackEntry entry;
    entry.storedName = prefix + e.name;
    entry.sourcePath = path;
    entry.fileDate = fs::FileDosDateTime(path);
    entry.attributes = static_cast<uint16_t>(
        e.attributes & (fs::kAttrReadOnly | fs::kAttrHidden | fs::kAttrSystem | fs::kAttrArchive));
    out.push_back(std::move(entry));
  }
}

}  // namespace

std::vector<PackEntry> CollectFolder(const std::string& folder) {
  std::vector<PackEntry> out;
  Collect(ExcludeTrailingBackslash(folder), "", out);
  std::sort(out.begin(), out.end(),
            [](const PackEntry& a, const PackEntry& b) { return a.storedName < b.storedName; });
  return out;
}

}  // namespace zel
