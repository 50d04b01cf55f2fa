// Static-Huffman LZH encoder (-lh5-).
//
// Matches are found with a Patricia tree over the sliding dictionary: roots
// are 8192 + first byte, internal nodes 1..8191 come from a free list, leaves
// are the text positions 8192..16383. A node's children are found through a
// hash of (node, byte) whose chain heads share the `next` table with the
// sibling chains and the free list. Each internal node remembers a recent text
// position below it; positions flagged kPerc still have to be passed up to the
// node's parent when the leaf that set them goes away.
//
// Symbols are gathered per block (flag bytes plus literals and matches) and
// the block's Huffman codes are built when it is sent.
#include <bit>
#include <cstring>
#include <memory>

#include "codec/codec_state.h"
#include "codec/lh5_format.h"

namespace zel {
namespace {

using namespace lh5;

constexpr int kNil = 0;
constexpr uint16_t kPerc = 0x8000;
static_assert(kPerc == 1u << 15);  // the flag walk below takes it as the top bit
constexpr int kTextSize = 2 * kDictSize + kMaxMatch;
constexpr int kNodeCount = kDictSize + 256;            // internal nodes and roots
// Child lookup: chain heads for (node, byte) pairs follow the node and leaf
// entries in `next`, as many as 16-bit links can name. A multiplicative hash
// spread over all of them keeps the chains short; which child is found does
// not depend on the hash, only how fast.
constexpr int kHeads = 65536 - 2 * kDictSize;
constexpr int kNextSize = 2 * kDictSize + kHeads;
// Chain links store hash-head indices in 16 bits.
static_assert(kNextSize <= 65536);
constexpr int kBlockBufferSize = 16384;
constexpr int kBlockThreshold = kBlockBufferSize - 3 * 8;  // 16360

struct Lh5Encoder {
  explicit Lh5Encoder(CodecState& state) : s(state) {}
  CodecState& s;

  // --- match finder
  // Word compares may read a few bytes past the text; they never decide a match.
  uint8_t text[kTextSize + 8];
  uint8_t level[kNodeCount];
  uint8_t childCount[kNodeCount];
  // XOR of each node's children: once a node is down to one child, this is
  // that child, found without a hash lookup.
  uint16_t childXor[kNodeCount];
  uint16_t position[kNodeCount];
  uint16_t parent[2 * kDictSize];
  uint16_t prev[2 * kDictSize];
  uint16_t next[kNextSize];
  int avail = 1;
  int pos = 0;
  int matchLen = 0;
  int matchPos = 0;
  int remainder = 0;

  // --- block gathering and codes
  uint8_t buf[kBlockBufferSize];
  int outputPos = 0;
  int outputMask = 0;
  int flagPos = 0;
  uint16_t cFreq[2 * kNC - 1];
  uint16_t tFreq[2 * kNT - 1];
  uint16_t pFreq[2 * kNP - 1];
  uint8_t cLen[kNC];
  uint16_t cCode[kNC];
  uint8_t ptLen[kNT];
  uint16_t ptCode[kNT];

  // --- tree building scratch
  uint16_t heap[kNC + 1];
  uint16_t left[2 * kNC - 1];
  uint16_t right[2 * kNC - 1];
  int heapSize = 0;
  int treeN = 0;
  uint16_t* treeFreq = nullptr;
  uint16_t lenCount[kMaxCodeLength + 1];

  // --- bit writer: the pending bits are the low bitCount bits of bitBuf,
  // first bit highest. Whole 32-bit words go to a staging buffer that reaches
  // the codec's sink in bulk; the output limit applies to it as it would to
  // single bytes, only noticed a little later.
  static constexpr int kStageSize = 4096;
  uint64_t bitBuf = 0;
  int bitCount = 0;
  int stagePos = 0;
  uint8_t stage[kStageSize];

  void PutBits(int n, uint32_t x) {
    bitBuf = (bitBuf << n) | (x & ((1u << n) - 1));
    bitCount += n;
    if (bitCount >= 32) {
      bitCount -= 32;
      const auto w = static_cast<uint32_t>(bitBuf >> bitCount);
      if (stagePos > kStageSize - 4) FlushStage();
      stage[stagePos] = static_cast<uint8_t>(w >> 24);
      stage[stagePos + 1] = static_cast<uint8_t>(w >> 16);
      stage[stagePos + 2] = static_cast<uint8_t>(w >> 8);
      stage[stagePos + 3] = static_cast<uint8_t>(w);
      stagePos += 4;
    }
  }

