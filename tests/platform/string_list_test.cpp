#include "platform/string_list.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(StringList, SplitsEveryKindOfLineEnd) {
  TStringList list;
  list.SetText("a\r\nb\nc\rd");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[0], "a");
  EXPECT_EQ(list[1], "b");
  EXPECT_EQ(list[2], "c");
  EXPECT_EQ(list[3], "d");
}

TEST(StringList, EmptyLinesCountAndTextEndsEachLineWithCrLf) {
  TStringList list;
  list.SetText("\r\n\r\nx\r\n");
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list[0], "");
  EXPECT_EQ(list.Text(), "\r\n\r\nx\r\n");
}

TEST(StringList, IndexOfIgnoresCase) {
  TStringList list;
  list.Add("Alpha");
  list.Add("beta");
  EXPECT_EQ(list.IndexOf("BETA"), 1);
  EXPECT_EQ(list.IndexOf("gamma"), -1);
}

}  // namespace
}  // namespace zel
