#include "text/text_between.h"

#include <gtest/gtest.h>

#include "text/test_bytes.h"

namespace {

// Text() is the absent text (markers that touch), "" the empty text of its own (a marker missing).
TEST(TextBetween, MarkersAndEdgeResults) {
  const char* const kReply = "{\"size\":\"16GB\",\"color\":\"x\"}";
  const struct {
    const char* call;
    Text got;
    Text want;
  } cases[] = {
      {"value between quote markers", TextBetween(kReply, "\"size\":\"", "\",\""), "16GB"},
      {"left marker missing", TextBetween(kReply, "\"model\":\"", "\",\""), ""},
      {"left marker ends the text", TextBetween("x\"size\":\"", "\"size\":\"", "\",\""), ""},
      {"no right marker after the left", TextBetween("\"size\":\"16GB\"}", "\"size\":\"", "\",\""),
       ""},
      {"left marker with placeholders", TextBetween(kReply, "#引号size#引号:#引号", "\",\""),
       "16GB"},
      {"right marker with placeholders", TextBetween(kReply, "\"size\":\"", "#引号,#引号"), "16GB"},
      {"placeholder in the text is not a quote", TextBetween("#引号a\"", "\"", "\""), ""},
      {"right marker before the left does not count", TextBetween("x]a[b]", "[", "]"), "b"},
      {"touching markers", TextBetween("[]", "[", "]"), Text()},
      {"first pair", TextBetween("[a][b]", "[", "]"), "a"},
      {"right cannot overlap the left", TextBetween("[[x[", "[[", "["), "x"},
      {"empty left: up to the first right", TextBetween("ab]c]", "", "]"), "ab"},
      {"empty left, text starts with right", TextBetween("]x", "", "]"), Text()},
      {"empty right", TextBetween("[abc", "[", ""), Text()},
      {"empty right after a final left", TextBetween("abc[", "[", ""), ""},
      {"empty text", TextBetween("", "[", "]"), ""},
      {"all empty", TextBetween("", "", ""), ""},
      {"absent text", TextBetween(Text(), "[", "]"), ""},
      {"start 0 and 1 search from the first byte", TextBetween("[a][b]", "[", "]", 1), "a"},
      {"start skips the first pair", TextBetween("[a][b]", "[", "]", 2), "b"},
      {"start beyond the text", TextBetween("[a][b]", "[", "]", 7), ""},
      {"ignoreCase on both markers", TextBetween("<B>x</b>", "<b>", "</B>", 0, true), "x"},
      {"exact match by default", TextBetween("<B>x</b>", "<b>", "</B>"), ""},
      {"markers on character starts only",
       TextBetween(Bytes({0xB0, '[', 'a', ']', '[', 'b', ']'}), "[", "]"), "b"},
      {"right marker hidden in a second byte",
       TextBetween(Bytes({'[', 'a', 0xB0, ']', ']'}), "[", "]"), Bytes({'a', 0xB0, ']'})},
      {"value that holds \\\",\\\" is cut short",
       TextBetween("\"phone_model\":\"a\\\",\"b\",\"", "\"phone_model\":\"", "\",\""), "a\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << c.call;
}

TEST(TextBetween, PlaceholderIsTheGbkWord) {
  EXPECT_EQ(std::string_view(kQuotePlaceholder), Bytes({0x23, 0xD2, 0xFD, 0xBA, 0xC5}));
}

}  // namespace
