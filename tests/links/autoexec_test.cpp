#include "wizard/autoexec.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/fs.h"
#include "platform/host_path_posix.h"
#include "support/string_lists.h"

namespace zel {
namespace {

using test::Lines;

// A short form that shows it was used: the platform keeps the case it gives.
std::string FakeShort(const std::string& path) {
  if (path == "C:\\Program Files\\Product") return "C:\\PROGRA~1\\Product";
  if (path == "C:\\WINDOWS") return "C:\\Windows";
  return path;
}

struct LineCase {
  const char* name;
  const char* line;
  const char* expected;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.line; }

class ResolveAutoexecLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ResolveAutoexecLineTest, RewritesLine) {
  const TStringList tags = Lines({"<INSTALLDIR>", "<WINDOWS>", ""});
  const TStringList paths = Lines({"C:\\Program Files\\Product", "C:\\WINDOWS", "C:\\EMPTY"});
  EXPECT_EQ(ResolveAutoexecLine(GetParam().line, tags, paths, "C:\\", FakeShort),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ResolveAutoexecLineTest,
    ::testing::Values(
        LineCase{"CopyWithTagAndRoot", "copy <INSTALLDIR>\\drv.sys <ROOT>",
                 "COPY/Y C:\\PROGRA~1\\Product\\DRV.SYS C:\\"},
        LineCase{"TagTwice", "set p=<installdir>;<INSTALLDIR>\\bin",
                 "SET P=C:\\PROGRA~1\\Product;C:\\PROGRA~1\\Product\\BIN"},
        LineCase{"RootTwiceAndTwoTags", "<ROOT>x <ROOT>y <WINDOWS> <INSTALLDIR>",
                 "C:\\X C:\\Y C:\\Windows C:\\PROGRA~1\\Product"},
        LineCase{"UnknownTagKeptUpperCased", "path <nothere>\\bin", "PATH <NOTHERE>\\BIN"},
        LineCase{"NoTagOnlyUpperCase", "set temp=c:\\temp", "SET TEMP=C:\\TEMP"},
        LineCase{"CopyWithoutBlankUntouched", "copyit a b", "COPYIT A B"},
        LineCase{"CopyInsideWordNotSplit", "rem copyright; copy a b", "REM COPYRIGHT; COPY/Y A B"},
        LineCase{"AlreadyOverwriting", "copy/y a b", "COPY/Y A B"},
        LineCase{"EmptyLine", "", ""}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return info.param.name; });

TEST(ResolveAutoexecLine, FolderThatBringsItsTagBackStops) {
  // A tag that is not bracketed can be part of its own folder's text.
  const TStringList tags = Lines({"FOO"});
  const TStringList paths = Lines({"C:\\FOO"});
  const std::string line = ResolveAutoexecLine("<x> foo", tags, paths, "C:\\", nullptr);
  EXPECT_EQ(line.rfind("<X> C:\\", 0), 0u) << line;
  EXPECT_NE(line.find("FOO"), std::string::npos);
  EXPECT_LT(line.size(), 200u);  // bounded by the line's own length, not by memory
}

TEST(ResolveAutoexecLine, FolderEqualToItsTagEndsAtOnce) {
  const TStringList tags = Lines({"<SUB1><X>"});
  const TStringList paths = Lines({"<SUB1><X>"});
  EXPECT_EQ(ResolveAutoexecLine("a <sub1><x>", tags, paths, "C:\\", nullptr), "A <SUB1><X>");
}

TEST(ResolveAutoexecLine, TagsResolvedInTheirOrderAcrossPasses) {
  // The first tag's folder holds the second tag: a later pass resolves it.
  const TStringList tags = Lines({"<A>", "<B>"});
  const TStringList paths = Lines({"<B>\\a", "C:\\b"});
  EXPECT_EQ(ResolveAutoexecLine("x <a> <a>", tags, paths, "C:\\", nullptr),
            "X C:\\b\\a C:\\b\\a");
}

TEST(UpdateAutoexec, AppendsMarkedBlockAfterExistingLines) {
  TStringList buffer = Lines({"@echo off", "path c:\\dos"});
  const TStringList lines = Lines({"copy <INSTALLDIR>\\a.sys <ROOT>", "set x=1"});
  UpdateAutoexec(buffer, lines, Lines({"<INSTALLDIR>"}), Lines({"C:\\Program Files\\Product"}),
                 "C:\\", FakeShort);
  EXPECT_EQ(buffer.Text(),
            "@echo off\r\npath c:\\dos\r\nREM - Starting Zelwright Update\r\n"
            "COPY/Y C:\\PROGRA~1\\Product\\A.SYS C:\\\r\nSET X=1\r\nREM - End of Zelwright\r\n");
}

// File step on the host: the Windows root maps onto a scratch folder.
class AutoexecFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/zel_autoexec_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    host_ = pattern;
    root_ = host_ + "/";
    for (char& c : root_)
      if (c == '/') c = '\\';
  }
  void TearDown() override { std::system(("rm -rf '" + host_ + "'").c_str()); }

