#include "author/make_setup.h"

#include <gtest/gtest.h>

#include <map>

#include "archive/package.h"
#include "platform/fs.h"
#include "support/scratch_dir.h"

namespace zel {
namespace {

// Bytes that do not compress, so that the sizes on the disks are known.
std::string Noise(size_t size, uint32_t seed) {
  std::string bytes(size, '\0');
  for (char& c : bytes) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 23);
  }
  return bytes;
}

// Every file below folder (relative name -> bytes).
std::map<std::string, std::string> Tree(const std::string& folder, const std::string& prefix = "") {
  std::map<std::string, std::string> files;
  for (const fs::FindEntry& e : fs::FindFiles(folder + "\\*")) {
    if (e.name == "." || e.name == "..") continue;
    if (e.attributes & fs::kAttrDirectory)
      files.merge(Tree(folder + "\\" + e.name, prefix + e.name + "\\"));
    else
      files[prefix + e.name] = test::ReadFile(folder + "\\" + e.name);
  }
  return files;
}

class MakeSetupTest : public ::testing::Test {
 protected:
  MakeSetupTest() : product_("product"), out_("out"), tmp_("tmp") {
    test::WriteFile(product_ / "install.cfg", "[Directories]\r\nD=<INSTALLDIR>~\r\n");
    test::WriteFile(product_ / "install.exe", Noise(261632, 1));  // a setup program of the real size
    const std::pair<const char*, std::string> files[] = {
        {"big.dat", Noise(1100000, 2)}, {"text.txt", std::string(200000, 'z')}, {"empty.ini", ""}};
    for (const auto& [name, bytes] : files) {
      test::WriteFile(product_ / name, bytes);
      files_.push_back({name, product_ / name});
    }
  }
  MakeResult Make(const char* medium, const std::string& outDir) {
    MakeRequest r;
    r.script = product_ / "install.cfg";
    r.setupExe = product_ / "install.exe";
    r.outDir = outDir;
    r.medium = FindMedium(medium);
    r.templateName = "product";
    r.tmpDir = tmp_.Path();
    return MakeSetup(r, files_);
  }
  test::ScratchDir product_, out_, tmp_;
  std::vector<ProductFile> files_;
};

// For every medium: each disk's files fit it counted in clusters and
// root-folder entries, disk 1 carries the setup program and the script, every
// floppy but the last is full, and the set expands to the product's bytes.
TEST_F(MakeSetupTest, EveryMediumFitsAndExpandsByteIdentical) {
  for (const Medium& medium : Media()) {
    SCOPED_TRACE(medium.name);
    const std::string outDir = out_ / medium.name;
    const MakeResult result = Make(medium.name, outDir);
    EXPECT_EQ(result.files, 3);
    EXPECT_EQ(result.bytesIn, 1300000);
    ASSERT_FALSE(result.disks.empty());
    const std::string gathered = out_ / (std::string(medium.name) + "-segments");
    fs::ForceDirectories(gathered);
    for (size_t n = 0; n < result.disks.size(); ++n) {
      const std::string folder = medium.floppy ? outDir + "\\disk" + std::to_string(n + 1) : outDir;
      EXPECT_EQ(result.disks[n].folder, folder);
      const std::map<std::string, std::string> onDisk = Tree(folder);
      std::vector<std::string> names;
      std::vector<DiskFile> files;
      for (const auto& [name, bytes] : onDisk) {
        names.push_back(name);
        files.push_back({name, static_cast<int64_t>(bytes.size())});
      }
      const std::string segment = "disk." + ZeroPad(static_cast<unsigned>(n + 1), 3);
      if (n == 0)
        EXPECT_EQ(names, (std::vector<std::string>{"disk.001", "install.cfg", "install.exe"}));
      else
        EXPECT_EQ(names, (std::vector<std::string>{segment}));
      int64_t clusters = 0;
      for (const DiskFile& f : files) clusters += (f.size + medium.clusterSize - 1) / medium.clusterSize;
      if (medium.clusters > 0) {
        EXPECT_LE(clusters, medium.clusters) << "disk " << n + 1;
        if (medium.floppy && n + 1 < result.disks.size()) {
          EXPECT_EQ(clusters, medium.clusters) << "disk " << n + 1;
        }
      }
      EXPECT_TRUE(SpaceLeft(medium, files).Fits());
      if (n == 0) {
        EXPECT_EQ(onDisk.at("install.exe"), Noise(261632, 1));
      }
      test::WriteFile(gathered + "\\" + segment, onDisk.at(segment));
    }
    // The small floppies need a second disk for this product.
    if (medium.floppy && Capacity(medium) < 1300000) {
      EXPECT_EQ(result.disks.size(), 2u);
    }
    // The reader lower-cases its folder (Windows rules): it reads from the
    // current folder.
    ReadRequest read;
    read.segDir = ".";
    read.tmpDir = tmp_.Path();
    const std::string dest = out_ / (std::string(medium.name) + "-expanded");
    fs::ForceDirectories(dest);
    const std::string current = fs::GetCurrentDir();
    ASSERT_TRUE(fs::SetCurrentDir(gathered));
    EXPECT_NO_THROW(ExtractPackage(read, dest));
    fs::SetCurrentDir(current);
    std::map<std::string, std::string> expected;
    for (const ProductFile& f : files_) expected["product\\" + f.storedName] = test::ReadFile(f.sourcePath);
    EXPECT_EQ(Tree(dest), expected);
  }
}

