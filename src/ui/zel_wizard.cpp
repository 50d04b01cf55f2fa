#include "ui/zel_wizard.h"

#include <commctrl.h>

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/messages.h"
#include "platform/string_list.h"
#include "platform/system.h"
#include "ui/chg_dir.h"
#include "ui/globals.h"
#include "ui/install_ops.h"
#include "ui/main_setup.h"
#include "ui/zel_wizard_res.h"
#include "wizard/page_rules.h"

namespace zel::ui {
namespace {

constexpr const char* kWarningText =
    "\r\n"
    "It is strongly recommended that you exit all windows programs\r\n"
    "before running this Setup program.\r\n"
    "\r\n"
    "Click Cancel to quit Setup and then close any programs you have\r\n"
    "running ( Re-Boot if Necessary ). Click Next continue with Setup\r\n"
    "Program.\r\n"
    "\r\n"
    "WARNING: This program is protected by copyright law and\r\n"
    "international treaties.\r\n"
    "Unauthorized reproduction or distribution of this program,\r\n"
    "or any portion of it, may result in severe civil and\r\n"
    "criminal penalties, and will be prosecuted to the maximum\r\n"
    "extent possible under the law.";

constexpr const char* kDestinationText =
    "Setup will now install Software into the following directory\r\n"
    "\r\n"
    "To install to this directory, click next.\r\n"
    "\r\n"
    "To install to different directory, click browse and select \r\n"
    "another\r\n"
    "directory.\r\n"
    "\r\n"
    "you can choose not to install by clicking cancel.";

// The stored licence text, replaced when the wizard is shown.
constexpr const char* kStoredLicence = "License Agreement\r\n\r\n(no license text)";

constexpr int kInstallHeight = 120;
constexpr int kBarControls[] = {IDC_ZEL_PANEL, IDC_ZEL_CANCEL, IDC_ZEL_BACK, IDC_ZEL_NEXT, IDC_ZEL_INSTALL};

SetupData& Data() {
  static SetupData empty;
  return MainSetup ? MainSetup->data : empty;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}

}  // namespace

void TZEL::ShowModal(HWND owner) {
  if (Dialog::ShowModal(owner, IDD_ZEL) == -1) state.rebootChecked = false;
}

void TZEL::nextClick() {
  ReadControls();
  NextClick(state, Data());
  ShowState();
}

INT_PTR TZEL::OnInitDialog() {
  HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32516));  // IDI_INFORMATION
  SendDlgItemMessageA(Handle(), IDC_P0_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  SendDlgItemMessageA(Handle(), IDC_P2_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  SetItemText(IDC_MEMO1, kWarningText);
  SetItemText(IDC_P2_TEXT, kDestinationText);
  SetItemText(IDC_MEMO3, kStoredLicence);
  for (int id : {IDC_DK, IDC_SM}) {
    HWND list = Item(id);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES);
    RECT r;
    GetClientRect(list, &r);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = r.right - GetSystemMetrics(SM_CXVSCROLL);
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  }
  SendDlgItemMessageA(Handle(), IDC_PROGRESSBAR1, PBM_SETRANGE32, 0, 100);
  FormShow();
  return TRUE;
}

void TZEL::FormShow() {
  const SetupData& data = Data();
  int licenceLines = 0;
  TStringList licence;
  const std::string licenceFile = data.TempDir + "\\license.txt";
  if (fs::FileExists(licenceFile)) {
    try {
      licence.LoadFromFile(licenceFile);
    } catch (const zel::Exception&) {
      licence.Clear();
    }
  }
  licenceLines = licence.Count();
  std::string text = licence.Text();
  if (text.size() >= 2) text.resize(text.size() - 2);  // no line end after the last line
  SetItemText(IDC_MEMO3, text);
  WizardFormShow(state, data, licenceLines);
  ShowState();
  if (MainSetup) MainSetup->Repaint();
  zel::ProcessMessages();
}

void TZEL::FillCheckList(int id, const std::vector<zel::CheckItem>& items) {
  HWND list = Item(id);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < items.size(); ++i) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<char*>(items[i].title.c_str());
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    ListView_SetCheckState(list, static_cast<int>(i), items[i].checked);
  }
}

void TZEL::ReadCheckList(int id, std::vector<zel::CheckItem>& items) {
  HWND list = Item(id);
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count && i < static_cast<int>(items.size()); ++i)
    items[static_cast<size_t>(i)].checked = ListView_GetCheckState(list, i) != 0;
}

void TZEL::ReadControls() {
  if (!Handle()) return;
  state.fullInstall = ItemChecked(IDC_FULL);
  state.launchChecked = ItemChecked(IDC_RADIOBUTTON1);
  state.returnChecked = ItemChecked(IDC_RADIOBUTTON2);
  state.rebootChecked = ItemChecked(IDC_REBOOT);
  ReadCheckList(IDC_DK, state.desktopList);
  ReadCheckList(IDC_SM, state.startMenuList);
}

