#include "shell/routines.h"

#include <gtest/gtest.h>

#include <vector>

namespace zel {
namespace {

// Takes count fields off text, as the entry readers do.
std::vector<std::string> Fields(std::string text, int count, std::string* rest = nullptr) {
  std::vector<std::string> heads;
  for (int i = 0; i < count; ++i) {
    std::string head;
    SplitAtChar(text, '~', head);
    heads.push_back(head);
  }
  if (rest) *rest = text;
  return heads;
}

TEST(SplitAtChar, TakesFieldsFromTheFrontAndRepeatsTheLast) {
  std::string rest;
  EXPECT_EQ(Fields("x~y~z", 4, &rest), (std::vector<std::string>{"x", "y", "z", "z"}));
  EXPECT_EQ(rest, "z");
  EXPECT_EQ(Fields("A~B", 4), (std::vector<std::string>{"A", "B", "B", "B"}));
}

TEST(SplitAtChar, EmptyFieldsAtEitherEnd) {
  std::string rest;
  EXPECT_EQ(Fields("~q", 1, &rest), (std::vector<std::string>{""}));
  EXPECT_EQ(rest, "q");
  EXPECT_EQ(Fields("q~", 1, &rest), (std::vector<std::string>{"q"}));
  EXPECT_EQ(rest, "");
  EXPECT_EQ(Fields("a~~b", 3), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(Fields("", 2, &rest), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(rest, "");
}

TEST(SplitAtChar, OtherDelimiterAndHeadIsOverwritten) {
  std::string text = "SET TEMP=C:\\TEMP";
  std::string head = "stale";
  SplitAtChar(text, '=', head);
  EXPECT_EQ(head, "SET TEMP");
  EXPECT_EQ(text, "C:\\TEMP");
}

}  // namespace
}  // namespace zel
