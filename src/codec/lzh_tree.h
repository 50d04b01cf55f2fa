// The adaptive Huffman tree of the adaptive LZH method, shared by its encoder
// and decoder. Both sides start from the same tree and update it with every
// symbol, so they always agree on the codes.
//
// The input only ever picks which symbol is updated; the tree's shape stays
// consistent whatever the stream holds, so a damaged stream cannot drive a
// walk outside the tables.
#pragma once

#include <cstdint>

namespace zel::lzh {

constexpr int kRingSize = 4096;
constexpr int kLookahead = 60;  // longest match
constexpr int kThreshold = 2;   // matches of this length or shorter are literals
constexpr int kSymbols = 256 - kThreshold + kLookahead;  // 314
constexpr int kTableSize = 2 * kSymbols - 1;             // 627 node positions
constexpr int kRoot = kTableSize - 1;                    // 626
constexpr uint16_t kMaxFreq = 0x8000;

struct AdaptiveTree {
  uint16_t freq[kTableSize + 1];
  // Internal node: position of the first child; leaf: symbol + kTableSize.
  uint16_t son[kTableSize];
  // Parent of each position; entries kTableSize.. give each symbol's leaf.
  uint16_t parent[kTableSize + kSymbols];

  void Start();
  void Update(int symbol);
  // The current code of a symbol, root first in the low `length` bits of the
  // result (the first bit highest). Codes can be longer than 16 bits.
  uint64_t Code(int symbol, int& length) const {
    uint64_t bits = 0;
    length = 0;
    for (int k = parent[symbol + kTableSize]; k != kRoot; k = parent[k]) {
      bits |= static_cast<uint64_t>(k & 1) << length;
      ++length;
    }
    return bits;
  }

 private:
  void Rebuild();
};

// The fixed prefix code of a position's upper 6 bits.
struct PositionCode {
  uint8_t length[64];
  uint8_t code[64];        // left-aligned in 8 bits
  uint8_t decodeValue[256];  // by the next 8 bits
  uint8_t decodeLength[256];
  PositionCode();
};

extern const PositionCode kPositionCode;

}  // namespace zel::lzh
