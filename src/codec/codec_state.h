// The working state of one codec run: buffered byte source and sink, progress,
// checksums, key scrambling and the output limit. Every method sees its stream
// only through CodecReadByte and CodecWriteByte. The byte paths are inline so
// the methods' inner loops stay cheap; the refill and flush are out of line.
// Each chunk read and each block written lets waiting window messages run
// (PumpWaitingMessages); the codec never gives the processor away itself.
//
// One CodecState belongs to one RunCodec call; nothing here is shared between
// runs, so two runs on different objects never disturb each other.
#pragma once

#include <cstdint>
#include <memory>

#include "codec/codec.h"
#include "platform/stream.h"

namespace zel {

class CodecState {
 public:
  static constexpr int32_t kBufferSize = 8192;

  CodecState(const CodecOwner& owner, TStream& dest, TStream& source, int32_t inputSize,
             CodecDirection direction, bool scrambled);
  CodecState(const CodecState&) = delete;
  CodecState& operator=(const CodecState&) = delete;

  // The next source byte. At the end of the input (or after the progress
  // handler answered -1) it returns 0 and sets EndOfInput; methods test the
  // flag, never the value.
  uint8_t CodecReadByte() {
    if (inPos_ == inEnd_) return Refill();
    uint8_t b = in_[inPos_++];
    readChecksum_ += b;
    if (unscramble_) b = KeyXorByte(b);
    return b;
  }

  // Reads up to n source bytes into dst, exactly as a loop of CodecReadByte
  // calls that stops at the first one setting EndOfInput would (same refills,
  // progress, checksum and key position), but a buffer at a time. Returns how
  // many bytes were stored.
  int32_t CodecReadBytes(uint8_t* dst, int32_t n) {
    int32_t got = 0;
    while (got < n) {
      if (endOfInput_ || inPos_ == inEnd_) {
        const uint8_t b = CodecReadByte();
        if (endOfInput_) break;
        dst[got++] = b;
        continue;
      }
      int32_t take = inEnd_ - inPos_;
      if (take > n - got) take = n - got;
      const uint8_t* src = in_ + inPos_;
      uint8_t* out = dst + got;
      uint32_t sum = 0;
      for (int32_t i = 0; i < take; ++i) {
        sum += src[i];
        out[i] = src[i];
      }
      if (unscramble_) {
        for (int32_t i = 0; i < take; ++i) out[i] = KeyXorByte(out[i]);
      }
      readChecksum_ += sum;
      inPos_ += take;
      got += take;
    }
    return got;
  }

  // Stores one byte for the destination. Throws EUnableToCompress when the
  // output limit is used up and the destination's write error when a full
  // buffer cannot be written.
  void CodecWriteByte(uint8_t b) {
    if (outputLimit_ <= 0) ThrowUnableToCompress();
    --outputLimit_;
    if (outPos_ == kBufferSize) FlushFull();
    if (scramble_) b = KeyXorByte(b);
    out_[outPos_++] = b;
    writeChecksum_ += b;
  }

  // Stores n bytes exactly as n calls of CodecWriteByte would (same limit,
  // flushes, scrambling and checksum), but in bulk.
  void CodecWriteBytes(const uint8_t* p, int32_t n) {
    if (scramble_) {
      for (int32_t i = 0; i < n; ++i) CodecWriteByte(p[i]);
      return;
    }
    while (n > 0) {
      if (outputLimit_ <= 0) ThrowUnableToCompress();
      if (outPos_ == kBufferSize) FlushFull();
      int32_t take = kBufferSize - outPos_;
      if (take > n) take = n;
      if (take > outputLimit_) take = outputLimit_;
      uint8_t* dst = out_ + outPos_;
      uint32_t sum = 0;
      for (int32_t i = 0; i < take; ++i) {
        dst[i] = p[i];
        sum += p[i];
      }
      writeChecksum_ += sum;
      outPos_ += take;
      outputLimit_ -= take;
      p += take;
      n -= take;
    }
  }