  std::string Read(const std::string& name) {
    std::ifstream in(host_ + "/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(host_ + "/" + name, std::ios::binary) << text;
  }
  AutoexecResult Run(const TStringList& lines) {
    statuses_.Clear();
    return UpdateAutoexecFile(root_, lines, Lines({"<INSTALLDIR>"}), Lines({"C:\\Prod"}), nullptr,
                              [this](const std::string& s) { statuses_.Add(s); });
  }

  std::string host_, root_;
  TStringList statuses_;
};

TEST_F(AutoexecFileTest, BacksUpAndAppendsBlock) {
  Write("autoexec.bat", "@ECHO OFF\nPATH C:\\DOS");
  const AutoexecResult result = Run(Lines({"set p=<installdir>"}));
  EXPECT_TRUE(result.updated);
  EXPECT_TRUE(result.backedUp);
  EXPECT_FALSE(result.createdNew);
  EXPECT_EQ(result.error, "");
  EXPECT_EQ(Read("autoexec.zel"), "@ECHO OFF\r\nPATH C:\\DOS\r\n");
  EXPECT_EQ(Read("autoexec.bat"),
            "@ECHO OFF\r\nPATH C:\\DOS\r\nREM - Starting Zelwright Update\r\nSET P=C:\\Prod\r\n"
            "REM - End of Zelwright\r\n");
  EXPECT_FALSE(fs::FileExists(root_ + "autoexec.$zl"));
  ASSERT_EQ(statuses_.Count(), 2);
  EXPECT_EQ(statuses_[0], "Copying Old Autoexec.bat to Autoexec.zel");
  EXPECT_EQ(statuses_[1], "Updating Autoexec.bat file");
}

TEST_F(AutoexecFileTest, SecondRunAddsSecondBlockAndBacksUpFirstResult) {
  Write("autoexec.bat", "REM original\r\n");
  ASSERT_TRUE(Run(Lines({"a"})).updated);
  const std::string afterFirst = Read("autoexec.bat");
  ASSERT_TRUE(Run(Lines({"b"})).updated);
  EXPECT_EQ(Read("autoexec.zel"), afterFirst);
  EXPECT_EQ(Read("autoexec.bat"), afterFirst +
                                      "REM - Starting Zelwright Update\r\nB\r\n"
                                      "REM - End of Zelwright\r\n");
}

TEST_F(AutoexecFileTest, MissingFileIsCreatedWithoutBackup) {
  Write("autoexec.zel", "older backup\r\n");
  const AutoexecResult result = Run(Lines({"a"}));
  EXPECT_TRUE(result.updated);
  EXPECT_TRUE(result.createdNew);
  EXPECT_FALSE(result.backedUp);
  EXPECT_EQ(Read("autoexec.bat"),
            "REM - Starting Zelwright Update\r\nA\r\nREM - End of Zelwright\r\n");
  EXPECT_EQ(Read("autoexec.zel"), "older backup\r\n");  // not replaced by nothing
}

TEST_F(AutoexecFileTest, FolderInPlaceOfFileIsReportedAndNothingWritten) {
  ASSERT_EQ(::system(("mkdir '" + host_ + "/autoexec.bat'").c_str()), 0);
  const AutoexecResult result = Run(Lines({"a"}));
  EXPECT_FALSE(result.updated);
  EXPECT_NE(result.error.find("autoexec.bat"), std::string::npos) << result.error;
  EXPECT_FALSE(fs::FileExists(root_ + "autoexec.zel"));
}

TEST_F(AutoexecFileTest, BackupThatCannotBeWrittenLeavesFileAlone) {
  Write("autoexec.bat", "keep me\r\n");
  ASSERT_EQ(::system(("mkdir '" + host_ + "/autoexec.zel'").c_str()), 0);
  const AutoexecResult result = Run(Lines({"a"}));
  EXPECT_FALSE(result.updated);
  EXPECT_NE(result.error.find("autoexec.zel"), std::string::npos) << result.error;
  EXPECT_EQ(Read("autoexec.bat"), "keep me\r\n");
}

TEST_F(AutoexecFileTest, UnwritableNewFileLeavesOriginalAndBackup) {
  Write("autoexec.bat", "keep me\r\n");
  ASSERT_EQ(::system(("mkdir '" + host_ + "/autoexec.$zl'").c_str()), 0);
  const AutoexecResult result = Run(Lines({"a"}));
  EXPECT_FALSE(result.updated);
  EXPECT_TRUE(result.backedUp);
  EXPECT_NE(result.error.find("autoexec.bat"), std::string::npos) << result.error;
  EXPECT_EQ(Read("autoexec.bat"), "keep me\r\n");
  EXPECT_EQ(Read("autoexec.zel"), "keep me\r\n");
}

}  // namespace
}  // namespace zel
