#include "make_command.h"

#include <cstdint>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "archive/package.h"
#include "author/make_setup.h"
#include "author/media.h"
#include "author/script_check.h"
#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/native_path.h"
#include "platform/paths.h"
#include "platform/windows_family.h"

bool Progress::OnTerminal() { return isatty(fileno(stderr)) != 0; }

void Progress::Show(const std::string& what, int percent) {
  if (!onTerminal_) return;
  std::fprintf(stderr, "\r%-50.50s %3d%%", what.c_str(), percent);
  shown_ = true;
}

void Progress::Show(const std::string& text) {
  if (!onTerminal_) return;
  std::fprintf(stderr, "\r%-78.78s", text.c_str());
  shown_ = true;
}

void Progress::Done() {
  if (shown_) std::fprintf(stderr, "\r%79s\r", "");
  shown_ = false;
}

namespace {

// 1234567 -> "1,234,567".
std::string Grouped(int64_t n) {
  std::string digits = std::to_string(n < 0 ? -n : n);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<size_t>(i), ",");
  return n < 0 ? "-" + digits : digits;
}

std::string Percent(int64_t part, int64_t whole) {
  return whole > 0 ? std::to_string(part * 100 / whole) + "%" : std::string("-");
}

const zel::Medium& ChooseMedium(const std::string& name) {
  const zel::Medium* medium = zel::FindMedium(name.empty() ? "1.44M" : name);
  if (medium) return *medium;
  std::string names;
  for (const zel::Medium& m : zel::Media()) names += (names.empty() ? "" : ", ") + std::string(m.name);
  throw UsageError("--media: unknown medium \"" + name + "\" (" + names + ")");
}

std::string SetupProgram(const std::string& chosen) {
  std::vector<std::string> looked;
  const std::string found = zel::FindSetupProgram(zel::sys::ProgramFile(), chosen, &looked);
  if (!found.empty()) return found;
  if (!chosen.empty()) throw zel::Exception("--setup-exe: " + zel::NativePath(chosen) + ": no such file");
  std::string places;
  for (const std::string& p : looked) places += "\n  " + zel::NativePath(p);
  throw zel::Exception(
      "install.exe not found; build the Windows tree (scripts/build.sh win32) or name it with --setup-exe. "
      "Looked for:" + places);
}

void PrintSummary(const zel::MakeResult& r, const zel::Medium& medium) {
  std::printf("%d file(s), %s bytes in, %s bytes out (%s), %zu disk(s) of %s\n", r.files,
              Grouped(r.bytesIn).c_str(), Grouped(r.bytesOut).c_str(), Percent(r.bytesOut, r.bytesIn).c_str(),
              r.disks.size(), medium.description);
  for (const zel::DiskReport& d : r.disks) {
    std::string names;
    int64_t used = 0;
    for (const zel::DiskFile& f : d.files) {
      names += (names.empty() ? "" : ", ") + f.name;
      used += f.size;
    }
    const std::string free = d.space.limited ? Grouped(d.space.freeBytes) + " bytes free" : "no size limit";
    std::printf("  %s: %s (%s bytes; %s)\n", zel::NativePath(d.folder).c_str(), names.c_str(),
                Grouped(used).c_str(), free.c_str());
    if (!d.image.empty()) std::printf("  %s\n", zel::NativePath(d.image).c_str());
  }
}

}  // namespace

int RunMake(const MakeOptions& options, Progress& progress) {
  const zel::Medium& medium = ChooseMedium(options.media);
  if (options.images && !medium.floppy)
    throw UsageError(std::string("--images: a ") + medium.name + " has no floppy image");
  const std::string product = options.from.empty() ? zel::ExtractFilePath(options.script) : options.from;
  if (!zel::fs::DirectoryExists(product))
    throw zel::Exception(zel::NativePath(product) + ": no such product folder");

  const zel::ScriptCheck check = zel::CheckInstallScript(options.script, product, options.tmpDir);
  const std::string shown = options.scriptAsGiven.empty() ? zel::NativePath(options.script) : options.scriptAsGiven;
  for (const zel::Diagnostic& d : check.diagnostics) {
    const std::string where = d.line > 0 ? shown + ":" + std::to_string(d.line) : shown;
    std::fprintf(stderr, "%s: %s: %s\n", where.c_str(), d.error ? "error" : "warning", d.message.c_str());
  }
  if (check.Errors() > 0) {
    std::fprintf(stderr, "zelpack make: %d error(s), %d warning(s); nothing written\n", check.Errors(),
                 check.Warnings());
    return 1;
  }

  zel::MakeRequest request;
  request.script = options.script;
  request.setupExe = SetupProgram(options.setupExe);
  request.outDir = options.outDir;
  request.medium = &medium;
  request.images = options.images;
  request.method = options.method;
  request.templateName = zel::FolderLastName(product);
  request.tmpDir = options.tmpDir;
  request.onFile = [&](const std::string& name, int done, int count, int64_t in, int64_t out) {
    progress.Show("packing " + std::to_string(done) + "/" + std::to_string(count) + " " + name + ": " +
                  Grouped(in) + " -> " + Grouped(out) + " bytes (" + Percent(out, in) + ")");
  };
  const zel::MakeResult result = zel::MakeSetup(request, check.files);
  progress.Done();
  PrintSummary(result, medium);
  return 0;
}
