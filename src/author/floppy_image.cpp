#include "author/floppy_image.h"

#include <ctime>

#include "platform/child_process.h"
#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/native_path.h"

namespace zel {

const char kMtoolsHint[] =
    "--images needs mformat and mcopy from mtools (Debian: apt-get install mtools; Windows: put mformat.exe and "
    "mcopy.exe on the PATH)";

namespace {

// Seconds since 1970 of a packed MS-DOS date and time (local time): mtools
// takes every time stamp it writes from SOURCE_DATE_EPOCH.
std::string EpochText(uint32_t dosDateTime) {
  std::tm tm{};
  tm.tm_year = static_cast<int>(dosDateTime >> 25) + 80;
  tm.tm_mon = static_cast<int>((dosDateTime >> 21) & 15) - 1;
  tm.tm_mday = static_cast<int>((dosDateTime >> 16) & 31);
  tm.tm_hour = static_cast<int>((dosDateTime >> 11) & 31);
  tm.tm_min = static_cast<int>((dosDateTime >> 5) & 63);
  tm.tm_sec = static_cast<int>(dosDateTime & 31) * 2;
  tm.tm_isdst = -1;
  const std::time_t t = std::mktime(&tm);
  return std::to_string(t < 0 ? 315532800 : static_cast<long long>(t));  // 1980-01-01 at the least
}

void Run(const std::vector<std::string>& argv, const std::string& epoch) {
  sys::ProgramRun how;
  how.environment = {{"SOURCE_DATE_EPOCH", epoch}};
  const int status = sys::RunProgram(argv, how);
  if (status < 0) throw Exception(std::string("cannot run ") + argv[0] + ": " + kMtoolsHint);
  if (status != 0) throw Exception(argv[0] + " failed (exit status " + std::to_string(status) + ")");
}

}  // namespace

bool MtoolsAvailable() {
  for (const char* program : {"mformat", "mcopy"})
    if (sys::RunProgram({program, "--version"}, {{}, true}) < 0) return false;
  return true;
}

void WriteFloppyImage(const Medium& medium, const std::string& image, const std::string& label,
                      const std::vector<std::string>& files, uint32_t dosDateTime) {
  if (!medium.mformatSize) throw Exception(std::string("no floppy image for the medium ") + medium.name);
  const std::string epoch = EpochText(dosDateTime);
  fs::DeleteFile(image);
  // mformat -C creates the image file; the serial number is fixed so that
  // the same disk gives the same image.
  Run({"mformat", "-C", "-i", NativePath(image), "-f", medium.mformatSize, "-v", label, "-N", "5A454C00", "::"},
      epoch);
  std::vector<std::string> copy = {"mcopy", "-i", NativePath(image)};
  for (const std::string& f : files) copy.push_back(NativePath(f));
  copy.push_back("::/");
  Run(copy, epoch);
}

}  // namespace zel