TEST_F(MakeSetupTest, SameInputGivesIdenticalDisksAndReplacesTheEarlierOutput) {
  Make("720K", out_.Path());
  const auto first = Tree(out_.Path());
  ASSERT_TRUE(first.count("disk2\\disk.002"));
  Make("720K", out_.Path());
  EXPECT_EQ(Tree(out_.Path()), first);
  Make("2.88M", out_.Path());  // one disk now: disk2 of the earlier output goes
  const auto second = Tree(out_.Path());
  EXPECT_FALSE(second.count("disk2\\disk.002"));
  EXPECT_TRUE(second.count("disk1\\disk.001"));
  EXPECT_FALSE(fs::DirectoryExists(out_ / ".zelpack-new"));
}

TEST_F(MakeSetupTest, ForeignFilesInTheOutputFolderStopIt) {
  test::WriteFile(out_ / "notes.txt", "mine");
  EXPECT_THROW(Make("1.44M", out_.Path()), Exception);
  fs::ForceDirectories(out_ / "disk1");
  test::WriteFile(out_ / "disk1\\letter.doc", "mine too");
  fs::DeleteFile(out_ / "notes.txt");
  EXPECT_THROW(Make("1.44M", out_.Path()), Exception);
  EXPECT_EQ(Tree(out_.Path()), (std::map<std::string, std::string>{{"disk1\\letter.doc", "mine too"}}));
}

TEST_F(MakeSetupTest, ASetThatDoesNotFitTheMediumLeavesNothing) {
  // A setup program too big for a 720K disk leaves no room for the set.
  test::WriteFile(product_ / "install.exe", Noise(730000, 3));
  const std::string outDir = out_ / "new";
  EXPECT_THROW(Make("720K", outDir), std::invalid_argument);
  EXPECT_FALSE(fs::DirectoryExists(outDir));
}

TEST(FindSetupProgram, ChosenBesideTheToolOrInTheWindowsTree) {
  test::ScratchDir build("build");
  fs::ForceDirectories(build / "native\\tools\\zelpack");
  fs::ForceDirectories(build / "win32\\tools\\zelpack");
  fs::ForceDirectories(build / "win32\\src\\app");
  const std::string native = build / "native\\tools\\zelpack\\zelpack";
  const std::string windows = build / "win32\\tools\\zelpack\\zelpack.exe";
  EXPECT_EQ(FindSetupProgram(native, ""), "");
  std::vector<std::string> looked;
  FindSetupProgram(native, "", &looked);
  EXPECT_EQ(looked.size(), 3u);
  test::WriteFile(build / "win32\\src\\app\\install.exe", "MZ");
  EXPECT_EQ(FindSetupProgram(native, ""), build / "native\\tools\\zelpack\\..\\..\\..\\win32\\src\\app\\install.exe");
  EXPECT_EQ(FindSetupProgram(windows, ""), build / "win32\\tools\\zelpack\\..\\..\\src\\app\\install.exe");
  test::WriteFile(build / "native\\tools\\zelpack\\install.exe", "MZ");
  EXPECT_EQ(FindSetupProgram(native, ""), build / "native\\tools\\zelpack\\install.exe");
  EXPECT_EQ(FindSetupProgram(native, build / "other.exe"), "");  // chosen and missing: no guessing
}

}  // namespace
}  // namespace zel
