// Helpers shared by the archive tests: a private scratch folder addressed by a
// Windows-style path, and whole-file reads and writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/fs.h"
#include "platform/stream.h"

namespace zel::test {

// A fresh folder, removed with everything in it when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  // The folder's Windows-style path (no trailing backslash).
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

using fs::RemoveTree;
void WriteBytes(const std::string& path, const std::vector<uint8_t>& data);
std::vector<uint8_t> ReadBytes(const std::string& path);
std::vector<uint8_t> Text(const std::string& s);
// Deterministic bytes: mixes runs, text-like data and noise.
std::vector<uint8_t> SampleData(size_t size, uint32_t seed);
std::vector<uint8_t> NoiseData(size_t size, uint32_t seed);

}  // namespace zel::test
