#include "archive/seg_compress.h"

#include <algorithm>

#include "archive/archive_format.h"
#include "platform/fs.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/safe_name.h"

namespace zel {

namespace {

constexpr int32_t kBlockSize = 8192;
const char kAborted[] = "(TSegCompress) Operation aborted by user";
const char kOpenFailed[] = "(TSegCompress) Stream open failed";
const char kReadFailed[] = "(TSegCompress) Stream read failed";
const char kRetryTail[] = "\n\rCorrect and then press OK, or Cancel to abort";

std::string TrimTrailingSpaces(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// 1234567 -> "1,234,567".
std::string GroupedNumber(int64_t n) {
  std::string digits = std::to_string(n);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<size_t>(i), 1, ',');
  return digits;
}

std::string TextUpToZero(const uint8_t* p, size_t n) {
  const uint8_t* end = std::find(p, p + n, 0);
  return std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(end - p));
}

// Deletes a file when it goes out of scope unless released.
class TempFileGuard {
 public:
  explicit TempFileGuard(std::string path) : path_(std::move(path)) {}
  ~TempFileGuard() {
    if (!path_.empty()) fs::DeleteFile(path_);
  }
  TempFileGuard(const TempFileGuard&) = delete;
  TempFileGuard& operator=(const TempFileGuard&) = delete;

 private:
  std::string path_;
};

std::unique_ptr<TFileStream> CreateTemp(const std::string& path) {
  if (fs::FileExists(path)) fs::DeleteFile(path);
  try {
    return std::make_unique<TFileStream>(path, FileMode::kCreate);
  } catch (const EStreamError&) {
    throw ESegError(kOpenFailed);
  }
}

}  // namespace

uint16_t TSegArcHeader::Sequence() const { return format::GetU16(bytes.data() + format::arc_record::kSequence); }
int32_t TSegArcHeader::ArchiveSize() const {
  return format::GetI32(bytes.data() + format::arc_record::kArchiveSize);
}

TSegCompress::TSegCompress() { SetSegTmpDir(""); }

void TSegCompress::SetSegBaseName(const std::string& value) {
  segBaseName_ = value.empty() ? "SegData" : ExtractFileName(value);
}
void TSegCompress::SetSegDir(const std::string& value) { segDir_ = value.empty() ? "a:\\" : value; }
void TSegCompress::SetSegExt(const std::string& value) { segExt_ = value.substr(0, 3); }
void TSegCompress::SetSegSize(int32_t value) { segSize_ = std::max<int32_t>(value, 16384); }
void TSegCompress::SetSegTmpDir(const std::string& value) {
  segTmpDir_ = ExcludeTrailingBackslash(value.empty() ? fs::GetCurrentDir() : value);
}

std::string TSegCompress::SegmentFileName(uint16_t n) const {
  return segBaseName_ + "." + (segExt_.empty() ? ZeroPad(n, 3) : segExt_);
}

void TSegCompress::BuildSegmentPath() {
  segName_ = SegmentFileName(segNumber_);
  segPath_ = ExcludeTrailingBackslash(segDir_) + "\\" + segName_;
}

std::string TSegCompress::TempArchivePath() const {
  return ExcludeTrailingBackslash(segTmpDir_) + "\\" + segBaseName_ + ".$A$";
}

std::string TSegCompress::ListFilePath() const {
  return ExcludeTrailingBackslash(segTmpDir_) + "\\" + segBaseName_ + ".$L$";
}

void TSegCompress::RaiseAbort() { throw ESegError(kAborted); }

void TSegCompress::ExpandSegments(TSegArcList& list) {
  AbortFlag = false;
  SegMode = smExpand;
  buffer_.assign(kBlockSize, 0);
  struct BufferRelease {
    std::vector<uint8_t>& b;
    ~BufferRelease() { std::vector<uint8_t>().swap(b); }
  } release{buffer_};
  if (segTmpDir_.empty()) throw EInOutError("Unable to create directory");
  try {
    fs::ForceDirectories(segTmpDir_);
  } catch (const EInOutError&) {
    // Reported when the first temporary file fails to open.
  }
  list.Clear();
  ExpandSegmentSet(list);
}

