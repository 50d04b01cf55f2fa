// A scratch folder for tests that touch the disk, below the current folder
// (Windows path form, so it works in both builds), named after the running
// test so that tests run in parallel do not meet. Created empty, removed with
// everything in it at the end of the test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/stream.h"

namespace zel::test {

using fs::RemoveTree;

class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name)
      : path_(IncludeTrailingBackslash(fs::GetCurrentDir()) + "scratch_" + name + "_" + CurrentTestName()) {
    RemoveTree(path_);
    fs::ForceDirectories(path_);
  }
  ~ScratchDir() { RemoveTree(path_); }
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  static std::string CurrentTestName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? std::string(info->test_suite_name()) + "." + info->name() : std::string("outside");
  }
  std::string path_;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
  TFileStream file(path, FileMode::kCreate);
  if (!bytes.empty()) file.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
}

inline std::string ReadFile(const std::string& path) {
  TFileStream file(path, FileMode::kOpenRead);
  std::string bytes(static_cast<size_t>(file.Size()), '\0');
  if (!bytes.empty()) file.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  return bytes;
}

}  // namespace zel::test
