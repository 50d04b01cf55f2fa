// Reading an archive in place, straight from the segment files. Only a
// program that asks for it (zelpack) links this.
#include <algorithm>
#include <cstring>

#include "archive/seg_compress.h"

namespace zel {

namespace {

const char kOpenFailed[] = "(TSegCompress) Stream open failed";
const char kReadFailed[] = "(TSegCompress) Stream read failed";

}  // namespace

void TSegCompress::SkipSegmented(int64_t count) {
  while (count > 0) {
    if (segmentBytesLeft_ <= 0) NextSegment();
    const int64_t n = std::min(count, segmentBytesLeft_);
    segment_->Seek(n, SeekOrigin::kCurrent);
    count -= n;
    segmentBytesLeft_ -= n;
  }
}

TSegCompress::ReadMark TSegCompress::Mark() const {
  return {segNumber_, segment_ ? segment_->Position() : 0, segmentBytesLeft_};
}

void TSegCompress::Rewind(const ReadMark& mark) {
  if (!segment_ || segNumber_ != mark.number) {
    // The segment was opened when the mark was taken, and its events have
    // come; it must still be the same disk.
    CloseSegment();
    segNumber_ = mark.number;
    BuildSegmentPath();
    try {
      segment_ = std::make_unique<TFileStream>(segPath_, FileMode::kOpenRead);
    } catch (const EStreamError&) {
      throw ESegError(kOpenFailed);
    }
    uint16_t number = 0, setId = 0;
    ReadSegmentId(*segment_, &number, &setId);
    if (number != mark.number || (setId_ != 0 && setId != setId_)) throw ESegError(kReadFailed);
  }
  segment_->Seek(mark.position, SeekOrigin::kBegin);
  segmentBytesLeft_ = mark.bytesLeft;
}

// The bytes of one archive, read from the segment stream where they lie: a
// read-only stream over the next `size` bytes, read ahead in blocks of
// 64 KiB (never beyond the archive). Restart goes back to its start.
class TSegCompress::ArchiveSpan : public TStream {
 public:
  ArchiveSpan(TSegCompress& seg, int64_t size, bool reportProgress)
      : seg_(seg), start_(seg.Mark()), size_(size), report_(reportProgress) {}
  int32_t Read(void* buffer, int32_t count) override {
    if (count > size_ - position_) count = static_cast<int32_t>(size_ - position_);
    auto* out = static_cast<uint8_t*>(buffer);
    for (int32_t left = count; left > 0;) {
      if (position_ == read_) Fill();
      const int32_t n = static_cast<int32_t>(std::min<int64_t>(left, read_ - position_));
      std::memcpy(out, block_.data() + (position_ - blockStart_), static_cast<size_t>(n));
      out += n;
      left -= n;
      position_ += n;
    }
    return count < 0 ? 0 : count;
  }
  int32_t Write(const void*, int32_t) override { return 0; }
  int64_t Seek(int64_t offset, SeekOrigin origin) override {
    int64_t target = origin == SeekOrigin::kBegin ? offset : (origin == SeekOrigin::kEnd ? size_ : position_) + offset;
    target = std::clamp<int64_t>(target, 0, size_);
    if (target < blockStart_) {
      Restart();
    } else if (target > read_) {
      seg_.SkipSegmented(target - read_);
      blockStart_ = read_ = target;
    }
    position_ = target;
    return position_;
  }
  int64_t Size() override { return size_; }
  // Reads again from the archive's first byte, from the segment files.
  void Restart() {
    seg_.Rewind(start_);
    position_ = blockStart_ = read_ = 0;
  }

 private:
  static constexpr int32_t kBlock = 65536;
  void Fill() {
    const auto n = static_cast<int32_t>(std::min<int64_t>(kBlock, size_ - read_));
    block_.resize(kBlock);
    seg_.ReadSegmented(block_.data(), n);
    blockStart_ = read_;
    read_ += n;
    if (report_ && !seg_.quietSegments_ && seg_.OnSegShowProgress)
      seg_.OnSegShowProgress(static_cast<int32_t>(read_ * 100 / size_));
  }

  TSegCompress& seg_;
  const ReadMark start_;
  const int64_t size_;
  const bool report_;
  std::vector<uint8_t> block_;
  int64_t blockStart_ = 0;  // the archive offset of block_[0]
  int64_t read_ = 0;        // how far the segments have been read
  int64_t position_ = 0;
};

void ExpandArchiveInPlace(TSegCompress& seg, TSegArc& arc, int64_t size) {
  TSegCompress::ArchiveSpan archive(seg, size, true);
  if (!seg.TestOnly) {
    // Walking ahead opens later segments; their events come when the
    // expansion reaches them.
    seg.quietSegments_ = true;
    try {
      seg.CheckRoom(archive);
    } catch (...) {
      seg.quietSegments_ = false;
      throw;
    }
    seg.quietSegments_ = false;
    // Read again, so the segments walked come with their events.
    archive.Restart();
  }
  seg.MakeDirectories = true;
  seg.SetTargetPath(arc.TargetDir);
  seg.ExpandStreamFiles(archive, &arc.FileList);
  // What the expansion left unread (a stop asked by the owner) is passed over.
  archive.Seek(0, SeekOrigin::kEnd);
}

}  // namespace zel
