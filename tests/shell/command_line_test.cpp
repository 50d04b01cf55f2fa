#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

struct GoodLine {
  const char* line;
  const char* folder;
  const char* destination;
  const char* log;
  const char* disks;
};

TEST(CommandLine, FolderAndPathSwitchesInAnyOrderAndCase) {
  const GoodLine cases[] = {
      {"", "", "", "", ""},
      {"A:\\", "A:\\", "", "", ""},
      {"\"C:\\My Setup\\\"", "C:\\My Setup\\", "", "", ""},  // the backslash before the quote stays
      {"/S C:\\Pkg", "C:\\Pkg", "", "", ""},
      {"C:\\Pkg /s", "C:\\Pkg", "", "", ""},
      {"C:\\Pkg extra ignored", "C:\\Pkg", "", "", ""},
      {"/D=C:\\Program Files\\My Product", "", "C:\\Program Files\\My Product", "", ""},
      {"/D=\\\\server\\apps\\x", "", "\\\\server\\apps\\x", "", ""},
      {"C:\\Pkg /S /d=C:\\Two  Blanks\\x  ", "C:\\Pkg", "C:\\Two  Blanks\\x", "", ""},
      {"/D=\"C:\\Quoted Dest\" C:\\Pkg", "C:\\Pkg", "C:\\Quoted Dest", "", ""},
      {"\"/D=C:\\Whole Quoted\" C:\\Pkg", "C:\\Pkg", "C:\\Whole Quoted", "", ""},
      {"/LOG=\"C:\\Log Files\\a.log\" /DISKS=D:\\disks", "", "", "C:\\Log Files\\a.log", "D:\\disks"},
      {"/log=c:\\a.log\t/Disks=\"E:\\my disks\"", "", "", "c:\\a.log", "E:\\my disks"},
      {"/DISKS=D:\\x /D=C:\\Dest /LOG=ignored", "", "C:\\Dest /LOG=ignored", "", "D:\\x"},
  };
  for (const GoodLine& c : cases) {
    SCOPED_TRACE(c.line);
    const SetupOptions options = ParseCommandLine(c.line);
    EXPECT_EQ(options.error, "");
    EXPECT_EQ(options.folder, c.folder);
    EXPECT_EQ(options.destination, c.destination);
    EXPECT_EQ(options.logFile, c.log);
    EXPECT_EQ(options.disksDir, c.disks);
  }
}

TEST(CommandLine, FlagsAreSetOnlyWhenGiven) {
  SetupOptions none = ParseCommandLine("C:\\Pkg");
  EXPECT_FALSE(none.silent || none.passive || none.noRestart || none.launch || none.acceptLicence ||
               none.overwrite || none.Unattended());
  SetupOptions all =
      ParseCommandLine("/s /PASSIVE /NoRestart /launch /ACCEPTLICENSE /OVERWRITE=Yes C:\\Pkg");
  EXPECT_EQ(all.error, "");
  EXPECT_TRUE(all.silent && all.passive && all.noRestart && all.launch && all.acceptLicence && all.overwrite);
  EXPECT_TRUE(ParseCommandLine("/PASSIVE").Unattended());
  EXPECT_FALSE(ParseCommandLine("/OVERWRITE=no").overwrite);
  EXPECT_FALSE(ParseCommandLine("/OVERWRITE=yes /OVERWRITE=NO").overwrite);  // the last one counts
}

TEST(CommandLine, BadSwitchesAreErrorsNamingTheSwitch) {
  const struct {
    const char* line;
    const char* error;
  } cases[] = {
      {"/X", "Unknown switch: /X"},
      {"C:\\Pkg /SILENT", "Unknown switch: /SILENT"},
      {"/S /q", "Unknown switch: /q"},
      {"/", "Unknown switch: /"},
      {"/S=1", "Wrong value: /S=1"},
      {"/OVERWRITE=maybe", "Wrong value: /OVERWRITE=maybe"},
      {"/OVERWRITE", "Wrong value: /OVERWRITE"},
      {"/LOG=", "Wrong value: /LOG="},
      {"/DISKS", "Wrong value: /DISKS"},
      {"/D=", "Wrong value: /D="},
      {"/D=\"\"", "Wrong value: /D="},
      {"/D=Program Files\\X", "Wrong value: /D=Program Files\\X (a full path is needed)"},
      {"/D=C:relative", "Wrong value: /D=C:relative (a full path is needed)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(ParseCommandLine(c.line).error, c.error);
  }
}

TEST(CommandLine, TheFirstErrorIsKeptAndASilentSwitchAfterItCounts) {
  const SetupOptions options = ParseCommandLine("/X /Y=1 /S C:\\Pkg");
  EXPECT_EQ(options.error, "Unknown switch: /X");
  EXPECT_TRUE(options.silent);
  EXPECT_EQ(options.folder, "C:\\Pkg");
}

TEST(CommandLine, HelpNamesTheProblemAndEverySwitch) {
  const std::string help = CommandLineHelp("Unknown switch: /X");
  EXPECT_EQ(help.rfind("Unknown switch: /X\n", 0), 0u);
  for (const char* name : {"/S", "/PASSIVE", "/D=", "/LOG=", "/NORESTART", "/LAUNCH", "/ACCEPTLICENSE",
                           "/OVERWRITE=yes|no", "/DISKS="})
    EXPECT_NE(help.find(name), std::string::npos) << name;
}

TEST(CommandLine, ArgumentsFollowTheProgramName) {
  EXPECT_EQ(CommandLineArguments("install.exe /S C:\\Pkg"), " /S C:\\Pkg");
  EXPECT_EQ(CommandLineArguments("\"C:\\Setup Files\\install.exe\" /D=C:\\x y"), " /D=C:\\x y");
  EXPECT_EQ(CommandLineArguments("  A:\\INSTALL.EXE"), "");
  EXPECT_EQ(CommandLineArguments("\"unterminated /S"), "");
  EXPECT_EQ(ParseCommandLine(CommandLineArguments("\"C:\\a b\\install.exe\" /S")).folder, "");
}

}  // namespace
}  // namespace zel
