// From a checked install script to the finished setup media: the product's
// files packed into a segment set whose first segment fills what the setup
// program and the script leave of disk 1, laid out as one folder per disk (or
// one folder for a CD or a plain folder), optionally with floppy images.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "author/media.h"
#include "author/script_check.h"
#include "codec/codec.h"

namespace zel {

struct MakeRequest {
  std::string script;    // the install script; disk 1 gets it as install.cfg
  std::string setupExe;  // the setup program; disk 1 gets it as install.exe
  std::string outDir;    // receives disk1 ... diskN (floppies) or the files themselves
  const Medium* medium = nullptr;
  bool images = false;   // floppies only: also disk1.img ... in outDir
  TCompressionMethod method = coLZH5;
  std::string templateName;  // folder name of the archive's template ("product" when empty)
  std::string tmpDir;        // scratch for the archive while it is written
  // After each file packed: its name, files done, file count, bytes read and
  // bytes stored so far.
  std::function<void(const std::string& name, int done, int count, int64_t in, int64_t out)> onFile;
};

struct DiskReport {
  std::string folder;           // where the disk's files are
  std::vector<DiskFile> files;  // in the order written
  DiskSpace space;              // what is left of the medium
  std::string image;            // the disk's image, or ""
};

struct MakeResult {
  int files = 0;
  int64_t bytesIn = 0;   // the product files packed
  int64_t bytesOut = 0;  // the segment files
  std::vector<DiskReport> disks;
};

// Writes the media. Everything is first written into a folder of its own
// inside outDir and takes the place of an earlier make's output only when
// complete; on a failure nothing of it stays. Throws std::invalid_argument
// when the setup program and the script leave disk 1 no room, Exception when
// the package does not fit a CD or images cannot be made, and the writer's
// and the streams' errors.
MakeResult MakeSetup(const MakeRequest& request, const std::vector<ProductFile>& files);

// Throws Exception, naming it, when outDir holds something that make did
// not write (make replaces its own earlier output and nothing else). A
// missing folder is fine.
void CheckOutputFolder(const std::string& outDir);

// The setup program to place on disk 1: chosen when not empty (it must
// exist); otherwise install.exe beside programFile, or in the Windows build
// tree next to it (programFile in build/<tree>/tools/zelpack). Returns ""
// when there is none; looked receives the places tried.
std::string FindSetupProgram(const std::string& programFile, const std::string& chosen,
                             std::vector<std::string>* looked = nullptr);

}  // namespace zel