void TSegCompress::ExpandSegmentSet(TSegArcList& list) {
  struct SegmentCloser {
    TSegCompress& c;
    ~SegmentCloser() { c.CloseSegment(); }
  } closer{*this};
  OpenSegment(1);
  ReadSegmentId(*segment_, nullptr);
  uint16_t arcCount = 0;
  ReadSegmentHeader(arcCount);
  SuspendContainerEvents();
  try {
    for (uint16_t n = 0; n < arcCount; ++n) {
      auto arc = std::make_unique<TSegArc>();
      ReadScanRecord(*arc);
      arc->Sequence = n;
      list.Add(std::move(arc));
    }
  } catch (...) {
    RestoreContainerEvents();
    throw;
  }
  RestoreContainerEvents();
  if (OnSegBeforeExpand) OnSegBeforeExpand(list);
  if (AbortFlag) RaiseAbort();
  const int count = list.Count();
  for (int i = 0; i < count; ++i) ExpandSegmentArchive(list[i]);
}

void TSegCompress::ReadSegmentHeader(uint16_t& arcCount) {
  uint8_t raw[format::set_header::kSize] = {};
  ReadSegmented(raw, sizeof raw);
  if (!format::HasId(raw, "SHdr")) throw ESegError("(TSegCompress) Invalid Segment Header ID");
  arcCount = format::GetU16(raw + format::set_header::kArcCount);
}

void TSegCompress::SuspendContainerEvents() {
  saved_ = {OnCompress, OnExpand, OnRecognize, OnCheckFile, OnShowProgress, TestOnly};
  TestOnly = false;  // the list files must really be written
  OnCompress = nullptr;
  OnExpand = nullptr;
  OnRecognize = nullptr;
  OnShowProgress = nullptr;
  // List archives come from the set, not from the owner. Their names have
  // passed the guard; only the first entry, the list file, is written, under
  // a name of ours in SegTmpDir.
  OnCheckFile = [this](std::string& path, TCProcessMode) {
    if (listFileTaken_) {
      path.clear();
      return;
    }
    listFileTaken_ = true;
    path = ListFilePath();
  };
}

void TSegCompress::RestoreContainerEvents() {
  OnCompress = saved_.onCompress;
  OnExpand = saved_.onExpand;
  OnRecognize = saved_.onRecognize;
  OnCheckFile = saved_.onCheckFile;
  OnShowProgress = saved_.onShowProgress;
  TestOnly = saved_.testOnly;
  saved_ = {};
}

void TSegCompress::CopyToTempArchive(int32_t size, bool reportProgress) {
  const std::string path = TempArchivePath();
  auto file = CreateTemp(path);
  try {
    int64_t copied = 0;
    while (copied < size) {
      const int32_t n = static_cast<int32_t>(std::min<int64_t>(size - copied, kBlockSize));
      ReadSegmented(buffer_.data(), n);
      file->WriteBuffer(buffer_.data(), n);
      copied += n;
      if (reportProgress && OnSegShowProgress)
        OnSegShowProgress(static_cast<int32_t>(copied * 100 / size));
    }
  } catch (...) {
    file.reset();
    fs::DeleteFile(path);
    throw;
  }
}

