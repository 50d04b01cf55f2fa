// The prompt dialogs, answered from inside their own modal loop by a timer
// that finds the dialog, reads it and clicks one of its buttons.
#include "ui/prompts.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace zel::ui {
namespace {

struct Seen {
  std::string caption;
  std::vector<std::string> texts;  // texts of the child windows, in z-order
  int answered = 0;
};

// The action run once per visible dialog of this thread; returns true when
// it answered the dialog.
std::function<bool(HWND)> answerDialog;
Seen seen;

std::string WindowText(HWND hwnd) {
  char buffer[512] = {};
  GetWindowTextA(hwnd, buffer, sizeof buffer);
  return buffer;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM) {
  seen.texts.push_back(WindowText(child));
  return TRUE;
}

BOOL CALLBACK VisitThreadWindow(HWND hwnd, LPARAM) {
  char className[16] = {};
  GetClassNameA(hwnd, className, sizeof className);
  if (!IsWindowVisible(hwnd) || std::string(className) != "#32770") return TRUE;
  seen.caption = WindowText(hwnd);
  seen.texts.clear();
  EnumChildWindows(hwnd, CollectChild, 0);
  if (answerDialog(hwnd)) ++seen.answered;
  return FALSE;
}

void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), VisitThreadWindow, 0);
}

// Runs the modal call with a polling timer that answers the dialog.
template <typename Call>
auto WithAnswer(std::function<bool(HWND)> answer, Call call) {
  seen = Seen{};
  answerDialog = std::move(answer);
  UINT_PTR timer = SetTimer(nullptr, 0, 50, Poll);
  auto result = call();
  KillTimer(nullptr, timer);
  return result;
}

std::function<bool(HWND)> Click(int id) {
  return [id](HWND dialog) {
    HWND button = GetDlgItem(dialog, id);
    if (!button) return false;
    PostMessageA(button, BM_CLICK, 0, 0);
    return true;
  };
}

bool Has(const std::vector<std::string>& texts, const std::string& text) {
  for (const auto& t : texts)
    if (t == text) return true;
  return false;
}

TEST(InputQueryDialog, OkReturnsTheEditedText) {
  std::string text = "a:\\";
  bool ok = WithAnswer(
      [](HWND dialog) {
        SetDlgItemTextA(dialog, 100, "c:\\setup\\disk2");
        PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        return true;
      },
      [&] { return InputQuery(nullptr, "Mount Segment #2", "Directory Path:", text); });
  EXPECT_TRUE(ok);
  EXPECT_EQ(text, "c:\\setup\\disk2");
  EXPECT_EQ(seen.caption, "Mount Segment #2");
  EXPECT_TRUE(Has(seen.texts, "Directory Path:"));
  EXPECT_TRUE(Has(seen.texts, "a:\\"));  // the field starts with the current text
}

TEST(InputQueryDialog, CancelKeepsTheText) {
  std::string text = "a:\\";
  bool ok = WithAnswer(Click(IDCANCEL), [&] {
    return InputQuery(nullptr, "Mount Segment #3", "Directory Path:", text);
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(text, "a:\\");
  EXPECT_EQ(seen.answered, 1);
}

TEST(RetryBoxDialog, OkAndCancelAnswers) {
  EXPECT_TRUE(WithAnswer(Click(IDOK), [] { return RetryBox(nullptr, "Unable", "ZEL - Setup"); }));
  EXPECT_EQ(seen.caption, "ZEL - Setup");
  EXPECT_TRUE(Has(seen.texts, "Unable"));
  EXPECT_FALSE(
      WithAnswer(Click(IDCANCEL), [] { return RetryBox(nullptr, "Unable", "ZEL - Setup"); }));
}

TEST(NoAbortBox, ButtonsReadNoAndAbortAndMapToTheirAnswers) {
  // The first button is "No": clicking it must not abort.
  bool aborted = WithAnswer(Click(IDYES), [] {
    return AskNoAbort(nullptr, "Abort Setup Process ?", "ZEL - Setup");
  });
  EXPECT_FALSE(aborted);
  EXPECT_TRUE(Has(seen.texts, "&No"));
  EXPECT_TRUE(Has(seen.texts, "&Abort"));
  EXPECT_FALSE(Has(seen.texts, "&Yes"));
  EXPECT_TRUE(Has(seen.texts, "Abort Setup Process ?"));
  aborted = WithAnswer(Click(IDNO), [] {
    return AskNoAbort(nullptr, "Abort Setup Process ?", "ZEL - Setup");
  });
  EXPECT_TRUE(aborted);
  // A later plain box is not renamed.
  WithAnswer(Click(IDYES), [] {
    return MessageBoxA(nullptr, "plain", "t", MB_YESNO);
  });
  EXPECT_TRUE(Has(seen.texts, "&Yes"));
}

}  // namespace
}  // namespace zel::ui
