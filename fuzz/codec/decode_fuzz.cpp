// Fuzz entry for the codec's decoders. Input: three bytes of plain size
// (little endian, capped) and then the stored stream. ZEL_FUZZ_METHOD picks
// the method at build time, so each decoder has its own target and corpus.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "codec/codec.h"
#include "platform/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int32_t plainSize = static_cast<int32_t>((data[0] | (data[1] << 8) | (data[2] << 16)) % 300000);
  std::vector<uint8_t> stored(data + 3, data + size);
  zel::TMemoryStream source(stored);
  zel::TMemoryStream dest;
  uint32_t checksum = 0;
  try {
    zel::RunCodec({}, dest, source, static_cast<int32_t>(stored.size()), plainSize, ZEL_FUZZ_METHOD,
                  checksum, zel::CodecDirection::kExpand, false);
  } catch (const zel::ELZHBadDecodeTable&) {
    return 0;
  }
  // The LZH decoders stop between symbols: at most one match past the size.
  if (ZEL_FUZZ_METHOD != zel::coRLE && dest.Data().size() > static_cast<size_t>(plainSize) + 256) std::abort();
  return 0;
}
