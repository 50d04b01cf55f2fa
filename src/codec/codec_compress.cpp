// RunCodec: both directions of every method. Kept apart from the expanding
// entry so that a program which only expands never links the compressors.
#include "codec/codec.h"
#include "codec/codec_state.h"

namespace zel {
namespace {

void Compress(CodecState& s, int method) {
  switch (method) {
    case coRLE:
      RleEncode(s);
      break;
    case coLZH:
      LzhEncode(s);
      break;
    case coLZH5:
      Lzh5Encode(s);
      break;
    default:
      break;
  }
}

}  // namespace

void RunCodec(const CodecOwner& owner, TStream& dest, TStream& source, int32_t inputSize,
              int32_t uncompressedSize, int method, uint32_t& checksum, CodecDirection direction,
              bool scrambled) {
  if (direction == CodecDirection::kExpand) {
    ExpandCodec(owner, dest, source, inputSize, uncompressedSize, method, checksum, scrambled);
    return;
  }
  DriveCodec(owner, dest, source, inputSize, direction, scrambled, checksum,
             [&](CodecState& s) { Compress(s, method); });
}

}  // namespace zel
