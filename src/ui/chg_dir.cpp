#include "ui/chg_dir.h"

#include <algorithm>
#include <vector>

#include "platform/fs.h"
#include "platform/paths.h"
#include "ui/chg_dir_res.h"

namespace zel::ui {
namespace {

constexpr const char* kNote =
    "Double click on directory to open folder or type \r\n"
    "directory location in box bellow.\r\n"
    "\r\n"
    "if directory does not exists it will automaticaly be\r\n"
    "created.";
constexpr const char* kParentItem = "[..]";

std::string ListText(HWND list, int index) {
  const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
  return buffer.data();
}

}  // namespace

bool TForm3::ShowModal(HWND owner) { return Dialog::ShowModal(owner, IDD_FORM3) == IDOK; }

INT_PTR TForm3::OnInitDialog() {
  SetItemText(IDC_FORM3_NOTE, kNote);
  SetItemText(IDC_FORM3_EDIT1, Edit1);
  FillDrives();
  // FormShow: a folder that cannot be shown leaves the list as it was.
  if (!ShowFolder(Edit1)) ShowFolder(currentDir_);
  return TRUE;
}

void TForm3::FillDrives() {
  HWND combo = Item(IDC_FORM3_DRIVES);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  const DWORD drives = GetLogicalDrives();
  for (int d = 0; d < 26; ++d) {
    if (!(drives & (1u << d))) continue;
    const std::string name = std::string(1, static_cast<char>('a' + d)) + ":";
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
}

bool TForm3::ShowFolder(const std::string& folder) {
  if (folder.size() < 2 || folder[1] != ':' || !fs::DirectoryExists(folder)) return false;
  std::string dir = folder.size() <= 3 ? folder.substr(0, 2) + "\\" : ExcludeTrailingBackslash(folder);
  currentDir_ = dir;
  std::vector<std::string> names;
  for (const fs::FindEntry& e : fs::FindFiles(IncludeTrailingBackslash(dir) + "*.*")) {
    if ((e.attributes & fs::kAttrDirectory) && e.name != "." && e.name != "..") names.push_back(e.name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return UpperCase(a) < UpperCase(b);
  });
  HWND list = Item(IDC_FORM3_DIRS);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  if (dir.size() > 3) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kParentItem));
  for (const std::string& n : names) {
    const std::string item = "[" + n + "]";
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  const std::string drive = LowerCase(dir.substr(0, 2));
  SendMessageA(Item(IDC_FORM3_DRIVES), CB_SELECTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(drive.c_str()));
  return true;
}

void TForm3::DirectoryListBox1Change() { SetItemText(IDC_FORM3_EDIT1, currentDir_); }

void TForm3::DirectoryListBox1Open() {
  HWND list = Item(IDC_FORM3_DIRS);
  const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return;
  const std::string item = ListText(list, static_cast<int>(index));
  if (item.size() < 3) return;
  std::string target;
  if (item == kParentItem) {
    target = ExcludeTrailingBackslash(ExtractFilePath(currentDir_));
    if (target.size() == 2) target += "\\";
  } else {
    target = IncludeTrailingBackslash(currentDir_) + item.substr(1, item.size() - 2);
  }
  if (ShowFolder(target)) DirectoryListBox1Change();
}

void TForm3::DriveComboBox1Change() {
  HWND combo = Item(IDC_FORM3_DRIVES);
  const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return;
  char name[8] = {};
  if (SendMessageA(combo, CB_GETLBTEXTLEN, index, 0) >= static_cast<LRESULT>(sizeof name)) return;
  SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(name));
  if (ShowFolder(UpperCase(name) + "\\")) DirectoryListBox1Change();
}

bool TForm3::OnCommand(int id, int notifyCode) {
  if (id == IDOK) {
    Edit1 = ItemText(IDC_FORM3_EDIT1);
    EndModal(IDOK);
    return true;
  }
  if (id == IDC_FORM3_DIRS && notifyCode == LBN_DBLCLK) {
    DirectoryListBox1Open();
    return true;
  }
  if (id == IDC_FORM3_DRIVES && notifyCode == CBN_SELCHANGE) {
    DriveComboBox1Change();
    return true;
  }
  return Dialog::OnCommand(id, notifyCode);
}

}  // namespace zel::ui