  // Stores n bytes exactly as n calls of CodecWriteByte would (same limit,
  // scrambling, checksum and destination writes). When nothing is buffered
  // and nothing is scrambled, the bytes go to the destination straight from
  // p, without a copy: a caller that only ever writes whole buffers this way
  // (8192 bytes; a shorter run last) gives the destination the same writes.
  void CodecWriteBlock(const uint8_t* p, int32_t n);

  // Scrambles or unscrambles one stored byte with the next key byte.
  uint8_t KeyXorByte(uint8_t b) {
    b ^= key_[keyPos_];
    keyPos_ = (keyPos_ + 1) & 3;
    return b;
  }

  bool EndOfInput() const { return endOfInput_; }
  // How many source bytes the current chunk still holds: what CodecReadBytes
  // hands out before it asks the source for more.
  int32_t BufferedInput() const { return inEnd_ - inPos_; }

  uint32_t ReadChecksum() const { return readChecksum_; }
  uint32_t WriteChecksum() const { return writeChecksum_; }
  // Writes what the output buffer still holds.
  void FlushRest();

  // Run-length state, fresh for every stream.
  uint8_t rleLastByte = 0;
  bool rleInRun = false;
  int32_t rleRunCount = 0;
  bool rleFirstByte = true;

 private:
  uint8_t Refill();
  void FlushFull();
  [[noreturn]] static void ThrowUnableToCompress();

  const TShowProgressEvent& onShowProgress_;
  TStream& dest_;
  TStream& source_;
  int32_t inPos_ = 0;
  int32_t inEnd_ = 0;
  int32_t outPos_ = 0;
  bool endOfInput_ = false;
  bool scramble_ = false;
  bool unscramble_ = false;
  uint8_t keyPos_ = 0;
  uint8_t key_[4] = {0, 0, 0, 0};
  int32_t remainingInput_;
  int32_t chunkSize_ = kBufferSize;
  int32_t bytesRead_ = 0;
  uint32_t readChecksum_ = 0;
  uint32_t writeChecksum_ = 0;
  int32_t outputLimit_;
  uint8_t in_[kBufferSize];
  uint8_t out_[kBufferSize];
};

// One run over a fresh state: `method` does the work, then the checksum of
// the plain side is taken and the rest of the output written.
template <typename Method>
void DriveCodec(const CodecOwner& owner, TStream& dest, TStream& source, int32_t inputSize,
                CodecDirection direction, bool scrambled, uint32_t& checksum, Method method) {
  auto state = std::make_unique<CodecState>(owner, dest, source, inputSize, direction, scrambled);
  CodecState& s = *state;
  method(s);
  const uint32_t sum = direction == CodecDirection::kExpand ? s.WriteChecksum() : s.ReadChecksum();
  s.FlushRest();
  checksum = sum;
}

// Throws ELZHBadDecodeTable ("Bad decode table in archive!").
[[noreturn]] void RaiseBadDecodeTable();

// The methods. Each reads and writes only through the state.
//
// The run-length decoder stops where its input ends. The LZH decoders may
// look at zero bits past the end of their input (or past the point where the
// progress handler gave up), but a stream that consumes any of them raises
// ELZHBadDecodeTable: no later than the next refill of the bit window or the
// next block header, and at the latest when the count is reached. A stream
// cut short, or an empty one with a large count, so ends in an error instead
// of producing its count of bytes out of nothing.
void RleEncode(CodecState& s);
void RleDecode(CodecState& s);
// Adaptive-Huffman LZH: count is the number of plain bytes to produce.
void LzhEncode(CodecState& s);
void LzhDecode(CodecState& s, int32_t count);
// Static-Huffman LZH (-lh5-). The decoder also throws ELZHBadDecodeTable for
// a code-length list that is not a complete prefix code or does not fit its
// alphabet.
void Lzh5Encode(CodecState& s);
void Lzh5Decode(CodecState& s, int32_t count);

}  // namespace zel
