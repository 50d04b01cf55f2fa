#include "archive/compress.h"

#include <climits>
#include <vector>

#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/safe_name.h"

namespace zel {

const char kInvalidHeaderMessage[] = "Can't recognize compressed file header";
const char kBadChecksumMessage[] = "Bad checksum during expansion -- data may be invalid";
const char kInvalidKeyMessage[] = "File locked -- valid key required";

namespace {

constexpr int64_t kUnlimitedSpace = INT32_MAX;

// Swallows what is written; used to verify entries without writing files.
class NullStream : public TStream {
 public:
  int32_t Read(void*, int32_t) override { return 0; }
  int32_t Write(const void*, int32_t count) override {
    position_ += count;
    return count;
  }
  int64_t Seek(int64_t offset, SeekOrigin origin) override {
    if (origin == SeekOrigin::kBegin) position_ = offset;
    else position_ += offset;
    return position_;
  }

 private:
  int64_t position_ = 0;
};

int64_t BytesLeft(TStream& source) { return source.Size() - source.Position(); }

// "damaged or unsafe package: "<name>" <what>[<size><tail>]".
[[noreturn]] void Damaged(const std::string& name, const char* what, int32_t size = -1, const char* tail = "") {
  std::string message = std::string(kUnsafePackage) + ": \"" + name + "\" " + what;
  if (size >= 0) message += std::to_string(size) + tail;
  throw EDamagedArchive(message);
}

// Passes an entry's output on and refuses every byte beyond the size its
// header gives, so no entry can grow past what was checked for room.
class ExpandedSizeLimit : public TStream {
 public:
  ExpandedSizeLimit(TStream& dest, int32_t size, const std::string& name)
      : dest_(dest), size_(size), name_(name) {}
  int32_t Read(void* buffer, int32_t count) override { return dest_.Read(buffer, count); }
  int32_t Write(const void* buffer, int32_t count) override {
    if (count > size_ - written_)
      Damaged(name_, "expands to more than the ", size_, " bytes its header gives");
    const int32_t n = dest_.Write(buffer, count);
    if (n > 0) written_ += n;
    return n;
  }
  int64_t Seek(int64_t offset, SeekOrigin origin) override { return dest_.Seek(offset, origin); }
  int32_t Written() const { return written_; }

