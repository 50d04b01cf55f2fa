// zelpack make, and the console pieces the commands share.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>

#include "codec/codec.h"

// A wrong command line: the usage text follows the message, exit status 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// One line of progress on the terminal (stderr), overwritten as it goes and
// cleared at the end; nothing when stderr is not a terminal.
class Progress {
 public:
  void Show(const std::string& what, int percent);
  void Show(const std::string& text);
  void Done();

 private:
  bool shown_ = false;
  const bool onTerminal_ = OnTerminal();  // asked once, not at every step
  static bool OnTerminal();
};

struct MakeOptions {
  std::string script;    // absolute
  std::string scriptAsGiven;  // for messages, as the command line wrote it
  std::string outDir;    // absolute
  std::string media;     // as given; "" = 1.44M
  bool images = false;
  std::string from;      // product folder; "" = the script's folder
  std::string setupExe;  // "" = the one built with zelpack
  std::string tmpDir;    // this run's own scratch folder (made and removed by the caller)
  zel::TCompressionMethod method = zel::coLZH5;
};

// Checks the script, reporting each problem as "SCRIPT:LINE: error: ..." or
// "warning: ..." on stderr, and when it has no error makes the media and
// prints a summary. Returns the exit status: 0, or 1 on an error in the
// script (nothing is written then). Throws UsageError for an unknown medium
// and the errors of making the media.
int RunMake(const MakeOptions& options, Progress& progress);
