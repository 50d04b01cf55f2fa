// LZH methods not yet present in this build: they refuse to run.
#include "codec/codec_state.h"

namespace zel {
void LzhEncode(CodecState&) { throw Exception("LZH method not available"); }
void LzhDecode(CodecState&, int32_t) { throw Exception("LZH method not available"); }
void Lzh5Encode(CodecState&) { throw Exception("LH5 method not available"); }
void Lzh5Decode(CodecState&, int32_t) { throw Exception("LH5 method not available"); }
}  // namespace zel