  void FlushStage() {
    s.CodecWriteBytes(stage, stagePos);
    stagePos = 0;
  }

  // Sends the whole bytes still pending; bits of an incomplete byte are dropped.
  void FlushBits() {
    while (bitCount >= 8) {
      bitCount -= 8;
      if (stagePos == kStageSize) FlushStage();
      stage[stagePos++] = static_cast<uint8_t>(bitBuf >> bitCount);
    }
    FlushStage();
  }

  // A chain holds children of several nodes, told apart by their parent, but
  // never two children of one node: for a fixed node the byte maps to distinct
  // heads, since it is added after the node's scrambled base.
  static int Hash(int node, int c) {
    const uint32_t mixed = static_cast<uint32_t>(node) * 2654435761u;
    uint32_t h = static_cast<uint32_t>((static_cast<uint64_t>(mixed) * kHeads) >> 32) + static_cast<uint32_t>(c);
    if (h >= static_cast<uint32_t>(kHeads)) h -= kHeads;
    return 2 * kDictSize + static_cast<int>(h);
  }

  // How many leading bytes of a and b agree, at most limit (> 0).
  static int CommonPrefix(const uint8_t* a, const uint8_t* b, int limit) {
    int n = 0;
    if constexpr (std::endian::native != std::endian::little) {
      while (n < limit && a[n] == b[n]) ++n;
      return n;
    }
    do {
      uint64_t x, y;
      std::memcpy(&x, a + n, 8);
      std::memcpy(&y, b + n, 8);
      if (const uint64_t d = x ^ y) {
        n += std::countr_zero(d) >> 3;
        return n < limit ? n : limit;
      }
      n += 8;
    } while (n < limit);
    return limit;
  }

  void InitSlide();
  int Child(int q, int c);
  void MakeChild(int q, int c, int r);
  void Split(int old);
  [[gnu::always_inline]] inline void InsertNode();
  [[gnu::always_inline]] inline void DeleteNode();
  int ReadText(int at, int n);
  [[gnu::always_inline]] inline void GetNextMatch();

  void Output(int c, int p);
  void SendBlock();
  template <typename Emit>
  void ForEachCLenCode(int n, Emit emit) const;
  int CLenCount() const;
  void CountTFreq();
  void WritePtLen(int n, int nbit, int special);
  void WriteCLen();
  void EncodeC(int c) { PutBits(cLen[c], cCode[c]); }
  void EncodeP(int p);

  void DownHeap(int i);
  void CountLen(int node, int depth);
  void MakeLen(int root, const uint16_t* order, uint8_t* len);
  static void MakeCode(int n, const uint8_t* len, uint16_t* code);
  int MakeTree(int n, uint16_t* freq, uint8_t* len, uint16_t* code);

