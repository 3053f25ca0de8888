#include "http/cookies.h"

#include <gtest/gtest.h>

namespace {

struct MergeCase {
  const char* old_cookies;
  const char* new_cookies;
  const char* merged;
  const char* new_after;
};

TEST(CookieMerge, Cases) {
  const MergeCase cases[] = {
      {"a=1; b=2", "b=3; c=4", "b=3; c=4; a=1", "b=3;c=4"},
      {"a=1; b=2", "b=deleted", "a=1", "b=deleted"},
      {"x=deleted", "", "", ""},
      {"", "x=deleted", "", "x=deleted"},
      {"", "", "", ""},
      {"a=1; a=2", "", "a=1", ""},
      {"", "a=1; a=2", "a=1; a=2", "a=1;a=2"},
      {"", "a=1; a=1", "a=1", "a=1;a=1"},
      {"A=1", "a=2", "a=2; A=1", "a=2"},
      {"a=hello world", "", "a=helloworld", ""},
      {"flag", "b=1", "b=1; flag", "b=1"},
      {"flag", "flag=1", "flag=1", "flag=1"},
      {"b=2", ";a=1", "; a=1; b=2", ";a=1"},
      {"b=2", ";a=1;;c=3", "; a=1; c=3; b=2", ";a=1;;c=3"},
      {"", "a=1;;", "a=1", "a=1;;"},
      {"a=1;", "b=2", "b=2; a=1", "b=2"},
      {"s=x=y=z", "", "s=x=y=z", ""},
      {"  a = 1 ;b=2", "", "a=1; b=2", ""},
      {"a=1", "a=deleted", "", "a=deleted"},
  };
  for (const MergeCase& c : cases) {
    Text old_cookies = c.old_cookies;
    Text new_cookies = c.new_cookies;
    const Text returned = CookieMerge(old_cookies, new_cookies);
    EXPECT_EQ(TextCompare(old_cookies, c.merged), 0)
        << "old '" << c.old_cookies << "' new '" << c.new_cookies << "' gave '"
        << old_cookies.view() << "'";
    EXPECT_EQ(TextCompare(new_cookies, c.new_after), 0) << c.new_cookies;
    EXPECT_EQ(TextCompare(returned, old_cookies), 0);
  }
}

TEST(CookieMerge, AbsentArgumentsReadAsEmpty) {
  Text old_cookies;
  Text new_cookies;
  EXPECT_EQ(TextCompare(CookieMerge(old_cookies, new_cookies), ""), 0);
}

TEST(CookieName, TrimmedTextBeforeFirstEquals) {
  EXPECT_EQ(TextCompare(CookieName(" sid = 1=2"), "sid"), 0);
  EXPECT_EQ(TextCompare(CookieName("flag"), "flag"), 0);
  EXPECT_EQ(TextCompare(CookieName("=v"), ""), 0);
  EXPECT_EQ(TextCompare(CookieName(""), ""), 0);
}

TEST(CookieListHasName, ComparesNamesCaseSensitively) {
  const TextArray list = {"a=1", Text(), "B=2"};
  EXPECT_TRUE(CookieListHasName(list, "a"));
  EXPECT_TRUE(CookieListHasName(list, "B"));
  EXPECT_TRUE(CookieListHasName(list, ""));  // the absent member has the empty name
  EXPECT_FALSE(CookieListHasName(list, "b"));
  EXPECT_FALSE(CookieListHasName({}, ""));
}

TEST(JoinDistinct, KeepsFirstOccurrences) {
  EXPECT_EQ(TextCompare(JoinDistinct("x; y; x", "; "), "x; y"), 0);
  EXPECT_EQ(TextCompare(JoinDistinct("", "; "), ""), 0);
  EXPECT_EQ(TextCompare(JoinDistinct("b,a,b,,a,", ","), "b,a,"), 0);
}

TEST(TextArrayIndexOf, FirstEqualMemberOrMinusOne) {
  const TextArray list = {"x", Text(), "y", "x"};
  EXPECT_EQ(TextArrayIndexOf(list, "x"), 1);
  EXPECT_EQ(TextArrayIndexOf(list, "y"), 3);
  EXPECT_EQ(TextArrayIndexOf(list, ""), 2);
  EXPECT_EQ(TextArrayIndexOf(list, "X"), -1);
  EXPECT_EQ(TextArrayIndexOf({}, "x"), -1);
}

}  // namespace
