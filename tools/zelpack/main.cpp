// zelpack: packs a product folder into a segment set for the setup program,
// and lists, verifies or extracts such a set.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "archive/package.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/safe_name.h"

namespace {

const char kUsage[] =
    "Usage: zelpack <command> [options] ...\n"
    "\n"
    "Commands:\n"
    "  build [options] OUTDIR FOLDER [FOLDER...]  pack each FOLDER (recursively) as one\n"
    "                                             archive of a segment set in OUTDIR\n"
    "  list [options] SEGDIR                      list the archives and their files\n"
    "  test [options] SEGDIR                      verify every checksum, write nothing\n"
    "  extract [options] SEGDIR DESTDIR           expand every archive below DESTDIR\n"
    "\n"
    "Options:\n"
    "  --method NON|RLE|LZH|LH5   build: compression method (default LH5)\n"
    "  --segment-size BYTES       build: size of each segment file, header included\n"
    "                             (default 1457664, one 1.44 MB floppy; minimum 16)\n"
    "  --per-disk                 build: put segment n into OUTDIR\\disk<n>\n"
    "  --template TEXT            build: template of the next archive (repeatable;\n"
    "                             default: the folder's name followed by \\*.*)\n"
    "  --key N                    key (1..2147483647) locking the entries\n"
    "  --name BASE                base name of the segment files (default disk)\n"
    "  --ext EXT                  same file name BASE.EXT for every segment (build\n"
    "                             implies --per-disk; reading asks for each folder\n"
    "                             unless SEGDIR is the set's folder or its disk1)\n"
    "  --tmp DIR                  where the private scratch folder is made (default:\n"
    "                             TMPDIR, TEMP, TMP, else the system's temporary folder)\n"
    "  -h, --help                 show this text\n"
    "\n"
    "Exit status: 0 on success, 1 on a failure, 2 on a usage error.\n";

bool Interactive() { return isatty(fileno(stdin)) && isatty(fileno(stderr)); }

// Answers the set's questions on the console; without a terminal every
// question is answered Cancel, so a missing segment fails instead of hanging.
class ConsolePrompter : public zel::SegPrompter {
 public:
  // Folder holding the disk<n> folders of a set written with --per-disk; the
  // mount prompt is then answered without asking when disk<n> is there.
  std::string disksFolder;

  bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override {
    const std::string number = caption.substr(caption.find('#') + 1);
    const std::string disk = disksFolder + "\\disk" + number;
    if (!disksFolder.empty() && zel::fs::DirectoryExists(disk)) {
      value = disk;
      return true;
    }
    if (!Interactive()) return false;
    std::cerr << "\n" << caption << "\n" << prompt << " [" << value << "] (empty line: keep, \"-\": cancel): ";
    std::string line;
    if (!std::getline(std::cin, line) || line == "-") return false;
    if (!line.empty()) value = line;
    return true;
  }
  bool RetryBox(const std::string& message) override {
    std::string text = message;
    for (char& c : text)
      if (c == '\r') c = ' ';
    std::cerr << "\n" << text << "\n";
    if (!Interactive()) return false;
    std::cerr << "[O]K / [C]ancel? ";
    std::string line;
    return std::getline(std::cin, line) && !line.empty() && (line[0] == 'o' || line[0] == 'O');
  }
};

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Args {
  std::string command;
  std::vector<std::string> positional;
  zel::TCompressionMethod method = zel::coLZH5;
  int32_t segmentSize = zel::kFloppySegmentSize;
  bool perDisk = false;
  std::vector<std::string> templates;
  int32_t key = 0;
  std::string name = "disk";
  std::string ext;
  std::string tmp;
};

long ParseNumber(const std::string& option, const std::string& text, long low, long high) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end || value < low || value > high)
    throw UsageError(option + ": expected a number from " + std::to_string(low) + " to " + std::to_string(high) +
                     ", got \"" + text + "\"");
  return value;
}

Args Parse(int argc, char** argv) {
  Args a;
  if (argc < 2) throw UsageError("no command given");
  a.command = argv[1];
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw UsageError(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "-h" || arg == "--help") {
      a.command = "--help";
    } else if (arg == "--method") {
      const std::string m = zel::UpperCase(value());
      if (m == "NON") a.method = zel::coNone;
      else if (m == "RLE") a.method = zel::coRLE;
      else if (m == "LZH") a.method = zel::coLZH;
      else if (m == "LH5") a.method = zel::coLZH5;
      else throw UsageError("--method: unknown method \"" + m + "\" (NON, RLE, LZH or LH5)");
    } else if (arg == "--segment-size") {
      a.segmentSize = static_cast<int32_t>(ParseNumber(arg, value(), 16, 2147483647L));
    } else if (arg == "--per-disk") {
      a.perDisk = true;
    } else if (arg == "--template") {
      a.templates.push_back(value());
    } else if (arg == "--key") {
      a.key = static_cast<int32_t>(ParseNumber(arg, value(), 1, 2147483647L));
    } else if (arg == "--name") {
      a.name = value();
      if (zel::CheckPartName(a.name) != zel::NameProblem::kNone)
        throw UsageError("--name: \"" + a.name + "\" " + zel::NameProblemText(zel::CheckPartName(a.name)));
    } else if (arg == "--ext") {
      a.ext = value();
      if (a.ext.empty() || a.ext.size() > 3) throw UsageError("--ext: one to three characters");
    } else if (arg == "--tmp") {
      a.tmp = value();
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError("unknown option " + arg);
    } else {
      a.positional.push_back(arg);
    }
  }
  return a;
}

