#include "ui/prompts.h"

#include <cstring>
#include <vector>

namespace zel::ui {

namespace {

// Builds a DLGTEMPLATE with its items in memory (every item DWORD-aligned).
class DialogTemplate {
 public:
  DialogTemplate(const std::string& caption, short cx, short cy) {
    DLGTEMPLATE head{};
    head.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    head.cx = cx;
    head.cy = cy;
    Append(&head, sizeof head);
    Word(0);  // no menu
    Word(0);  // standard dialog class
    Text(caption);
    Word(8);
    Text("MS Sans Serif");
  }
  void Item(WORD classAtom, const std::string& text, WORD id, DWORD style, short x, short y,
            short cx, short cy) {
    Align();
    DLGITEMTEMPLATE item{};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    Append(&item, sizeof item);
    Word(0xFFFF);
    Word(classAtom);
    Text(text);
    Word(0);  // no creation data
    reinterpret_cast<DLGTEMPLATE*>(bytes_.data())->cdit++;
  }
  const DLGTEMPLATE* Get() {
    Align();
    return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data());
  }

 private:
  void Append(const void* data, size_t size) {
    const BYTE* p = static_cast<const BYTE*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
  }
  void Word(WORD w) { Append(&w, sizeof w); }
  void Text(const std::string& text) {
    int wide = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> buffer(wide > 0 ? wide : 1, L'\0');
    if (wide > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer.data(), wide);
    Append(buffer.data(), buffer.size() * sizeof(wchar_t));
  }
  void Align() {
    while (bytes_.size() % 4) bytes_.push_back(0);
  }
  // DWORD storage keeps the template itself aligned.
  std::vector<BYTE> bytes_;
};

constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082;
constexpr int kEditId = 100;

struct InputState {
  std::string* text;
};

INT_PTR CALLBACK InputProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      auto* state = reinterpret_cast<InputState*>(lParam);
      SetDlgItemTextA(dialog, kEditId, state->text->c_str());
      SendDlgItemMessageA(dialog, kEditId, EM_SETSEL, 0, -1);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrA(dialog, DWLP_USER));
        HWND edit = GetDlgItem(dialog, kEditId);
        int length = GetWindowTextLengthA(edit);
        std::string value(length > 0 ? length + 1 : 1, '\0');
        GetWindowTextA(edit, value.data(), static_cast<int>(value.size()));
        value.resize(std::strlen(value.c_str()));
        *state->text = value;
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

// Renames the two buttons of the next message box of this thread.
thread_local HHOOK renameHook = nullptr;

LRESULT CALLBACK RenameButtons(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wParam);
    SetDlgItemTextA(box, IDYES, "&No");
    SetDlgItemTextA(box, IDNO, "&Abort");
    UnhookWindowsHookEx(renameHook);
    renameHook = nullptr;
    return 0;
  }
  return CallNextHookEx(renameHook, code, wParam, lParam);
}

}  // namespace

bool InputQuery(HWND owner, const std::string& caption, const std::string& prompt,
                std::string& text) {
  DialogTemplate layout(caption, 180, 63);
  layout.Item(kStatic, prompt, 0xFFFF, SS_LEFT, 8, 8, 164, 10);
  layout.Item(kEdit, "", kEditId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 8, 20, 164, 12);
  layout.Item(kButton, "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 40, 41, 50, 14);
  layout.Item(kButton, "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 96, 41, 50, 14);
  InputState state{&text};
  HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_ARROW));
  INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), layout.Get(), owner,
                                           InputProc, reinterpret_cast<LPARAM>(&state));
  SetCursor(previous);
  return result == IDOK;
}

bool RetryBox(HWND owner, const std::string& text, const std::string& caption) {
  return MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OKCANCEL | MB_ICONERROR) == IDOK;
}

bool AskNoAbort(HWND owner, const std::string& text, const std::string& caption) {
  // A Yes/No box whose buttons are renamed No and Abort when it activates: the
  // first (default) button answers No, the harmless choice.
  if (renameHook) UnhookWindowsHookEx(renameHook);
  renameHook = SetWindowsHookExA(WH_CBT, RenameButtons, nullptr, GetCurrentThreadId());
  int answer = MessageBoxA(owner, text.c_str(), caption.c_str(),
                           MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON1);
  if (renameHook) {
    UnhookWindowsHookEx(renameHook);
    renameHook = nullptr;
  }
  return answer == IDNO;
}

}  // namespace zel::ui
