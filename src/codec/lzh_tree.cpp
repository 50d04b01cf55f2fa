#include "codec/lzh_tree.h"

#include <cstring>

namespace zel::lzh {

void AdaptiveTree::Start() {
  for (int i = 0; i < kSymbols; ++i) {
    freq[i] = 1;
    son[i] = static_cast<uint16_t>(i + kTableSize);
    parent[i + kTableSize] = static_cast<uint16_t>(i);
  }
  for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
    freq[j] = static_cast<uint16_t>(freq[i] + freq[i + 1]);
    son[j] = static_cast<uint16_t>(i);
    parent[i] = parent[i + 1] = static_cast<uint16_t>(j);
  }
  freq[kTableSize] = 0xFFFF;  // sentinel: larger than any frequency
  parent[kRoot] = 0;
}

void AdaptiveTree::Rebuild() {
  // Gather the leaves at the front with halved frequencies.
  int j = 0;
  for (int i = 0; i < kTableSize; ++i) {
    if (son[i] >= kTableSize) {
      freq[j] = static_cast<uint16_t>((freq[i] + 1) / 2);
      son[j] = son[i];
      ++j;
    }
  }
  // Pair them up again, keeping the frequencies in order.
  for (int i = 0, node = kSymbols; node < kTableSize; i += 2, ++node) {
    const uint16_t f = static_cast<uint16_t>(freq[i] + freq[i + 1]);
    int k = node - 1;
    while (f < freq[k]) --k;
    ++k;
    const size_t moved = static_cast<size_t>(node - k) * sizeof(uint16_t);
    std::memmove(&freq[k + 1], &freq[k], moved);
    freq[k] = f;
    std::memmove(&son[k + 1], &son[k], moved);
    son[k] = static_cast<uint16_t>(i);
  }
  for (int i = 0; i < kTableSize; ++i) {
    const int k = son[i];
    if (k >= kTableSize) {
      parent[k] = static_cast<uint16_t>(i);
    } else {
      parent[k] = parent[k + 1] = static_cast<uint16_t>(i);
    }
  }
}

void AdaptiveTree::Update(int symbol) {
  if (freq[kRoot] == kMaxFreq) Rebuild();
  int c = parent[symbol + kTableSize];
  do {
    const uint16_t k = ++freq[c];
    if (k > freq[c + 1]) {
      // The last position whose frequency is still below k; the entries after
      // c are in order, and the sentinel ends the range. Most often it is
      // c + 1; otherwise a search whose steps choose with masks rather than
      // branches, since with even frequencies each step is a coin toss.
      int l = c + 1;
      int n = freq[l + 1] < k ? kTableSize - l : 1;
      while (n > 1) {
        const int half = n / 2;
        l += half & -static_cast<int>(freq[l + half] < k);
        n -= half;
      }
      freq[c] = freq[l];
      freq[l] = k;
      const int i = son[c];
      parent[i] = static_cast<uint16_t>(l);
      if (i < kTableSize) parent[i + 1] = static_cast<uint16_t>(l);
      const int j = son[l];
      son[l] = static_cast<uint16_t>(i);
      parent[j] = static_cast<uint16_t>(c);
      if (j < kTableSize) parent[j + 1] = static_cast<uint16_t>(c);
      son[c] = static_cast<uint16_t>(j);
      c = l;
    }
  } while ((c = parent[c]) != 0);
}

PositionCode::PositionCode() {
  // Lengths 3, 4, 5, 6, 7, 8 for 1, 3, 8, 12, 24 and 16 values.
  static const int kCounts[6] = {1, 3, 8, 12, 24, 16};
  int value = 0;
  uint32_t next = 0;
  int prevLength = 3;
  for (int g = 0; g < 6; ++g) {
    const int len = 3 + g;
    next <<= (len - prevLength);
    prevLength = len;
    for (int n = 0; n < kCounts[g]; ++n, ++value, ++next) {
      length[value] = static_cast<uint8_t>(len);
      code[value] = static_cast<uint8_t>(next << (8 - len));
    }
  }
  for (int v = 0; v < 64; ++v) {
    const int span = 1 << (8 - length[v]);
    for (int k = 0; k < span; ++k) {
      decodeValue[code[v] + k] = static_cast<uint8_t>(v);
      decodeLength[code[v] + k] = length[v];
    }
  }
}

const PositionCode kPositionCode;

}  // namespace zel::lzh
