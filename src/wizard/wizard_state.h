// What the wizard shows and what the user chose, kept apart from the window so
// that the page rules run (and are tested) without Windows. The wizard window
// renders this state and forwards its buttons to the rules.
#pragma once

#include <string>
#include <vector>

namespace zel {

enum WizardPage : int {
  kPageWarning = 0,   // "page1"
  kPageLicence = 1,   // "Page2"
  kPageDest = 2,      // "Page3"
  kPageFolders = 3,   // "Page4"
  kPageInstallType = 4,  // "installtype"
  kPageReady = 5,     // "Page5"
  kPageInstall = 6,   // "install"
  kPageCount = 7,
};

// One line of a check list (`DK`, `SM`).
struct CheckItem {
  std::string title;
  bool checked = true;
};

struct WizardState {
  int page = kPageWarning;
  bool backEnabled = false;
  bool nextEnabled = true;
  bool installVisible = false;

  // Lines of the licence box; before the licence file is loaded the box holds
  // its stored text, which has more than one line.
  int licenceLines = 2;

  // Install type.
  bool fullInstall = true;  // `full` checked; `min` otherwise

  // Final choice: `RadioButton1` (launch), `RadioButton2` (return), `reboot`.
  // The three form one group.
  bool launchChecked = false;
  bool launchEnabled = true;
  bool returnChecked = false;
  bool rebootChecked = true;
  bool rebootVisible = true;

  // Texts the pages show.
  std::string destination;   // `Label1`
  std::string createFolder;  // `CreateFolder`
  std::string launchLabel;   // `Label2`
  std::vector<std::string> summary;  // `Memo4`
  std::vector<CheckItem> desktopList;    // `DK`
  std::vector<CheckItem> startMenuList;  // `SM`

  // Life of the window.
  bool closed = false;      // the wizard asked to close
  bool installing = false;  // the engine runs: buttons hidden, close box off
};

}  // namespace zel
