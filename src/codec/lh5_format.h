// Parameters of the static-Huffman -lh5- bit stream, shared by its encoder
// and decoder.
#pragma once

#include <cstdint>

namespace zel::lh5 {

constexpr int kDictBits = 13;
constexpr int kDictSize = 1 << kDictBits;   // 8192-byte sliding dictionary
constexpr int kMaxMatch = 256;
constexpr int kThreshold = 3;               // shortest match
constexpr int kNC = 255 + kMaxMatch + 2 - kThreshold;  // 510 character/length symbols
constexpr int kNP = kDictBits + 1;          // 14 position symbols
constexpr int kNT = 16 + 3;                 // 19 code-length symbols
constexpr int kCBits = 9;                   // width of the character/length count
constexpr int kPBits = 4;                   // width of the position count
constexpr int kTBits = 5;                   // width of the code-length count
constexpr int kMaxCodeLength = 16;

}  // namespace zel::lh5
