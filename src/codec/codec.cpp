// RunCodec and the buffered byte source and sink of a codec run.
#include "codec/codec.h"

#include <memory>

#include "codec/codec_state.h"
#include "platform/messages.h"

namespace zel {

CodecState::CodecState(const CodecOwner& owner, TStream& dest, TStream& source, int32_t inputSize,
                       CodecDirection direction, bool scrambled)
    : onShowProgress_(owner.OnShowProgress),
      dest_(dest),
      source_(source),
      remainingInput_(inputSize < 0 ? 0 : inputSize) {
  const bool compressing = direction == CodecDirection::kCompress;
  // The reserve is subtracted in 64 bits so an odd reserve cannot wrap the limit.
  const int64_t limit = compressing ? int64_t{remainingInput_} - owner.OutputReserve : 2147483647;
  outputLimit_ = static_cast<int32_t>(limit < 0 ? 0 : (limit > 2147483647 ? 2147483647 : limit));
  scramble_ = compressing && owner.Key != 0;
  unscramble_ = !compressing && owner.Key != 0 && scrambled;
  const auto key = static_cast<uint32_t>(owner.Key);
  for (int i = 0; i < 4; ++i) key_[i] = static_cast<uint8_t>(key >> (8 * i));
}

uint8_t CodecState::Refill() {
  endOfInput_ = true;
  if (remainingInput_ == 0) return 0;
  if (chunkSize_ > remainingInput_) chunkSize_ = remainingInput_;
  int32_t got = source_.Read(in_, chunkSize_);
  if (got <= 0) return 0;
  if (got > chunkSize_) got = chunkSize_;  // a misbehaving stream cannot overrun the buffer
  remainingInput_ -= got;
  inPos_ = 0;
  inEnd_ = got;
  if (onShowProgress_) {
    bytesRead_ += got;
    const int32_t total = bytesRead_ + remainingInput_;
    int32_t percentage = total > 100000 ? bytesRead_ / (total / 100) : bytesRead_ * 100 / total;
    onShowProgress_(percentage);
    // Abandoned: the chunk stays readable, but the flag stays set.
    if (percentage == -1) return 0;
  }
  PumpWaitingMessages();
  endOfInput_ = false;
  return CodecReadByte();
}

void CodecState::FlushFull() {
  PumpWaitingMessages();
  dest_.WriteBuffer(out_, kBufferSize);
  outPos_ = 0;
}

void CodecState::CodecWriteBlock(const uint8_t* p, int32_t n) {
  if (scramble_ || outPos_ != 0 || outputLimit_ < n) {
    for (int32_t i = 0; i < n; ++i) CodecWriteByte(p[i]);
    return;
  }
  uint32_t sum = 0;
  for (int32_t i = 0; i < n; ++i) sum += p[i];
  writeChecksum_ += sum;
  outputLimit_ -= n;
  PumpWaitingMessages();
  if (n > 0) dest_.WriteBuffer(p, n);
}

void CodecState::FlushRest() {
  if (outPos_ > 0) dest_.WriteBuffer(out_, outPos_);
  outPos_ = 0;
}

void CodecState::ThrowUnableToCompress() { throw EUnableToCompress("Could not compress data"); }

void RaiseBadDecodeTable() { throw ELZHBadDecodeTable("Bad decode table in archive!"); }

namespace {

// Anything but the three methods writes nothing (checksum 0).
void Expand(CodecState& s, int method, int32_t uncompressedSize) {
  switch (method) {
    case coRLE:
      RleDecode(s);
      break;
    case coLZH:
      LzhDecode(s, uncompressedSize);
      break;
    case coLZH5:
      Lzh5Decode(s, uncompressedSize);
      break;
    default:
      break;
  }
}

}  // namespace

void ExpandCodec(const CodecOwner& owner, TStream& dest, TStream& source, int32_t inputSize,
                 int32_t uncompressedSize, int method, uint32_t& checksum, bool scrambled) {
  DriveCodec(owner, dest, source, inputSize, CodecDirection::kExpand, scrambled, checksum,
             [&](CodecState& s) { Expand(s, method, uncompressedSize); });
}

}  // namespace zel