std::string Absolute(const std::string& path) { return zel::fs::ExpandFileName(path); }

// A scratch folder of this run's own, made fresh below --tmp (as given),
// TMPDIR, TEMP, TMP or the system's temporary folder, and removed with
// everything in it when the run ends, however it ends.
class ScratchDir {
 public:
  explicit ScratchDir(const Args& a) {
    std::string parent = a.tmp;
    for (const char* var : {"TMPDIR", "TEMP", "TMP"})
      if (const char* v = std::getenv(var); parent.empty() && v && *v) parent = v;
    if (parent.empty()) parent = zel::fs::TempFolder();
    path_ = zel::fs::CreateUniqueDir(Absolute(parent), "zelpack");
    if (path_.empty()) throw std::runtime_error(parent + ": cannot make a scratch folder there");
  }
  ~ScratchDir() { zel::fs::RemoveTree(path_); }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

class Progress {
 public:
  void Show(const std::string& what, int percent) {
    if (!onTerminal_) return;
    std::fprintf(stderr, "\r%-50.50s %3d%%", what.c_str(), percent);
    shown_ = true;
  }
  void Done() {
    if (shown_) std::fprintf(stderr, "\r%60s\r", "");
    shown_ = false;
  }

 private:
  bool shown_ = false;
  const bool onTerminal_ = isatty(fileno(stderr)) != 0;
};

zel::ReadRequest ReadOptions(const Args& a, ConsolePrompter& prompter, Progress& progress, std::string& current) {
  zel::ReadRequest r;
  // The set's folder settings are lower-cased (Windows semantics); reading
  // relative to the folder keeps case-sensitive hosts working.
  if (!zel::fs::SetCurrentDir(a.positional[0]))
    throw std::runtime_error(a.positional[0] + ": cannot open the folder");
  r.segDir = ".";
  if (zel::fs::DirectoryExists(".\\disk1")) prompter.disksFolder = ".";
  else if (zel::fs::DirectoryExists("..\\disk1")) prompter.disksFolder = "..";
  r.baseName = a.name;
  r.ext = a.ext;
  r.key = a.key;
  r.prompter = &prompter;
  r.mountPrompt = !a.ext.empty();
  r.onSegment = [&](const std::string& name) { current = name; };
  r.onProgress = [&](int32_t p) { progress.Show("reading " + current, p); };
  return r;
}

int Run(const Args& a) {
  ConsolePrompter prompter;
  Progress progress;
  std::string current;
  if (a.command == "build") {
    if (a.positional.size() < 2) throw UsageError("build needs OUTDIR and at least one FOLDER");
    zel::BuildRequest b;
    b.set.outDir = Absolute(a.positional[0]);
    for (size_t i = 1; i < a.positional.size(); ++i) b.folders.push_back(Absolute(a.positional[i]));
    b.templates = a.templates;
    b.set.baseName = a.name;
    b.set.ext = a.ext;
    b.set.segmentSize = a.segmentSize;
    b.set.folderPerDisk = a.perDisk || !a.ext.empty();
    const ScratchDir scratch(a);
    b.set.tmpDir = scratch.Path();
    b.set.archive.method = a.method;
    b.set.archive.key = a.key;
    b.set.onArchive = [&](int done, int total) { progress.Show("packing archives", done * 100 / total); };
    const auto paths = zel::BuildPackage(b);
    progress.Done();
    int64_t bytes = 0;
    for (const auto& p : paths) bytes += zel::fs::FileSize(p);
    std::printf("%zu archive(s), %zu segment file(s), %lld bytes in %s\n", b.folders.size(), paths.size(),
                static_cast<long long>(bytes), b.set.outDir.c_str());
    return 0;
  }
  if (a.command == "list" || a.command == "test" || a.command == "extract") {
    const size_t need = a.command == "extract" ? 2 : 1;
    if (a.positional.size() != need)
      throw UsageError(a.command + (need == 2 ? " needs SEGDIR and DESTDIR" : " needs SEGDIR"));
    const std::string dest = need == 2 ? Absolute(a.positional[1]) : std::string();
    const ScratchDir scratch(a);
    zel::ReadRequest r = ReadOptions(a, prompter, progress, current);
    r.tmpDir = scratch.Path();
    if (a.command == "list") {
      const auto archives = zel::ListPackage(r);
      for (size_t i = 0; i < archives.size(); ++i) {
        std::printf("archive %zu: %s (%zu files)\n", i, archives[i].templateText.c_str(), archives[i].files.size());
        for (const auto& f : archives[i].files) std::printf("  %s\n", f.c_str());
      }
    } else if (a.command == "test") {
      const int n = zel::TestPackage(r);
      progress.Done();
      std::printf("OK: %d file(s) verified\n", n);
    } else {
      zel::fs::ForceDirectories(dest);
      const auto written = zel::ExtractPackage(r, dest);
      progress.Done();
      std::printf("%zu file(s) extracted into %s\n", written.size(), dest.c_str());
    }
    return 0;
  }
  throw UsageError("unknown command \"" + a.command + "\"");
}

}  // namespace

int main(int argc, char** argv) {
  Args args;
  try {
    args = Parse(argc, argv);
    if (args.command == "--help" || args.command == "help") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    return Run(args);
  } catch (const UsageError& e) {
    std::fprintf(stderr, "zelpack: %s\n\n%s", e.what(), kUsage);
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "\nzelpack %s: %s\n", args.command.c_str(), e.what());
    return 1;
  }
}