void TSegCompress::ReadScanRecord(TSegArc& arc) {
  namespace sr = format::scan_record;
  uint8_t raw[sr::kSize] = {};
  ReadSegmented(raw, sizeof raw);
  if (!format::HasId(raw, "Scan")) throw ESegError("(TSegCompress) Invalid Scan ID Header");
  const uint16_t nameLength = format::GetU16(raw + sr::kNameLength);
  const int32_t recordWidth = format::GetI32(raw + sr::kRecordWidth);
  const int32_t listArchiveSize = format::GetI32(raw + sr::kListArchiveSize);
  if (nameLength >= sr::kMaxTextLength || recordWidth <= 0 || recordWidth >= sr::kMaxTextLength ||
      listArchiveSize < 0)
    throw ESegError("(TSegCompress) Invalid Scan record");
  std::fill(buffer_.begin(), buffer_.end(), 0);
  ReadSegmented(buffer_.data(), nameLength);
  arc.Template = TextUpToZero(buffer_.data(), nameLength);
  arc.TargetDir = ExtractFilePath(arc.Template);
  arc.ScanByte = raw[sr::kScanByte];
  arc.FileList.Clear();

  CopyToTempArchive(listArchiveSize, false);
  const std::string listFile = ListFilePath();
  TempFileGuard listGuard(listFile);
  {
    TempFileGuard archiveGuard(TempArchivePath());
    const std::string savedTarget = TargetPath();
    SetTargetPath(segTmpDir_);
    listFileTaken_ = false;
    try {
      ExpandArchiveFiles(TempArchivePath(), nullptr);
    } catch (...) {
      SetTargetPath(savedTarget);
      throw;
    }
    SetTargetPath(savedTarget);
  }
  if (!listFileTaken_) throw ESegError("(TSegCompress) List archive holds no list file");
  std::unique_ptr<TFileStream> list;
  try {
    list = std::make_unique<TFileStream>(listFile, FileMode::kOpenRead);
  } catch (const EStreamError&) {
    throw ESegError(kOpenFailed);
  }
  int64_t left = list->Size();
  while (left > 0) {
    std::fill(buffer_.begin(), buffer_.begin() + recordWidth, 0);
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(left, recordWidth));
    if (list->Read(buffer_.data(), n) != n) throw ESegError(kReadFailed);
    std::string name = TrimTrailingSpaces(TextUpToZero(buffer_.data(), static_cast<size_t>(n)));
    // A blank record names no file; every other name must be one that can
    // become a path.
    if (!name.empty()) SafeRelativePath(name);
    arc.FileList.Add(std::move(name));
    left -= n;
  }
}


void TSegCompress::ExpandSegmentArchive(TSegArc& arc) {
  TSegArcHeader header;
  for (;;) {
    header.bytes.fill(0);
    ReadSegmented(header.bytes.data(), format::arc_record::kSize);
    if (!format::HasId(header.bytes.data(), "SArc"))
      throw ESegError("(TSegCompress) Invalid Archive ID Header");
    if (header.ArchiveSize() < 0) throw ESegError("(TSegCompress) Invalid Archive ID Header");
    if (header.Sequence() > arc.Sequence)
      throw ESegError("(TSegCompress) Invalid Archive sequence number");
    if (header.Sequence() == arc.Sequence) break;
    // An archive the owner removed: pass over its bytes.
    for (int64_t left = header.ArchiveSize(); left > 0;) {
      const int32_t n = static_cast<int32_t>(std::min<int64_t>(left, kBlockSize));
      ReadSegmented(buffer_.data(), n);
      left -= n;
    }
  }
  if (ExpandInPlace && !SegPopUp) {
    ExpandInPlace(*this, arc, header.ArchiveSize());
  } else {
    CopyToTempArchive(header.ArchiveSize(), true);
    TempFileGuard archiveGuard(TempArchivePath());
    if (!TestOnly) {
      TFileStream copy(TempArchivePath(), FileMode::kOpenRead);
      CheckRoom(copy);
    }
    MakeDirectories = true;
    SetTargetPath(arc.TargetDir);
    ExpandArchiveFiles(TempArchivePath(), &arc.FileList);
  }
  if (OnSegAfterArchive) OnSegAfterArchive(header, arc.Template);
  if (AbortFlag) RaiseAbort();
}

int64_t TSegCompress::FreeSpaceOf(const std::string& folder) { return fs::FreeSpace(folder); }

void TSegCompress::CheckRoom(TStream& archive) {
  const int64_t needed = ExpandedSizeOf(archive);
  const std::string folder = RoomFolder.empty() ? segTmpDir_ : RoomFolder;
  const int64_t free = FreeSpaceOf(folder);
  if (free < 0 || needed <= free) return;
  std::string drive = ExtractFileDrive(folder);
  if (drive.empty()) drive = folder;
  throw EInsufficientDiskSpace("Not enough disk space on " + drive + " to expand the package: " +
                               GroupedNumber(needed) + " bytes needed, " + GroupedNumber(free) + " bytes free");
}