void TZEL::ShowState() {
  if (!Handle()) return;
  for (int id = IDC_PAGE_FIRST; id <= IDC_PAGE_LAST; ++id) {
    const int page = (id - IDC_PAGE_FIRST) / IDC_PAGE_STEP;
    ShowItem(id, page == state.page);
  }
  ShowItem(IDC_REBOOT, state.page == kPageReady && state.rebootVisible);
  for (int id : kBarControls) ShowItem(id, !state.installing);
  if (!state.installing) ShowItem(IDC_ZEL_INSTALL, state.installVisible);
  EnableItem(IDC_ZEL_BACK, state.backEnabled);
  EnableItem(IDC_ZEL_NEXT, state.nextEnabled);
  SendMessageA(Handle(), DM_SETDEFID, state.installVisible ? IDC_ZEL_INSTALL : IDC_ZEL_NEXT, 0);
  SetItemText(IDC_LABEL1, state.destination);
  SetItemText(IDC_CREATEFOLDER, state.createFolder);
  SetItemText(IDC_LABEL2, state.launchLabel);
  SetItemText(IDC_MEMO4, JoinLines(state.summary));
  FillCheckList(IDC_DK, state.desktopList);
  FillCheckList(IDC_SM, state.startMenuList);
  CheckItem(IDC_FULL, state.fullInstall);
  CheckItem(IDC_MIN, !state.fullInstall);
  CheckItem(IDC_RADIOBUTTON1, state.launchChecked);
  CheckItem(IDC_RADIOBUTTON2, state.returnChecked);
  CheckItem(IDC_REBOOT, state.rebootChecked);
  EnableItem(IDC_RADIOBUTTON1, state.launchEnabled);
  EnableMenuItem(GetSystemMenu(Handle(), FALSE), SC_CLOSE,
                 MF_BYCOMMAND | (state.installing ? MF_GRAYED : MF_ENABLED));
}

void TZEL::Close() {
  zel::ProcessMessages();
  EndModal(IDCANCEL);
}

void TZEL::browseClick() {
  if (!Form3) return;
  Form3->Edit1 = state.destination;
  if (!Form3->ShowModal(Handle()) || Form3->Edit1 == state.destination) return;
  const std::string question = "Create New Directory for Installation [" + Form3->Edit1 + "] ?";
  if (sys::MsgBox(question, sys::kMbYesNo | sys::kMbIconQuestion) == sys::kIdYes) {
    state.destination = Form3->Edit1;
    ShowState();
  }
}

void TZEL::installClick() {
  ReadControls();
  if (!ConfirmInstallRights(Data(), state.destination, !state.fullInstall)) return;
  SetWizardPage(state, Data(), kPageInstall);
  state.installing = true;
  ShowState();
  PerformInstall();
}

void TZEL::PerformInstall() {
  SetupData& data = Data();
  // Page 6 only: a short window just above the bottom of the background.
  RECT bounds;
  GetWindowRect(Handle(), &bounds);
  int top = bounds.top;
  if (MainSetup) top = MainSetup->Height() - kInstallHeight - 30;
  SetWindowPos(Handle(), nullptr, bounds.left, top, bounds.right - bounds.left, kInstallHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateWindow(Handle());
  zel::ProcessMessages();

  InstallChoices choices;
  choices.destination = state.destination;
  choices.minInstall = !state.fullInstall;
  choices.launchChecked = state.launchChecked;
  choices.folderStartMenu = ItemChecked(IDC_CHECKBOX1);
  choices.folderDesktop = ItemChecked(IDC_CHECKBOX2);
  for (const zel::CheckItem& item : state.desktopList)
    if (item.checked) choices.desktopTicked.push_back(item.title);
  for (const zel::CheckItem& item : state.startMenuList)
    if (item.checked) choices.startMenuTicked.push_back(item.title);

  Win32InstallOps ops(*this);
  InstallHooks noHooks;
  const std::string windowsDir = sys::WindowsDirectory(MAX_PATH);
  const InstallOutcome outcome =
      RunInstall(data, choices, windowsDir, data.Header.text, ops, hooks_ ? *hooks_ : noHooks);
  if (outcome.completed) {
    data.InstallCompleted = true;
    data.ExitCode = kExitInstalled;
  } else {
    data.ExitCode = kExitFailed;
    state.rebootChecked = false;
    sys::MsgBox(outcome.error, sys::kMbOk | sys::kMbIconError);
  }
  state.installing = false;
  Close();
}

void TZEL::SetSourceText(const std::string& text) { SetItemText(IDC_SOURCE, text); }
void TZEL::SetDestText(const std::string& text) { SetItemText(IDC_DEST, text); }

void TZEL::SetProgressMax(int max) {
  progress_ = 0;
  SendDlgItemMessageA(Handle(), IDC_PROGRESSBAR1, PBM_SETRANGE32, 0, max > 0 ? max : 1);
  SendDlgItemMessageA(Handle(), IDC_PROGRESSBAR1, PBM_SETPOS, 0, 0);
}

void TZEL::StepProgress() {
  SendDlgItemMessageA(Handle(), IDC_PROGRESSBAR1, PBM_SETPOS, ++progress_, 0);
}

INT_PTR TZEL::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  // The close box is off while the install runs (also through Alt+F4).
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE && state.installing) {
    SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, 0);
    return TRUE;
  }
  return FALSE;
}

bool TZEL::OnCommand(int id, int notifyCode) {
  if (notifyCode != BN_CLICKED && id != IDCANCEL) return false;
  const SetupData& data = Data();
  switch (id) {
    case IDC_ZEL_NEXT:
      nextClick();
      return true;
    case IDC_ZEL_BACK:
      ReadControls();
      BackClick(state, data);
      ShowState();
      return true;
    case IDC_ACCEPT:
      ReadControls();
      AcceptClick(state, data);
      ShowState();
      return true;
    case IDC_DECLINE:
      DeclineClick(state);
      Close();
      return true;
    case IDC_ZEL_CANCEL:
      CancelClick(state);
      Close();
      return true;
    case IDCANCEL:  // the title-bar close box and Escape
      CloseBoxClick(state);
      if (state.closed) Close();
      return true;
    case IDC_BROWSE:
      browseClick();
      return true;
    case IDC_ZEL_INSTALL:
      if (state.installVisible && !state.installing) installClick();
      return true;
    default:
      return false;
  }
}

}  // namespace zel::ui
