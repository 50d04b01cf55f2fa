#include "shell/file_utils.h"

#include <memory>

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/stream.h"
#include "platform/system.h"

namespace zel {

namespace {
constexpr int32_t kCopyBlockSize = 8192;
}  // namespace

void CopyFileTo(const std::string& source, const std::string& destination) {
  std::string target = fs::ExpandFileName(destination);
  if (FileHasAttributes(target, static_cast<uint16_t>(fs::kAttrDirectory)))
    target = IncludeTrailingBackslash(target) + ExtractFileName(source);
  CopyFileAs(source, target);
}

void CopyFileAs(const std::string& source, const std::string& target) {
  std::unique_ptr<uint8_t[]> block(new uint8_t[kCopyBlockSize]);
  TFileStream input(source, FileMode::kOpenReadShared);
  // Both constructors throw the file errors with the paths named above; the
  // source is closed again when the destination cannot be created.
  TFileStream output(target, FileMode::kCreate);
  int32_t got = 0;
  do {
    got = input.Read(block.get(), kCopyBlockSize);
    if (got > 0) output.Write(block.get(), got);
  } while (got == kCopyBlockSize);
}

bool FileHasAttributes(const std::string& path, uint16_t attributes) {
  return (fs::GetAttributes(path) & attributes) == attributes;
}

intptr_t LaunchFile(const std::string& fileName, const std::string& params, const std::string& folder,
                    int showCmd) {
  return sys::ShellOpen(fileName, params, folder, showCmd);
}

}  // namespace zel