void TSegCompress::NextSegment() {
  CloseSegment();
  if (OnSegAfter && !quietSegments_) OnSegAfter(SegMode, segName_, segNumber_);
  if (AbortFlag) RaiseAbort();
  if (segNumber_ == 0xFFFF) throw ESegError(kReadFailed);
  OpenSegment(static_cast<uint16_t>(segNumber_ + 1));
  ReadSegmentId(*segment_, nullptr);
}

void TSegCompress::ReadSegmented(void* buffer, int32_t count) {
  auto* out = static_cast<uint8_t*>(buffer);
  while (count > 0) {
    if (segmentBytesLeft_ <= 0) NextSegment();
    const int32_t want =
        static_cast<int32_t>(std::min<int64_t>({int64_t{kBlockSize}, count, segmentBytesLeft_}));
    const int32_t got = segment_->Read(out, want);
    // A file that stops delivering while bytes are due would stall the loop.
    if (got <= 0) throw ESegError(kReadFailed);
    out += got;
    count -= got;
    segmentBytesLeft_ -= got;
    ProcessMessages();
  }
}

void TSegCompress::ReadSegmentId(TStream& stream, uint16_t* number, uint16_t* setId) {
  uint8_t raw[format::segment_id::kSize];
  if (stream.Read(raw, sizeof raw) != static_cast<int32_t>(sizeof raw) || !format::HasId(raw, "SSeg"))
    throw ESegError("(TSegCompress) Invalid Segment ID Header");
  if (number) *number = format::GetU16(raw + format::segment_id::kNumber);
  if (setId) *setId = format::GetU16(raw + format::segment_id::kSetId);
  segmentBytesLeft_ -= format::segment_id::kSize;
}

void TSegCompress::BeforeSegment(uint16_t n) {
  if (SegPopUp) {
    std::string value = segDir_;
    bool ok = false;
    for (;;) {
      value = segDir_;
      ok = Prompter && Prompter->InputQuery("Mount Segment #" + std::to_string(n), "Directory Path:", value);
      if (!ok || !value.empty()) break;
    }
    if (ok) segDir_ = value;
    else AbortFlag = true;
    if (Prompter) Prompter->RepaintOwner();
    if (AbortFlag) RaiseAbort();
    BuildSegmentPath();
  }
  if (OnSegBefore && !quietSegments_) OnSegBefore(SegMode, segName_, n);
  if (AbortFlag) RaiseAbort();
}

void TSegCompress::OpenSegment(uint16_t n) {
  segNumber_ = n;
  BuildSegmentPath();
  for (;;) {
    BeforeSegment(n);
    std::string message;
    if (!fs::FileExists(segPath_)) {
      message = "Unable to locate \"" + segName_ + "\" on this segment!" + kRetryTail;
    } else {
      uint16_t number = 0, setId = 0;
      try {
        TFileStream probe(segPath_, FileMode::kOpenRead);
        ReadSegmentId(probe, &number, &setId);
      } catch (const Exception&) {
        throw ESegError(kOpenFailed);
      }
      if (n == 1) setId_ = setId;
      // Sets written without an identity (0) are told apart by number only.
      const bool sameSet = setId_ == 0 || setId == setId_;
      if (number == n && sameSet) {
        try {
          segment_ = std::make_unique<TFileStream>(segPath_, FileMode::kOpenRead);
        } catch (const EStreamError&) {
          throw ESegError(kOpenFailed);
        }
        segmentBytesLeft_ = segment_->Size();
        return;
      }
      message = std::string("Incorrect segmented mounted!") + kRetryTail;
    }
    if (!Prompter || !Prompter->RetryBox(message)) {
      AbortFlag = true;
      RaiseAbort();
    }
  }
}

void TSegCompress::CloseSegment() {
  segment_.reset();
  segmentBytesLeft_ = 0;
}

void TSegCompEZ::SetSegSource(const TStringList& lines) {
  segSource_.Clear();
  for (int i = 0; i < lines.Count(); ++i) segSource_.Add(lines[i]);
}

void TSegCompEZ::ExpandAll() {
  SetTargetPath("");
  ExpandSegments(arcList_);
  segSource_.Clear();
  for (int i = 0; i < arcList_.Count(); ++i) segSource_.Add(arcList_[i].Template);
  SetTargetPath("");
}

}  // namespace zel
