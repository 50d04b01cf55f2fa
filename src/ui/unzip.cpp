#include "ui/unzip.h"

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/system.h"
#include "shell/file_utils.h"
#include "ui/globals.h"
#include "ui/main_setup.h"
#include "ui/unzip_res.h"

namespace zel::ui {

namespace {
constexpr UINT_PTR kTimer1 = 1;

// Stand-in for the archive stage: the files of a plain (unpacked) setup
// folder are copied flat into TempDir, so the wizard and the engine find them
// there as after a real expansion. A file that cannot be copied is skipped.
void CopySetupFolder(const std::string& sourceDir, const std::string& tempDir) {
  try {
    fs::ForceDirectories(tempDir);
  } catch (const Exception&) {
    return;
  }
  for (const fs::FindEntry& e : fs::FindFiles(sourceDir + "*.*")) {
    if (e.attributes & fs::kAttrDirectory) continue;
    try {
      CopyFileTo(sourceDir + e.name, tempDir);
    } catch (const Exception&) {
    }
  }
}
}  // namespace

void TUnzip::ShowModal(HWND owner) { Dialog::ShowModal(owner, IDD_UNZIP); }

INT_PTR TUnzip::OnInitDialog() {
  SetupAborted = false;
  if (MainSetup)
    SetItemText(IDC_UNZIP_LABEL1, MainSetup->data.Header.text + " " + ItemText(IDC_UNZIP_LABEL1) +
                                      "\rPlease Standby.");
  SetTimer(Handle(), kTimer1, 1000, nullptr);
  return TRUE;
}

INT_PTR TUnzip::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kTimer1) return FALSE;
      KillTimer(Handle(), kTimer1);
      if (MainSetup) CopySetupFolder(MainSetup->data.SourceDir, MainSetup->data.TempDir);
      EndModal(IDOK);
      return TRUE;
    case WM_LBUTTONUP:
      FormClick();
      return TRUE;
    default:
      return FALSE;
  }
}

void TUnzip::FormClick() {
  KillTimer(Handle(), kTimer1);
  // Placeholder question: Yes stands for Abort until the No / Abort box exists.
  if (sys::MsgBox("Abort Setup Process ?", sys::kMbYesNo | sys::kMbIconWarning) == sys::kIdYes) {
    SetupAborted = true;
    if (MainSetup) MainSetup->ClearTempDir();
    EndModal(IDABORT);
    return;
  }
  SetTimer(Handle(), kTimer1, 1000, nullptr);
}

}  // namespace zel::ui