 private:
  TStream& dest_;
  int32_t size_;
  int32_t written_ = 0;
  const std::string& name_;
};

// Copies a stored entry and returns its byte sum.
uint32_t CopySummed(TStream& dest, TStream& source, int32_t size) {
  uint8_t buffer[8192];
  uint32_t sum = 0;
  for (int32_t left = size; left > 0;) {
    const int32_t n = left < static_cast<int32_t>(sizeof buffer) ? left : static_cast<int32_t>(sizeof buffer);
    source.ReadBuffer(buffer, n);
    for (int32_t i = 0; i < n; ++i) sum += buffer[i];
    dest.WriteBuffer(buffer, n);
    left -= n;
  }
  return sum;
}

// Marks every line of list equal to name (without regard to case) as arrived.
void MarkArrived(const TStringList& list, const std::string& name, std::vector<uint8_t>& arrived) {
  for (int i = 0; i < list.Count(); ++i)
    if (SameText(list[i], name)) arrived[static_cast<size_t>(i)] = 1;
}

}  // namespace

void FreeListObjects(TStringList& list) {
  for (int i = 0; i < list.Count(); ++i) {
    delete static_cast<TCompressedFileInfo*>(list.Object(i));
    list.SetObject(i, nullptr);
  }
}

void TCompress::SetTargetPath(const std::string& path) {
  targetPath_ = path;
  if (!targetPath_.empty() && targetPath_.back() != '\\') targetPath_ += '\\';
}

TCompressionMethod TCompress::RecognizeMethod(const std::string& compressId) {
  static const char* const kIds[] = {"NON", "RLE", "LZH", "CUS", "LH5"};
  for (int i = 0; i < 5; ++i)
    if (compressId == kIds[i]) return static_cast<TCompressionMethod>(i);
  bool recognized = false;
  if (OnRecognize) OnRecognize(compressId, recognized);
  if (recognized) return coCustom;
  throw EUnrecognizedCompressionMethod("Unrecognized compression method: \"" + compressId +
                                       "\" in header");
}

TCompress::ArchiveHeader TCompress::ReadArchiveHeader(TStream& source) {
  namespace ah = format::archive_header;
  ArchiveHeader header;
  if (BytesLeft(source) < ah::kSize) return header;  // empty archive
  uint8_t raw[ah::kSize];
  source.ReadBuffer(raw, ah::kSize);
  if (std::memcmp(raw + ah::kMagic, ah::kMagicBytes, 5) != 0)
    throw EInvalidHeader(kInvalidHeaderMessage);
  if (raw[ah::kArchiveType] != ah::kCaMulti)
    throw EInvalidHeaderArchiveType("Archive type must be caMulti");
  header.CompressID.assign(reinterpret_cast<const char*>(raw + ah::kCompressId), 3);
  header.TotalSize = format::GetI32(raw + ah::kTotalSize);
  RecognizeMethod(header.CompressID);
  return header;
}

bool TCompress::ReadEntryHeader(TStream& source, format::EntryHeader& header, std::string& name) {
  uint8_t raw[format::entry_header::kSize];
  if (source.Read(raw, sizeof raw) != static_cast<int32_t>(sizeof raw)) return false;
  header = format::EntryHeader::Parse(raw);
  // Negative lengths would make the reader seek backwards (and loop forever).
  if (header.NameLength < 0 || header.CompressedSize < 0 || header.ExpandedSize < 0)
    throw EInvalidHeader(kInvalidHeaderMessage);
  name.assign(static_cast<size_t>(header.NameLength), '\0');
  if (header.NameLength > 0 && source.Read(name.data(), header.NameLength) != header.NameLength)
    return false;
  return true;
}

void TCompress::ListArchiveContents(const std::string& archiveFile, TStringList& list) {
  TFileStream file(archiveFile, FileMode::kOpenRead);
  ListStreamContents(file, list);
}

void TCompress::ListStreamContents(TStream& source, TStringList& list) {
  if (BytesLeft(source) < format::kMinListableSize) return;
  ReadArchiveHeader(source);
  format::EntryHeader header;
  std::string name;
  while (ReadEntryHeader(source, header, name)) {
    auto info = std::make_unique<TCompressedFileInfo>();
    info->FileDate = header.FileDate;
    info->Attributes = header.Attributes;
    info->ExpandedSize = header.ExpandedSize;
    info->CompressedSize = header.CompressedSize;
    info->Method = header.Method;
    info->Checksum = header.Checksum;
    info->HeaderOffset = static_cast<int32_t>(source.Position() - format::entry_header::kSize -
                                              header.NameLength);
    info->Locked = header.LockFlag > 0;
    list.Add(name, info.release());
    source.Seek(header.CompressedSize, SeekOrigin::kCurrent);
  }
}

void TCompress::ExpandArchiveFiles(const std::string& archiveFile, TStringList* list) {
  TFileStream file(archiveFile, FileMode::kOpenRead);
  ExpandStreamFiles(file, list);
}

void TCompress::SkipData(TStream& source, int64_t dataStart, const format::EntryHeader& entry) {
  source.Seek(dataStart + entry.CompressedSize, SeekOrigin::kBegin);
}

void TCompress::ExpandStreamFiles(TStream& source, TStringList* list) {
  TStringList expanded;
  const ArchiveHeader archive = ReadArchiveHeader(source);
  int64_t runningSum = 0;
  std::vector<uint8_t> arrived(list ? static_cast<size_t>(list->Count()) : 0, 0);
  bool stopped = false;
  format::EntryHeader entry;
  std::string name;
  while (ReadEntryHeader(source, entry, name)) {
    // Once TotalSize is reached only empty entries may follow; they are still
    // expanded, or empty files stored last (or alone) would be lost. Anything
    // more means the header lies about the archive.
    if (runningSum >= archive.TotalSize && entry.ExpandedSize != 0)
      Damaged(name, "lies beyond the total size of its archive");
    const int64_t dataStart = source.Position();
    if (entry.ExpandedSize > MaxEntrySize) throw EInvalidHeader(kInvalidHeaderMessage);
    if (list && list->IndexOf(name) < 0) {
      SkipData(source, dataStart, entry);
      runningSum += entry.ExpandedSize;
      continue;
    }
    std::string path = targetPath_ + SafeRelativePath(name);
    if (OnCheckFile) {
      OnCheckFile(path, cpExpand);
      if (path.empty()) {  // the owner passes over it
        if (list) MarkArrived(*list, name, arrived);
        SkipData(source, dataStart, entry);
        continue;
      }
      if (path == "*") {
        stopped = true;
        break;
      }
    }
    if (TestOnly) {
      NullStream sink;
      ExpandEntry(sink, source, entry, archive.CompressID, name);
    } else {
      if (FreeSpaceFor(path) < entry.ExpandedSize)
        throw EInsufficientDiskSpace("Not enough disk space to expand " + path);
      if (MakeDirectories) CreateDirectoryPath(ExtractFilePath(path));
      std::unique_ptr<TFileStream> output;
      try {
        output = std::make_unique<TFileStream>(path, FileMode::kCreate);
      } catch (const EStreamError&) {
        // Every listed file must arrive; only a whole-archive expansion may
        // pass over a file it cannot create.
        if (ExceptionOnFileError || list) throw;
        SkipData(source, dataStart, entry);
        continue;
      }
      try {
        ExpandEntry(*output, source, entry, archive.CompressID, name);
      } catch (const EInvalidKey&) {
        output.reset();
        fs::DeleteFile(path);
        throw;
      } catch (...) {
        output.reset();
        fs::SetAttributes(path, entry.Attributes);
        throw;
      }
      output->SetDosDateTime(entry.FileDate);
      output.reset();
      fs::SetAttributes(path, entry.Attributes);
    }
    expanded.Add(path);
    if (list) MarkArrived(*list, name, arrived);
    // Methods that leave data unread (coCustom without a handler, an
    // abandoned decode) must not make the next header come from inside this
    // entry's data.
    SkipData(source, dataStart, entry);
    runningSum += entry.ExpandedSize;
  }
  if (list && !stopped)
    for (int i = 0; i < list->Count(); ++i)
      if (!arrived[static_cast<size_t>(i)] && !(*list)[i].empty()) Damaged((*list)[i], "is missing from its archive");
  if (list) {
    list->Clear();
    for (int i = 0; i < expanded.Count(); ++i) list->Add(expanded[i]);
  }
}

int64_t TCompress::ExpandedSizeOf(TStream& source) {
  const ArchiveHeader archive = ReadArchiveHeader(source);
  int64_t sum = 0;
  format::EntryHeader entry;
  std::string name;
  while (ReadEntryHeader(source, entry, name)) {
    sum += entry.ExpandedSize;
    source.Seek(entry.CompressedSize, SeekOrigin::kCurrent);
  }
  return sum > archive.TotalSize ? sum : archive.TotalSize;
}

void TCompress::ExpandEntry(TStream& dest, TStream& source, const format::EntryHeader& entry,
                            const std::string& compressId, const std::string& name) {
  const bool locked = entry.LockFlag > 0;
  if (entry.Method != coNone && locked && Key == 0) throw EInvalidKey(kInvalidKeyMessage);
  ExpandedSizeLimit out(dest, entry.ExpandedSize, name);
  uint32_t computed = 0;
  switch (entry.Method) {
    case coNone:
      if (entry.CompressedSize != entry.ExpandedSize)
        Damaged(name, "is stored in a size other than the ", entry.ExpandedSize, " bytes its header gives");
      // Stored data is checked like any other: the writer stores its byte sum.
      computed = CopySummed(out, source, entry.CompressedSize);
      break;
    case coRLE:
    case coLZH:
    case coLZH5: {
      // Every method needs at least one stored byte to give any output.
      if (entry.CompressedSize == 0 && entry.ExpandedSize > 0)
        Damaged(name, "has no stored data for its ", entry.ExpandedSize, " bytes");
      CodecOwner owner;
      owner.OnShowProgress = OnShowProgress;
      owner.Key = Key;
      try {
        ExpandCodec(owner, out, source, entry.CompressedSize, entry.ExpandedSize, entry.Method, computed,
                    entry.LockFlag == 2);
      } catch (const ELZHBadDecodeTable&) {
        if (locked) throw EInvalidKey(kInvalidKeyMessage);
        throw;
      } catch (const EDamagedArchive&) {
        // A wrong key makes garbage of the stream, which may run long.
        if (locked) throw EInvalidKey(kInvalidKeyMessage);
        throw;
      }
      break;
    }
    case coCustom:
      if (OnExpand) {
        int32_t checksum = 0;
        OnExpand(out, source, entry.CompressedSize, entry.ExpandedSize, compressId, checksum);
        computed = static_cast<uint32_t>(checksum);
      }
      break;
    default:
      break;
  }
  if (computed != entry.Checksum) {
    if (!locked) throw EBadChecksum(kBadChecksumMessage);
    if (static_cast<uint32_t>(Key) + computed != entry.Checksum) throw EInvalidKey(kInvalidKeyMessage);
  }
  // More was refused while it was written.
  if (out.Written() != entry.ExpandedSize)
    Damaged(name, "expands to fewer than the ", entry.ExpandedSize, " bytes its header gives");
}

int64_t TCompress::FreeSpaceFor(const std::string& path) {
  if (!CheckSpaceBeforeExpand) return kUnlimitedSpace;
  const std::string upper = UpperCase(path);
  int drive = 0;
  if (upper.size() >= 2 && upper[1] == ':' && upper[0] >= 'A' && upper[0] <= 'Z')
    drive = upper[0] - 'A' + 1;
  int64_t result = kUnlimitedSpace;
  const int64_t free = fs::DiskFree(drive);
  // The platform's answer is a signed 32-bit number.
  if (free >= 0) result = free < kUnlimitedSpace ? free : kUnlimitedSpace;
  if (result < kUnlimitedSpace && fs::FileExists(path)) result += fs::FileSize(path);
  return result;
}

void CreateDirectoryPath(const std::string& folder) {
  if (folder.empty()) return;
  const std::string dir = ExcludeTrailingBackslash(folder);
  if (dir.size() < 3 || fs::DirectoryExists(dir)) return;
  CreateDirectoryPath(ExtractFilePath(dir));
  if (!fs::CreateDir(dir) && !fs::DirectoryExists(dir))
    throw EInOutError("Unable to create directory " + dir);
}

}  // namespace zel
