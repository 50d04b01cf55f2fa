#include "archive_test_util.h"

#include <atomic>
#include <random>
#include <cstdlib>
#include <stdexcept>

#include "platform/paths.h"

namespace zel::test {

ScratchDir::ScratchDir() {
  static std::atomic<int> counter{0};
  std::string base = fs::GetCurrentDir();
  const char* env = std::getenv("TEST_TMPDIR");
  if (env && *env) base = env;
  for (;;) {
    path_ = ExcludeTrailingBackslash(base) + "\\zel_archive_test_" +
            std::to_string(std::random_device{}() % 1000000) + "_" + std::to_string(counter++);
    if (!fs::FileExists(path_) && !fs::DirectoryExists(path_)) break;
  }
  fs::ForceDirectories(path_);
}

ScratchDir::~ScratchDir() { RemoveTree(path_); }


void WriteBytes(const std::string& path, const std::vector<uint8_t>& data) {
  TFileStream file(path, FileMode::kCreate);
  if (!data.empty()) file.WriteBuffer(data.data(), static_cast<int32_t>(data.size()));
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  TFileStream file(path, FileMode::kOpenRead);
  std::vector<uint8_t> data(static_cast<size_t>(file.Size()));
  if (!data.empty()) file.ReadBuffer(data.data(), static_cast<int32_t>(data.size()));
  return data;
}

std::vector<uint8_t> Text(const std::string& s) { return {s.begin(), s.end()}; }

std::vector<uint8_t> NoiseData(size_t size, uint32_t seed) {
  std::vector<uint8_t> data(size);
  uint32_t x = seed * 2654435761u + 1;
  for (auto& b : data) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    b = static_cast<uint8_t>(x);
  }
  return data;
}

std::vector<uint8_t> SampleData(size_t size, uint32_t seed) {
  static const char* const kWords[] = {"setup ", "archive ", "segment ", "floppy ", "ZEL ",
                                       "install\r\n", "windows ", "folder "};
  std::vector<uint8_t> data;
  data.reserve(size);
  const std::vector<uint8_t> noise = NoiseData(size, seed);
  size_t i = 0;
  while (data.size() < size) {
    const uint8_t pick = noise[i++ % noise.size()];
    if (pick < 40) {
      data.insert(data.end(), pick % 50 + 3, static_cast<uint8_t>(pick));
    } else if (pick < 60) {
      data.push_back(noise[(i * 7) % noise.size()]);
    } else {
      const char* w = kWords[pick % 8];
      data.insert(data.end(), w, w + std::char_traits<char>::length(w));
    }
  }
  data.resize(size);
  return data;
}

}  // namespace zel::test