  void Run();
};

// ---------------------------------------------------------------- match finder

void Lh5Encoder::InitSlide() {
  for (int i = kDictSize; i < kDictSize + 256; ++i) {
    level[i] = 1;
    position[i] = kNil;
  }
  for (int i = kDictSize; i < 2 * kDictSize; ++i) parent[i] = kNil;
  avail = 1;
  for (int i = 1; i < kDictSize - 1; ++i) next[i] = static_cast<uint16_t>(i + 1);
  next[kDictSize - 1] = kNil;
  for (int i = 2 * kDictSize; i < kNextSize; ++i) next[i] = kNil;
}

int Lh5Encoder::Child(int q, int c) {
  int r = next[Hash(q, c)];
  parent[kNil] = static_cast<uint16_t>(q);  // sentinel ends the chain walk
  while (parent[r] != q) r = next[r];
  return r;
}

void Lh5Encoder::MakeChild(int q, int c, int r) {
  const int h = Hash(q, c);
  const int t = next[h];
  next[h] = static_cast<uint16_t>(r);
  next[r] = static_cast<uint16_t>(t);
  prev[t] = static_cast<uint16_t>(r);
  prev[r] = static_cast<uint16_t>(h);
  parent[r] = static_cast<uint16_t>(q);
  childCount[q]++;
  childXor[q] ^= static_cast<uint16_t>(r);
}

void Lh5Encoder::Split(int old) {
  const int node = avail;
  avail = next[node];
  childCount[node] = 0;
  childXor[node] = 0;
  int t = prev[old];
  prev[node] = static_cast<uint16_t>(t);
  next[t] = static_cast<uint16_t>(node);
  t = next[old];
  next[node] = static_cast<uint16_t>(t);
  prev[t] = static_cast<uint16_t>(node);
  parent[node] = parent[old];
  childXor[parent[old]] ^= static_cast<uint16_t>(old ^ node);
  level[node] = static_cast<uint8_t>(matchLen);
  position[node] = static_cast<uint16_t>(pos);
  MakeChild(node, text[matchPos + matchLen], old);
  MakeChild(node, text[pos + matchLen], pos);
}

void Lh5Encoder::InsertNode() {
  int q, r;
  if (matchLen >= 4) {
    // The string at pos shares matchLen - 1 bytes with the one after the last
    // match: start from that leaf's branch instead of the root.
    --matchLen;
    r = (matchPos + 1) | kDictSize;
    while ((q = parent[r]) == kNil) r = next[r];
    while (level[q] >= matchLen) {
      r = q;
      q = parent[q];
    }
    // Flagged ancestors take pos and the first unflagged one is flagged.
    // Whether a node is flagged is hard to predict, so each round does two
    // levels with masks instead of branches, storing back the value it read
    // where a node is not flagged. Past a root the reads stay inside the
    // tables and the stores change nothing.
    int t = q;
    for (;;) {
      const int t1 = parent[t];
      const unsigned p0 = position[t];
      const unsigned p1 = position[t1];
      const unsigned m0 = 0u - (p0 >> 15);         // all ones when t is flagged
      const unsigned m1 = m0 & (0u - (p1 >> 15));  // ... and t1 as well
      const auto v = static_cast<unsigned>(pos);
      position[t] = static_cast<uint16_t>(p0 ^ ((p0 ^ v) & m0));
      position[t1] = static_cast<uint16_t>(p1 ^ ((p1 ^ v) & m1));
      if (__builtin_expect(m1 == 0, 1)) {
        t ^= (t ^ t1) & static_cast<int>(m0);  // t1 when t was flagged
        break;
      }
      t = parent[t1];
    }
    if (t < kDictSize) position[t] = static_cast<uint16_t>(pos | kPerc);
  } else {
    q = text[pos] + kDictSize;
    const int c = text[pos + 1];
    if ((r = Child(q, c)) == kNil) {
      MakeChild(q, c, pos);
      matchLen = 1;
      return;
    }
    matchLen = 2;
  }
  for (;;) {
    int j;
    if (r >= kDictSize) {
      j = kMaxMatch;
      matchPos = r;
    } else {
      j = level[r];
      matchPos = position[r] & ~kPerc;
    }
    if (matchPos >= pos) matchPos -= kDictSize;
    if (matchLen < j) {
      matchLen += CommonPrefix(&text[pos + matchLen], &text[matchPos + matchLen], j - matchLen);
      if (matchLen < j) {
        Split(r);
        return;
      }
    }
    if (matchLen >= kMaxMatch) break;
    position[r] = static_cast<uint16_t>(pos);
    q = r;
    const int c = text[pos + matchLen];
    if ((r = Child(q, c)) == kNil) {
      MakeChild(q, c, pos);
      return;
    }
    ++matchLen;
  }
  // A full-length match: the new leaf takes the old one's place, and the old
  // leaf's `next` points at its successor.
  int t = prev[r];
  prev[pos] = static_cast<uint16_t>(t);
  next[t] = static_cast<uint16_t>(pos);
  t = next[r];
  next[pos] = static_cast<uint16_t>(t);
  prev[t] = static_cast<uint16_t>(pos);
  parent[pos] = static_cast<uint16_t>(q);
  childXor[q] ^= static_cast<uint16_t>(r ^ pos);
  parent[r] = kNil;
  next[r] = static_cast<uint16_t>(pos);
}

void Lh5Encoder::DeleteNode() {
  if (parent[pos] == kNil) return;
  int r = prev[pos];
  int sib = next[pos];
  next[r] = static_cast<uint16_t>(sib);
  prev[sib] = static_cast<uint16_t>(r);
  r = parent[pos];
  parent[pos] = kNil;
  childXor[r] ^= static_cast<uint16_t>(pos);
  if (r >= kDictSize || --childCount[r] > 1) return;
  // r is left with one child: pass its position up and splice it out.
  int t = position[r] & ~kPerc;
  if (t >= pos) t -= kDictSize;
  int best = t;
  int q = parent[r];
  int u;
  while ((u = position[q]) & kPerc) {
    u &= ~kPerc;
    if (u >= pos) u -= kDictSize;
    if (u > best) best = u;
    position[q] = static_cast<uint16_t>(best | kDictSize);
    q = parent[q];
  }
  if (q < kDictSize) {
    if (u >= pos) u -= kDictSize;
    if (u > best) best = u;
    position[q] = static_cast<uint16_t>(best | kDictSize | kPerc);
  }
  const int only = childXor[r];
  t = prev[only];
  u = next[only];
  next[t] = static_cast<uint16_t>(u);
  prev[u] = static_cast<uint16_t>(t);
  t = prev[r];
  next[t] = static_cast<uint16_t>(only);
  prev[only] = static_cast<uint16_t>(t);
  t = next[r];
  prev[t] = static_cast<uint16_t>(only);
  next[only] = static_cast<uint16_t>(t);
  parent[only] = parent[r];
  childXor[parent[r]] ^= static_cast<uint16_t>(r ^ only);
  parent[r] = kNil;
  next[r] = static_cast<uint16_t>(avail);
  avail = r;
}

int Lh5Encoder::ReadText(int at, int n) { return s.CodecReadBytes(text + at, n); }

void Lh5Encoder::GetNextMatch() {
  --remainder;
  if (++pos == 2 * kDictSize) {
    std::memmove(text, text + kDictSize, kDictSize + kMaxMatch);
    remainder += ReadText(kDictSize + kMaxMatch, kDictSize);
    pos = kDictSize;
  }
  DeleteNode();
  InsertNode();
}

// ---------------------------------------------------------------- blocks

void Lh5Encoder::Output(int c, int p) {
  if ((outputMask >>= 1) == 0) {
    outputMask = 0x80;
    if (outputPos >= kBlockThreshold) {
      SendBlock();
      outputPos = 0;
    }
    flagPos = outputPos++;
    buf[flagPos] = 0;
  }
  buf[outputPos++] = static_cast<uint8_t>(c);
  cFreq[c]++;
  if (c >= 256) {
    buf[flagPos] |= static_cast<uint8_t>(outputMask);
    buf[outputPos++] = static_cast<uint8_t>(p >> 8);
    buf[outputPos++] = static_cast<uint8_t>(p);
    pFreq[std::bit_width(static_cast<unsigned>(p))]++;
  }
}

// The character lengths as the length list codes them: a length k as code
// k + 2; a run of zeros as code 0 once per zero (runs of 1 and 2), code 1 with
// 4 bits (3 to 18), code 0 then code 1 with 15 (19), or code 2 with 9 bits (20
// and more). Emit receives (code, extra bits, extra value).
template <typename Emit>
void Lh5Encoder::ForEachCLenCode(int n, Emit emit) const {
  int i = 0;
  while (i < n) {
    const int k = cLen[i++];
    if (k != 0) {
      emit(k + 2, 0, 0);
      continue;
    }
    int run = 1;
    while (i < n && cLen[i] == 0) {
      ++i;
      ++run;
    }
    if (run <= 2) {
      for (int z = 0; z < run; ++z) emit(0, 0, 0);
    } else if (run <= 18) {
      emit(1, 4, run - 3);
    } else if (run == 19) {
      emit(0, 0, 0);
      emit(1, 4, 15);
    } else {
      emit(2, kCBits, run - 20);
    }
  }
}

int Lh5Encoder::CLenCount() const {
  int n = kNC;
  while (n > 0 && cLen[n - 1] == 0) --n;
  return n;
}

void Lh5Encoder::CountTFreq() {
  for (int i = 0; i < kNT; ++i) tFreq[i] = 0;
  ForEachCLenCode(CLenCount(), [this](int code, int, int) { tFreq[code]++; });
}

void Lh5Encoder::WritePtLen(int n, int nbit, int special) {
  while (n > 0 && ptLen[n - 1] == 0) --n;
  PutBits(nbit, static_cast<uint32_t>(n));
  int i = 0;
  while (i < n) {
    const int k = ptLen[i++];
    if (k <= 6) {
      PutBits(3, static_cast<uint32_t>(k));
    } else {
      PutBits(k - 3, (1u << (k - 3)) - 2);
    }
    if (i == special) {
      while (i < 6 && ptLen[i] == 0) ++i;
      PutBits(2, static_cast<uint32_t>((i - 3) & 3));
    }
  }
}

void Lh5Encoder::WriteCLen() {
  const int n = CLenCount();
  PutBits(kCBits, static_cast<uint32_t>(n));
  ForEachCLenCode(n, [this](int code, int bits, int value) {
    PutBits(ptLen[code], ptCode[code]);
    PutBits(bits, static_cast<uint32_t>(value));
  });
}

void Lh5Encoder::EncodeP(int p) {
  const int c = std::bit_width(static_cast<unsigned>(p));
  PutBits(ptLen[c], ptCode[c]);
  if (c > 1) PutBits(c - 1, static_cast<uint32_t>(p) & (0xFFFFu >> (17 - c)));
}

void Lh5Encoder::SendBlock() {
  int root = MakeTree(kNC, cFreq, cLen, cCode);
  const int size = cFreq[root];
  PutBits(16, static_cast<uint32_t>(size));
  if (root >= kNC) {
    CountTFreq();
    root = MakeTree(kNT, tFreq, ptLen, ptCode);
    if (root >= kNT) {
      WritePtLen(kNT, kTBits, 3);
    } else {
      PutBits(kTBits, 0);
      PutBits(kTBits, static_cast<uint32_t>(root));
    }
    WriteCLen();
  } else {
    PutBits(kTBits, 0);
    PutBits(kTBits, 0);
    PutBits(kCBits, 0);
    PutBits(kCBits, static_cast<uint32_t>(root));
  }
  root = MakeTree(kNP, pFreq, ptLen, ptCode);
  if (root >= kNP) {
    WritePtLen(kNP, kPBits, -1);
  } else {
    PutBits(kPBits, 0);
    PutBits(kPBits, static_cast<uint32_t>(root));
  }
  int at = 0;
  int flags = 0;
  for (int i = 0; i < size; ++i) {
    if (i % 8 == 0) {
      flags = buf[at++];
    } else {
      flags <<= 1;
    }
    if (flags & 0x80) {
      EncodeC(buf[at++] + 256);
      int k = buf[at++] << 8;
      k += buf[at++];
      EncodeP(k);
    } else {
      EncodeC(buf[at++]);
    }
  }
  std::memset(cFreq, 0, sizeof cFreq);
  std::memset(pFreq, 0, sizeof pFreq);
}

// ---------------------------------------------------------------- Huffman codes

void Lh5Encoder::DownHeap(int i) {
  const int k = heap[i];
  int j;
  while ((j = 2 * i) <= heapSize) {
    if (j < heapSize && treeFreq[heap[j]] > treeFreq[heap[j + 1]]) ++j;
    if (treeFreq[k] <= treeFreq[heap[j]]) break;
    heap[i] = heap[j];
    i = j;
  }
  heap[i] = static_cast<uint16_t>(k);
}

void Lh5Encoder::CountLen(int node, int depth) {
  if (node < treeN) {
    lenCount[depth < kMaxCodeLength ? depth : kMaxCodeLength]++;
    return;
  }
  CountLen(left[node], depth + 1);
  CountLen(right[node], depth + 1);
}

void Lh5Encoder::MakeLen(int root, const uint16_t* order, uint8_t* len) {
  for (auto& c : lenCount) c = 0;
  CountLen(root, 0);
  uint32_t cum = 0;
  for (int i = kMaxCodeLength; i > 0; --i) cum += static_cast<uint32_t>(lenCount[i]) << (16 - i);
  // Depths beyond 16 were counted as 16; move codes until the lengths fit.
  while (cum > 0x10000) {
    lenCount[kMaxCodeLength]--;
    for (int i = kMaxCodeLength - 1; i > 0; --i) {
      if (lenCount[i] != 0) {
        lenCount[i]--;
        lenCount[i + 1] += 2;
        break;
      }
    }
    --cum;
  }
  for (int i = kMaxCodeLength; i > 0; --i) {
    for (int k = lenCount[i]; k > 0; --k) len[*order++] = static_cast<uint8_t>(i);
  }
}

void Lh5Encoder::MakeCode(int n, const uint8_t* len, uint16_t* code) {
  uint32_t count[kMaxCodeLength + 1] = {};
  for (int i = 0; i < n; ++i) count[len[i]]++;
  uint32_t start[kMaxCodeLength + 2];
  start[1] = 0;
  for (int i = 1; i <= kMaxCodeLength; ++i) start[i + 1] = (start[i] + count[i]) << 1;
  for (int i = 0; i < n; ++i) code[i] = static_cast<uint16_t>(start[len[i]]++);
}

// Returns the root: a node number >= n, or the only symbol when fewer than two
// symbols occur (its length is then 0).
int Lh5Encoder::MakeTree(int n, uint16_t* freq, uint8_t* len, uint16_t* code) {
  treeN = n;
  treeFreq = freq;
  heapSize = 0;
  heap[1] = 0;
  for (int i = 0; i < n; ++i) {
    len[i] = 0;
    if (freq[i]) heap[++heapSize] = static_cast<uint16_t>(i);
  }
  if (heapSize < 2) {
    code[heap[1]] = 0;
    return heap[1];
  }
  for (int i = heapSize / 2; i >= 1; --i) DownHeap(i);
  // The leaves in the order they leave the heap; the code table serves as the list.
  uint16_t* order = code;
  int next_node = n;
  int k;
  do {
    const int i = heap[1];
    if (i < n) *order++ = static_cast<uint16_t>(i);
    heap[1] = heap[heapSize--];
    DownHeap(1);
    const int j = heap[1];
    if (j < n) *order++ = static_cast<uint16_t>(j);
    k = next_node++;
    freq[k] = static_cast<uint16_t>(freq[i] + freq[j]);
    heap[1] = static_cast<uint16_t>(k);
    DownHeap(1);
    left[k] = static_cast<uint16_t>(i);
    right[k] = static_cast<uint16_t>(j);
  } while (heapSize > 1);
  MakeLen(k, code, len);
  MakeCode(n, len, code);
  return k;
}

// ---------------------------------------------------------------- driver

void Lh5Encoder::Run() {
  std::memset(text, 0, sizeof text);
  std::memset(cFreq, 0, sizeof cFreq);
  std::memset(pFreq, 0, sizeof pFreq);
  std::memset(childCount, 0, sizeof childCount);
  std::memset(childXor, 0, sizeof childXor);
  std::memset(prev, 0, sizeof prev);
  std::memset(position, 0, sizeof position);
  std::memset(level, 0, sizeof level);
  InitSlide();
  const int start = kDictSize + kMaxMatch;
  remainder = ReadText(start, kDictSize);
  if (remainder == 0) return;
  std::memset(text + start + remainder, ' ', kTextSize - start - remainder);
  pos = start;
  matchLen = 0;
  matchPos = 0;
  InsertNode();
  if (matchLen > remainder) matchLen = remainder;
  while (remainder > 0) {
    const int lastLen = matchLen;
    const int lastPos = matchPos;
    GetNextMatch();
    if (matchLen > remainder) matchLen = remainder;
    if (matchLen > lastLen || lastLen < kThreshold) {
      Output(text[pos - 1], 0);
    } else {
      Output(lastLen + (256 - kThreshold), (pos - lastPos - 2) & (kDictSize - 1));
      for (int k = lastLen - 1; k > 0; --k) GetNextMatch();
      if (matchLen > remainder) matchLen = remainder;
    }
  }
  SendBlock();
  PutBits(7, 0);
  FlushBits();
}

}  // namespace

void Lzh5Encode(CodecState& s) {
  auto encoder = std::make_unique<Lh5Encoder>(s);
  encoder->Run();
}

}  // namespace zel
