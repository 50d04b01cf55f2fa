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
constexpr uint32_t kErrorFileExists = 80;
constexpr unsigned kScratchNames = 1000;

// "<what> <path>: <why>" for the platform call that just failed: nothing may
// run between that call and this one.
[[noreturn]] void Fail(const char* what, const std::string& path) {
  const uint32_t error = sys::LastErrorCode();
  throw EStreamError(std::string(what) + " " + path + ": " + ErrorReason(error));
}

// A new, empty file beside target for the copy to grow in. Leftovers of an
// earlier run keep their names; the next free name is taken.
std::string CreateScratchBeside(const std::string& target) {
  const std::string folder = ExtractFilePath(target);
  for (unsigned n = 0; n < kScratchNames; ++n) {
    const std::string scratch = folder + "~zel" + ZeroPad(n, 3) + ".tmp";
    if (fs::CreateNewFile(scratch)) return scratch;
    if (sys::LastErrorCode() != kErrorFileExists) Fail("Cannot create file", target);
  }
  throw EFCreateError(FormatCreateError(target) + ": no free scratch name in its folder");
}

void CopyBlocks(TStream& input, TStream& output, const std::string& source, const std::string& target) {
  std::unique_ptr<uint8_t[]> block(new uint8_t[kCopyBlockSize]);
  for (;;) {
    const int32_t got = input.Read(block.get(), kCopyBlockSize);
    if (got < 0) Fail("Cannot read file", source);
    if (got == 0) return;
    if (output.Write(block.get(), got) != got) Fail("Cannot write file", target);
  }
}

}  // namespace

void CopyFileTo(const std::string& source, const std::string& destination) {
  std::string target = fs::ExpandFileName(destination);
  if (FileHasAttributes(target, static_cast<uint16_t>(fs::kAttrDirectory)))
    target = IncludeTrailingBackslash(target) + ExtractFileName(source);
  CopyFileAs(source, target);
}

void CopyFileAs(const std::string& source, const std::string& target) {
  TFileStream input(source, FileMode::kOpenReadShared);
  if (fs::DirectoryExists(target))
    throw EFCreateError(FormatCreateError(target) + ": a folder of that name is in the way");
  const std::string scratch = CreateScratchBeside(target);
  try {
    {
      TFileStream output(scratch, FileMode::kOpenReadWrite);
      CopyBlocks(input, output, source, target);
      const uint32_t stamp = fs::FileDosDateTime(source);
      if (stamp != 0 && !output.SetDosDateTime(stamp)) Fail("Cannot set the date of", target);
    }  // closed before it moves
    if (!fs::RenameFile(scratch, target)) Fail("Cannot replace", target);
  } catch (...) {
    fs::DeleteFile(scratch);
    throw;
  }
}

bool FileHasAttributes(const std::string& path, uint16_t attributes) {
  return (fs::GetAttributes(path) & attributes) == attributes;
}

intptr_t LaunchFile(const std::string& fileName, const std::string& params, const std::string& folder,
                    int showCmd) {
  return sys::ShellOpen(fileName, params, folder, showCmd);
}

}  // namespace zel
