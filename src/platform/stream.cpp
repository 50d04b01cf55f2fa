#include "platform/stream.h"

#include <algorithm>
#include <cstring>

#include "platform/errors.h"

namespace zel {

int64_t TStream::Size() {
  const int64_t here = Seek(0, SeekOrigin::kCurrent);
  const int64_t end = Seek(0, SeekOrigin::kEnd);
  Seek(here, SeekOrigin::kBegin);
  return end;
}

void TStream::ReadBuffer(void* buffer, int32_t count) {
  if (count > 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int32_t count) {
  if (count > 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.Seek(0, SeekOrigin::kBegin);
    count = source.Size();
  }
  constexpr int32_t kBlock = 8192;
  uint8_t buffer[kBlock];
  int64_t left = count;
  while (left > 0) {
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(left, kBlock));
    source.ReadBuffer(buffer, n);
    WriteBuffer(buffer, n);
    left -= n;
  }
  return count;
}

int32_t TMemoryStream::Read(void* buffer, int32_t count) {
  if (count <= 0 || position_ >= data_.size()) return 0;
  const size_t n = std::min(static_cast<size_t>(count), data_.size() - position_);
  std::memcpy(buffer, data_.data() + position_, n);
  position_ += n;
  return static_cast<int32_t>(n);
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  const size_t n = static_cast<size_t>(count);
  if (position_ + n > data_.size()) data_.resize(position_ + n);
  std::memcpy(data_.data() + position_, buffer, n);
  position_ += n;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base = 0;
  if (origin == SeekOrigin::kCurrent) base = static_cast<int64_t>(position_);
  if (origin == SeekOrigin::kEnd) base = static_cast<int64_t>(data_.size());
  const int64_t target = base + offset;
  position_ = target < 0 ? 0 : static_cast<size_t>(target);
  return static_cast<int64_t>(position_);
}

}  // namespace zel
