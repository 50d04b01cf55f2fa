// LZH methods not yet present in this build: they refuse to run.
#include "codec/codec_state.h"

namespace zel {
void LzhEncode(CodecState&) { throw Exception("LZH method not available"); }
void LzhDecode(CodecState&, int32_t) { throw Exception("LZH method not available"); }
}  // namespace zel
