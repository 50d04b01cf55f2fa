// Helpers that run one codec stream over byte vectors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codec/codec.h"
#include "platform/stream.h"

namespace zel::test {

using Bytes = std::vector<uint8_t>;

struct CodecResult {
  Bytes out;
  uint32_t checksum = 0xDEADBEEF;
};

inline CodecResult RunStream(int method, CodecDirection direction, const Bytes& in, int32_t plainSize = 0,
                       const CodecOwner& owner = {}, bool scrambled = false) {
  TMemoryStream source(in);
  TMemoryStream dest;
  CodecResult r;
  RunCodec(owner, dest, source, static_cast<int32_t>(in.size()), plainSize, method, r.checksum,
           direction, scrambled);
  r.out = dest.Data();
  return r;
}

// Compresses with room for growth (a negative reserve lifts the limit), so
// incompressible inputs still show their exact output.
inline Bytes Encode(int method, const Bytes& in, int32_t key = 0) {
  CodecOwner owner;
  owner.Key = key;
  owner.OutputReserve = -static_cast<int32_t>(in.size() + 64);
  return RunStream(method, CodecDirection::kCompress, in, 0, owner).out;
}

inline Bytes Decode(int method, const Bytes& in, int32_t plainSize, int32_t key = 0) {
  CodecOwner owner;
  owner.Key = key;
  return RunStream(method, CodecDirection::kExpand, in, plainSize, owner, key != 0).out;
}

inline uint32_t Sum(const Bytes& b) {
  uint32_t s = 0;
  for (uint8_t c : b) s += c;
  return s;
}

inline Bytes FromString(const std::string& s) { return Bytes(s.begin(), s.end()); }

// Deterministic pseudo-random bytes (xorshift), for test data that must not change.
inline Bytes RandomBytes(size_t n, uint32_t seed, int modulo = 256) {
  Bytes b(n);
  uint32_t x = seed ? seed : 1;
  for (auto& c : b) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = static_cast<uint8_t>((x >> 8) % static_cast<uint32_t>(modulo));
  }
  return b;
}

// Text-like data: words from a small vocabulary with spaces and line breaks.
inline Bytes TextBytes(size_t n, uint32_t seed) {
  static const char* const kWords[] = {"the", "setup", "installs", "files", "into", "a",
                                       "folder", "and", "writes", "registry", "values", "of",
                                       "program", "Windows", "shortcut", "disk"};
  Bytes b;
  uint32_t x = seed ? seed : 7;
  while (b.size() < n) {
    x = x * 1103515245u + 12345u;
    const char* w = kWords[(x >> 16) & 15];
    while (*w && b.size() < n) b.push_back(static_cast<uint8_t>(*w++));
    if (b.size() < n) b.push_back(((x >> 24) & 7) == 0 ? '\n' : ' ');
  }
  return b;
}

}  // namespace zel::test
