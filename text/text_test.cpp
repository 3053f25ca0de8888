#include "text/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "text/test_bytes.h"

namespace {

// Expected texts are written as Text: Text() is the absent text, "" the empty text of its own, and
// Text's == tells the two apart.
struct TextCase {
  const char* call;
  Text got;
  Text want;
};

struct IntCase {
  const char* call;
  int got;
  int want;
};

void ExpectAll(const std::vector<TextCase>& cases) {
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << c.call;
}

void ExpectAll(const std::vector<IntCase>& cases) {
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << c.call;
}

// 81 41 is one character whose second byte is the letter A; B0 78 one whose second byte is 'x'.
const std::string kLeadThenA = Bytes({0x81, 'A', 'A'});
const std::string kLeadThenX = Bytes({0xB0, 'x', 'x'});

TEST(TextGbk, LiteralsAreCodePage936) {
  EXPECT_EQ(std::string_view("#引号"), Bytes({0x23, 0xD2, 0xFD, 0xBA, 0xC5}));
  EXPECT_EQ(std::string_view("："), Bytes({0xA3, 0xBA}));
  EXPECT_EQ(std::string_view("（）"), Bytes({0xA3, 0xA8, 0xA3, 0xA9}));
  EXPECT_EQ(std::string_view("　"), Bytes({0xA1, 0xA1}));  // the full-width space
}

TEST(TextValue, AbsentAndEmptyDifferOnlyAtThePlatform) {
  const Text absent;
  const Text empty("");
  EXPECT_EQ(absent.c_str_or_null(), nullptr);
  ASSERT_NE(empty.c_str_or_null(), nullptr);
  EXPECT_STREQ(empty.c_str_or_null(), "");
  EXPECT_EQ(absent.view(), empty.view());
  EXPECT_EQ(TextCompare(absent, empty), 0);
  EXPECT_EQ(Text(static_cast<const char*>(nullptr)), absent);
  EXPECT_STREQ(Text("ab").c_str_or_null(), "ab");
}

TEST(TextCuts, LengthsAndCutsAtTheEdges) {
  EXPECT_EQ(TextLength(Text()), 0);
  EXPECT_EQ(TextLength("#引号"), 5);
  ExpectAll(std::vector<TextCase>{
      {"TextLeft('xyz', 0)", TextLeft("xyz", 0), Text()},
      {"TextLeft('xyz', -1)", TextLeft("xyz", -1), Text()},
      {"TextLeft('xyz', 2)", TextLeft("xyz", 2), "xy"},
      {"TextLeft('xyz', 10)", TextLeft("xyz", 10), "xyz"},
      {"TextLeft('', 3)", TextLeft("", 3), Text()},
      {"TextLeft(splits a character)", TextLeft(Bytes({'a', 0xB0, 0xA1}), 2), Bytes({'a', 0xB0})},
      {"TextRight('xyz', -1)", TextRight("xyz", -1), Text()},
      {"TextRight('xyz', 0)", TextRight("xyz", 0), Text()},
      {"TextRight('xyz', 2)", TextRight("xyz", 2), "yz"},
      {"TextRight('xyz', INT_MAX)", TextRight("xyz", INT_MAX), "xyz"},
      {"TextRight('', 1)", TextRight("", 1), Text()},
      {"TextRight(splits a character)", TextRight(Bytes({0xB0, 0xA1, 'b'}), 2), Bytes({0xA1, 'b'})},
      {"TextMid('uvwxyz', 3, 2)", TextMid("uvwxyz", 3, 2), "wx"},
      {"TextMid('uvwxyz', 5, 10)", TextMid("uvwxyz", 5, 10), "yz"},
      {"TextMid('uvwxyz', 6, 1)", TextMid("uvwxyz", 6, 1), "z"},
      {"TextMid('uvwxyz', 1, INT_MAX)", TextMid("uvwxyz", 1, INT_MAX), "uvwxyz"},
      {"TextMid('uvwxyz', 7, 1)", TextMid("uvwxyz", 7, 1), Text()},
      {"TextMid('uvwxyz', 0, 3)", TextMid("uvwxyz", 0, 3), Text()},
      {"TextMid('uvwxyz', INT_MIN, 3)", TextMid("uvwxyz", INT_MIN, 3), Text()},
      {"TextMid('uvwxyz', INT_MAX, 3)", TextMid("uvwxyz", INT_MAX, 3), Text()},
      {"TextMid('uvwxyz', 2, 0)", TextMid("uvwxyz", 2, 0), Text()},
      {"TextMid('uvwxyz', 2, -4)", TextMid("uvwxyz", 2, -4), Text()},
      {"TextMid('', 1, 1)", TextMid("", 1, 1), Text()},
      {"TextMid(starts on a second byte)", TextMid(Bytes({0xB0, 0xA1, 'c'}), 2, 5),
       Bytes({0xA1, 'c'})},
  });
}

TEST(TextSearch, FindAndFindLast) {
  const std::string high4 = Bytes({0x81, 0x81, 0x81, 0x81});
  const std::string a_high3 = Bytes({'a', 0x81, 0x81, 0x81});
  ExpectAll(std::vector<IntCase>{
      {"TextFind('xyz', 'z', 3)", TextFind("xyz", "z", 3), 3},
      {"TextFind('xyz', 'z', 4)", TextFind("xyz", "z", 4), -1},
      {"TextFind('xyz', 'x', 0)", TextFind("xyz", "x", 0), 1},
      {"TextFind('xyz', 'x', -5)", TextFind("xyz", "x", -5), 1},
      {"TextFind('xyz', 'x', INT_MIN)", TextFind("xyz", "x", INT_MIN), 1},
      {"TextFind('xyz', 'x', 2)", TextFind("xyz", "x", 2), -1},
      {"TextFind('xyz', 'z', INT_MAX)", TextFind("xyz", "z", INT_MAX), -1},
      {"TextFind('xyz', 'xyz')", TextFind("xyz", "xyz"), 1},
      {"TextFind('xyz', 'xyzw')", TextFind("xyz", "xyzw"), -1},
      {"TextFind('xyz', 'q')", TextFind("xyz", "q"), -1},
      {"TextFind('xyz', '')", TextFind("xyz", ""), 1},
      {"TextFind('xyz', '', 3): 1, not start", TextFind("xyz", "", 3), 1},
      {"TextFind('xyz', '', 4)", TextFind("xyz", "", 4), -1},
      {"TextFind('', '')", TextFind("", ""), -1},
      {"TextFind('', 'a')", TextFind("", "a"), -1},
      {"TextFind(absent, absent)", TextFind(Text(), Text()), -1},
      // ignoreCase folds ASCII letters only, second bytes included
      {"TextFind('USER-AGENT: x', 'user-agent:', true)",
       TextFind("USER-AGENT: x", "user-agent:", 0, true), 1},
      {"TextFind('USER-AGENT: x', 'user-agent:', false)",
       TextFind("USER-AGENT: x", "user-agent:", 0, false), -1},
      {"TextFind('xUser-Agent', 'USER-agent', 2, true)",
       TextFind("xUser-Agent", "USER-agent", 2, true), 2},
      {"TextFind('@', '`', true)", TextFind("@", "`", 0, true), -1},
      {"TextFind('[', '{', true)", TextFind("[", "{", 0, true), -1},
      {"TextFind(81 41, 81 61, true)", TextFind(Bytes({0x81, 'A'}), Bytes({0x81, 'a'}), 0, true),
       1},
      {"TextFind(81 41, 81 61, false)", TextFind(Bytes({0x81, 'A'}), Bytes({0x81, 'a'}), 0, false),
       -1},
      // the character walk
      {"TextFind(81 41 41, 'A')", TextFind(kLeadThenA, "A"), 3},
      {"TextFind(81 41 41, 'A', 2)", TextFind(kLeadThenA, "A", 2), 2},
      {"TextFind(81 41 41, 'a', true)", TextFind(kLeadThenA, "a", 0, true), 3},
      {"TextFind(B0 78 78, 'xx')", TextFind(kLeadThenX, "xx"), -1},
      {"TextFind(B0 78 78, 'xx', 2)", TextFind(kLeadThenX, "xx", 2), 2},
      {"TextFind(81 81 81 81, 81 81, 2)", TextFind(high4, Bytes({0x81, 0x81}), 2), 2},
      {"TextFind(81 81 81 81, 81, 4)", TextFind(high4, Bytes({0x81}), 4), 4},
      {"TextFind(a 81 81 81, 81 81)", TextFind(a_high3, Bytes({0x81, 0x81}), 0), 2},
      {"TextFind(lead byte at the end)", TextFind(Bytes({'a', 0x81}), Bytes({0x81})), 2},
      {"TextFind(ends in a lead byte)", TextFind(Bytes({'a', 'b', 0x81}), Bytes({'b', 0x81})), 2},
      {"TextFind(needle ends in a lead byte)", TextFind(Bytes({0x81, 'b'}), Bytes({0x81})), 1},

      {"TextFindLast('a.b.d', '.')", TextFindLast("a.b.d", "."), 4},
      {"TextFindLast('a.b.d', '.', 5)", TextFindLast("a.b.d", ".", 5), 4},
      {"TextFindLast('a.b.d', '.', 4)", TextFindLast("a.b.d", ".", 4), 2},
      {"TextFindLast('a.b.d', '.', 2)", TextFindLast("a.b.d", ".", 2), -1},
      {"TextFindLast('a.b.d', '.', 1)", TextFindLast("a.b.d", ".", 1), -1},
      {"TextFindLast('a.b.d', '.', 0)", TextFindLast("a.b.d", ".", 0), -1},
      {"TextFindLast('a.b.d', '.', INT_MIN)", TextFindLast("a.b.d", ".", INT_MIN), -1},
      {"TextFindLast('a.b.d', '.', INT_MAX)", TextFindLast("a.b.d", ".", INT_MAX), 4},
      {"TextFindLast('aaa', 'aa')", TextFindLast("aaa", "aa"), 2},
      {"TextFindLast('abcabc', 'bc', 6): wholly inside", TextFindLast("abcabc", "bc", 6), 2},
      {"TextFindLast('abcabc', 'bc', 7)", TextFindLast("abcabc", "bc", 7), 5},
      {"TextFindLast('xyz', 'q')", TextFindLast("xyz", "q"), -1},
      {"TextFindLast('xyz', '')", TextFindLast("xyz", ""), 1},
      {"TextFindLast('xyz', '', 2)", TextFindLast("xyz", "", 2), 1},
      {"TextFindLast('xyz', '', 1)", TextFindLast("xyz", "", 1), -1},
      {"TextFindLast('', '')", TextFindLast("", ""), -1},
      {"TextFindLast('', 'a')", TextFindLast("", "a"), -1},
      {"TextFindLast(81 2E 2E, '.')", TextFindLast(Bytes({0x81, '.', '.'}), "."), 3},
      {"TextFindLast(81 2E, '.')", TextFindLast(Bytes({0x81, '.'}), "."), -1},
      {"TextFindLast(a 81 41 41, 'A', 4)", TextFindLast(Bytes({'a', 0x81, 'A', 'A'}), "A", 4), -1},
      {"TextFindLast(a 81 41 41, 'A')", TextFindLast(Bytes({'a', 0x81, 'A', 'A'}), "A"), 4},
      {"TextFindLast(a 81 81 81, 81)", TextFindLast(a_high3, Bytes({0x81})), 4},
      {"TextFindLast(a 81 81 81, 81, 4)", TextFindLast(a_high3, Bytes({0x81}), 4), 2},
  });
}

TEST(TextRewrite, ReplaceTrimRemoveSpacesLower) {
  const std::string fw_space = Bytes({0xA1, 0xA1});
  ExpectAll(std::vector<TextCase>{
      {"TextReplace('aaa', 'aa', 'b')", TextReplace("aaa", "aa", "b"), "ba"},
      {"TextReplace('xaxbx', 'x', '')", TextReplace("xaxbx", "x", ""), "ab"},
      {"TextReplace('aaa', 'a', '')", TextReplace("aaa", "a", ""), Text()},
      {"TextReplace('aaa', 'a', 'bcd')", TextReplace("aaa", "a", "bcd"), "bcdbcdbcd"},
      {"TextReplace('a.b', '.', '..')", TextReplace("a.b", ".", ".."), "a..b"},
      {"TextReplace('ab', 'abc', 'x')", TextReplace("ab", "abc", "x"), "ab"},
      {"TextReplace('abc', 'd', 'z')", TextReplace("abc", "d", "z"), "abc"},
      {"TextReplace('abc', '', 'z')", TextReplace("abc", "", "z"), "abc"},
      {"TextReplace('', 'a', 'b')", TextReplace("", "a", "b"), Text()},
      {"TextReplace(placeholder)", TextReplace("#引号a#引号", "#引号", "\""), "\"a\""},
      {"TextReplace(81 41 41, 'A', 'b')", TextReplace(kLeadThenA, "A", "b"),
       Bytes({0x81, 'A', 'b'})},
      {"TextReplace(lead byte at the end)", TextReplace(Bytes({'a', 0x81}), Bytes({0x81}), "X"),
       "aX"},
      {"TextReplace(match ends in a lead byte)",
       TextReplace(Bytes({0x81, 'A', 'A'}), Bytes({0x81}), "-"), "-AA"},

      {"TextTrim('  a b  ')", TextTrim("  a b  "), "a b"},
      {"TextTrim(tab and line feed kept)", TextTrim(" \ta\n "), "\ta\n"},
      {"TextTrim(full-width spaces)", TextTrim(fw_space + "a" + fw_space + " "), "a"},
      {"TextTrim(blanks only)", TextTrim(fw_space + " " + fw_space), Text()},
      {"TextTrim('')", TextTrim(""), Text()},
      {"TextTrim('x')", TextTrim("x"), "x"},
      {"TextTrim(A1 A1 not on a boundary)", TextTrim(Bytes({' ', 0xB0, 0xA1, 0xA1, 0xA1, ' '})),
       Bytes({0xB0, 0xA1})},
      {"TextTrim(B0 A1 A1 78)", TextTrim(Bytes({0xB0, 0xA1, 0xA1, 'x'})),
       Bytes({0xB0, 0xA1, 0xA1, 'x'})},
      {"TextTrim(lone A1 at the end)", TextTrim(Bytes({'a', ' ', 0xA1})), Bytes({'a', ' ', 0xA1})},
      {"TextTrim(81 20 keeps its second byte)", TextTrim(Bytes({' ', 0x81, ' '})),
       Bytes({0x81, ' '})},

      {"TextRemoveSpaces('a b; k=v')", TextRemoveSpaces("a b; k=v"), "ab;k=v"},
      {"TextRemoveSpaces(full-width)", TextRemoveSpaces(fw_space + "a" + fw_space + "b"), "ab"},
      {"TextRemoveSpaces(blanks only)", TextRemoveSpaces("  " + fw_space), Text()},
      {"TextRemoveSpaces('')", TextRemoveSpaces(""), Text()},
      {"TextRemoveSpaces(tab kept)", TextRemoveSpaces("a\t b"), "a\tb"},
      {"TextRemoveSpaces(81 20 is a character)", TextRemoveSpaces(Bytes({0x81, ' ', 'x', ' '})),
       Bytes({0x81, ' ', 'x'})},
      {"TextRemoveSpaces(B0 A1 A1 78)", TextRemoveSpaces(Bytes({0xB0, 0xA1, 0xA1, 'x'})),
       Bytes({0xB0, 0xA1, 0xA1, 'x'})},

      {"TextToLower('AbC-Z@[')", TextToLower("AbC-Z@["), "abc-z@["},
      {"TextToLower(81 41 41)", TextToLower(kLeadThenA), Bytes({0x81, 'A', 'a'})},
      {"TextToLower(lead byte at the end)", TextToLower(Bytes({'A', 0x81})), Bytes({'a', 0x81})},
      {"TextToLower('')", TextToLower(""), Text()},
  });
}

TEST(TextSplit, MembersAtTheEdges) {
  const struct {
    const char* call;
    TextArray got;
    TextArray want;
  } cases[] = {
      {"TextSplit('', ';')", TextSplit("", ";"), {}},
      {"TextSplit(';', ';')", TextSplit(";", ";"), {Text()}},
      {"TextSplit('a;b;', ';')", TextSplit("a;b;", ";"), {"a", "b"}},
      {"TextSplit('a;;b;', ';')", TextSplit("a;;b;", ";"), {"a", Text(), "b"}},
      {"TextSplit(';a', ';')", TextSplit(";a", ";"), {Text(), "a"}},
      {"TextSplit('abc', '')", TextSplit("abc", ""), {"abc"}},
      {"TextSplit('abc', ';')", TextSplit("abc", ";"), {"abc"}},
      {"TextSplit('a::b', '::')", TextSplit("a::b", "::"), {"a", "b"}},
      {"TextSplit('a:::b', '::')", TextSplit("a:::b", "::"), {"a", ":b"}},
      {"TextSplit('ab', 'abc')", TextSplit("ab", "abc"), {"ab"}},
      {"TextSplit(81 3B as one character)",
       TextSplit(Bytes({0x81, ';', 'x', ';', 'y'}), ";"),
       {Bytes({0x81, ';', 'x'}), "y"}},
      {"TextSplit(lead byte at the end)",
       TextSplit(Bytes({'a', ';', 0x81}), ";"),
       {"a", Bytes({0x81})}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.got, c.want) << c.call;
    EXPECT_EQ(TextArrayCount(c.got), static_cast<int>(c.want.size())) << c.call;
  }
}

TEST(TextNumbers, ToInt) {
  ExpectAll(std::vector<IntCase>{
      {"' 8080/x'", TextToInt(" 8080/x"), 8080},
      {"''", TextToInt(""), 0},
      {"absent", TextToInt(Text()), 0},
      {"'-12ab'", TextToInt("-12ab"), -12},
      {"'+7'", TextToInt("+7"), 7},
      {"'\\t\\r\\n\\v\\f 42'", TextToInt("\t\r\n\v\f 42"), 42},
      {"'12 34'", TextToInt("12 34"), 12},
      {"'- 5'", TextToInt("- 5"), 0},
      {"'--5'", TextToInt("--5"), 0},
      {"'abc'", TextToInt("abc"), 0},
      {"'0x1A'", TextToInt("0x1A"), 0},
      {"'007'", TextToInt("007"), 7},
      {"'2147483647'", TextToInt("2147483647"), INT_MAX},
      {"'2147483648' wraps", TextToInt("2147483648"), INT_MIN},
      {"'-2147483648'", TextToInt("-2147483648"), INT_MIN},
      {"'4294967297' wraps", TextToInt("4294967297"), 1},
      {"'99999999999' wraps", TextToInt("99999999999"),
       static_cast<int>(99999999999LL & 0xFFFFFFFF)},
      {"full-width '－１２'", TextToInt("－１２"), -12},
      {"full-width '＋５'", TextToInt("＋５"), 5},
      {"full-width space, then '３'", TextToInt("　３"), 3},
      {"mixed '1２3'", TextToInt("1２3"), 123},
      {"lead byte before a digit", TextToInt(Bytes({0x81, '5'})), 0},
      {"digits then a lone lead byte", TextToInt(Bytes({'4', '2', 0xA3})), 42},
  });
}

TEST(TextJoin, ConcatCompareAndConstruction) {
  ExpectAll(std::vector<TextCase>{
      {"TextConcat('', '')", TextConcat("", ""), ""},
      {"TextConcat(absent, absent, absent)", TextConcat(Text(), Text(), Text()), ""},
      {"TextConcat(absent x4)", TextConcat(Text(), Text(), Text(), Text()), ""},
      {"TextConcat('a', absent)", TextConcat("a", Text()), "a"},
      {"TextConcat('a', 'b', 'c')", TextConcat("a", "b", "c"), "abc"},
      {"TextConcat('a', '', 'c', 'd')", TextConcat("a", "", "c", "d"), "acd"},
      {"CharText(0)", CharText(0), Text()},
      {"CharText(65)", CharText(65), "A"},
      {"BlankText(0)", BlankText(0), Text()},
      {"BlankText(-1)", BlankText(-1), Text()},
      {"BlankText(3)", BlankText(3), "   "},
  });
  EXPECT_EQ(CharText(0).c_str_or_null(), nullptr);
  ExpectAll(std::vector<IntCase>{
      {"TextCompare('a', 'b')", TextCompare("a", "b"), -1},
      {"TextCompare('b', 'a')", TextCompare("b", "a"), 1},
      {"TextCompare('a', 'a')", TextCompare("a", "a"), 0},
      {"TextCompare(absent, '')", TextCompare(Text(), ""), 0},
      {"TextCompare('', 'a')", TextCompare("", "a"), -1},
      {"TextCompare('a', 'ab')", TextCompare("a", "ab"), -1},
      {"TextCompare('ab', 'a')", TextCompare("ab", "a"), 1},
      {"TextCompare(81, 'a'): unsigned", TextCompare(Bytes({0x81}), "a"), 1},
      {"TextCompare('-1', '-1 ')", TextCompare("-1", "-1 "), -1},
  });
}

TEST(TextBytes, BuffersAndConversions) {
  const ByteBuffer none;
  const ByteBuffer zero = {0};
  const ByteBuffer abzyz = {'a', 'b', 0, 'y', 'z'};
  const struct {
    const char* call;
    ByteBuffer got;
    ByteBuffer want;
  } buffers[] = {
      {"BlankBytes(0)", BlankBytes(0), none},
      {"BlankBytes(-2)", BlankBytes(-2), none},
      {"BlankBytes(3)", BlankBytes(3), ByteBuffer{0, 0, 0}},
      {"BytesLeft(abzyz, 3)", BytesLeft(abzyz, 3), ByteBuffer{'a', 'b', 0}},
      {"BytesLeft(abzyz, 0)", BytesLeft(abzyz, 0), none},
      {"BytesLeft(abzyz, 99)", BytesLeft(abzyz, 99), abzyz},
      {"BytesLeft(none, 2)", BytesLeft(none, 2), none},
      {"BytesConcat(none, none)", BytesConcat(none, none), none},
      {"BytesConcat(zero, none)", BytesConcat(zero, none), zero},
      {"BytesConcat(zero, abzyz)", BytesConcat(zero, abzyz), ByteBuffer{0, 'a', 'b', 0, 'y', 'z'}},
      {"TextToBytes('')", TextToBytes(""), none},
      {"TextToBytes(a 81)", TextToBytes(Bytes({'a', 0x81})), ByteBuffer{'a', 0x81}},
  };
  for (const auto& c : buffers) EXPECT_EQ(c.got, c.want) << c.call;

  EXPECT_EQ(BytesLength(none), 0);
  EXPECT_EQ(BytesLength(abzyz), 5);
  EXPECT_TRUE(BytesEqual(none, ByteBuffer{}));
  EXPECT_TRUE(BytesEqual(zero, ByteBuffer{0}));
  EXPECT_FALSE(BytesEqual(zero, none));
  EXPECT_FALSE(BytesEqual(ByteBuffer{1}, ByteBuffer{2}));
  EXPECT_FALSE(BytesEqual(ByteBuffer{1}, ByteBuffer{1, 1}));

  ExpectAll(std::vector<TextCase>{
      {"BytesToText('ab' 0 'yz')", BytesToText(abzyz), "ab"},
      {"BytesToText(0 'a')", BytesToText(ByteBuffer{0, 'a'}), Text()},
      {"BytesToText(none)", BytesToText(none), Text()},
      {"BytesToText('ab')", BytesToText(ByteBuffer{'a', 'b'}), "ab"},
  });
}

TEST(TextArrays, OneBasedAndAppendKeepsAbsent) {
  TextArray a;
  EXPECT_EQ(TextArrayCount(a), 0);
  TextArrayAppend(a, "x");
  TextArrayAppend(a, Text());
  TextArrayAppend(a, "");
  ASSERT_EQ(TextArrayCount(a), 3);
  EXPECT_EQ(TextArrayItem(a, 1), Text("x"));
  EXPECT_EQ(TextArrayItem(a, 2), Text());
  EXPECT_EQ(TextArrayItem(a, 3), Text(""));
}

// A plain character-by-character walk, to hold the fast searches against on random texts made of
// lead bytes, letters, blanks and delimiters.
namespace walk_model {

std::size_t CharLen(std::string_view t, std::size_t i) {
  return static_cast<unsigned char>(t[i]) >= 0x80 && i + 1 < t.size() ? 2 : 1;
}

bool Same(std::string_view a, std::string_view b, bool ignore_case) {
  for (std::size_t i = 0; i < b.size(); ++i) {
    char x = a[i], y = b[i];
    if (ignore_case) {
      if (x >= 'A' && x <= 'Z') x += 0x20;
      if (y >= 'A' && y <= 'Z') y += 0x20;
    }
    if (x != y) return false;
  }
  return true;
}

int Find(std::string_view t, std::string_view s, int start, bool ignore_case) {
  const std::size_t from = start <= 1 ? 0 : start - 1;
  if (from >= t.size()) return -1;
  if (s.empty()) return 1;
  for (std::size_t i = from; i < t.size(); i += CharLen(t, i)) {
    if (t.size() - i >= s.size() && Same(t.substr(i), s, ignore_case))
      return static_cast<int>(i) + 1;
  }
  return -1;
}

int FindLast(std::string_view t, std::string_view s, std::optional<int> start) {
  std::size_t limit = t.size();
  if (start) limit = *start <= 1 ? 0 : std::min<std::size_t>(*start - 1, t.size());
  if (limit == 0) return -1;
  if (s.empty()) return 1;
  int last = -1;
  for (std::size_t i = 0; i < t.size(); i += CharLen(t, i)) {
    if (i + s.size() <= limit && Same(t.substr(i), s, false)) last = static_cast<int>(i) + 1;
  }
  return last;
}

Text Replace(std::string_view t, std::string_view find, std::string_view repl) {
  if (t.empty() || find.empty()) return t.empty() ? Text() : Text(t);
  std::string out;
  for (std::size_t i = 0; i < t.size();) {
    if (t.size() - i >= find.size() && t.substr(i, find.size()) == find) {
      out += repl;
      i += find.size();
    } else {
      out += t.substr(i, CharLen(t, i));
      i += CharLen(t, i);
    }
  }
  return out.empty() ? Text() : Text(out);
}

TextArray Split(std::string_view t, std::string_view delim) {
  if (t.empty()) return {};
  if (delim.empty()) return {Text(t)};
  TextArray out;
  std::size_t member = 0;
  for (std::size_t i = 0; i < t.size();) {
    if (t.size() - i >= delim.size() && t.substr(i, delim.size()) == delim) {
      out.push_back(i == member ? Text() : Text(t.substr(member, i - member)));
      i += delim.size();
      member = i;
    } else {
      i += CharLen(t, i);
    }
  }
  if (member < t.size()) out.push_back(Text(t.substr(member)));
  return out;
}

}  // namespace walk_model

TEST(TextWalk, FastSearchesAgreeWithThePlainWalk) {
  static const char kAlphabet[] = {'a', 'A', 'b', ';', ' ', '\x81', '\xA1', '\xB0'};
  std::mt19937 random(20240601);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  auto make = [&](int max_length, int high_percent) {
    std::string s(pick(max_length + 1), 'a');
    for (char& c : s) c = kAlphabet[pick(100) < high_percent ? 5 + pick(3) : pick(5)];
    return s;
  };
  for (int round = 0; round < 3000; ++round) {
    // Long ASCII stretches, mixed texts, and long runs of high bytes whose pairing decides.
    const std::string t = make(40, round % 3 == 0 ? 3 : round % 3 == 1 ? 35 : 90);
    const std::string s = make(3, 35);
    const int start = pick(static_cast<int>(t.size()) + 4) - 1;
    SCOPED_TRACE(testing::PrintToString(Text(t)) + " / " + testing::PrintToString(Text(s)) +
                 " start " + std::to_string(start));
    ASSERT_EQ(TextFind(t, s), walk_model::Find(t, s, 0, false));
    ASSERT_EQ(TextFind(t, s, start), walk_model::Find(t, s, start, false));
    ASSERT_EQ(TextFind(t, s, start, true), walk_model::Find(t, s, start, true));
    ASSERT_EQ(TextFindLast(t, s), walk_model::FindLast(t, s, std::nullopt));
    ASSERT_EQ(TextFindLast(t, s, start), walk_model::FindLast(t, s, start));
    ASSERT_EQ(TextReplace(t, s, "<>"), walk_model::Replace(t, s, "<>"));
    ASSERT_EQ(TextReplace(t, s, ""), walk_model::Replace(t, s, ""));
    ASSERT_EQ(TextSplit(t, s), walk_model::Split(t, s));
  }
}

TEST(TextLarge, ManyMegabytes) {
  // 8 MiB of characters whose second byte is 'x', then one 'x' of its own at the very end.
  constexpr std::size_t kPairs = 4 << 20;
  std::string gbk;
  gbk.reserve(2 * kPairs + 1);
  for (std::size_t i = 0; i < kPairs; ++i) gbk += "\xB0x";
  gbk += 'x';
  const int last = static_cast<int>(gbk.size());
  EXPECT_EQ(TextFind(gbk, "x"), last);
  EXPECT_EQ(TextFind(gbk, "X", 0, true), last);
  EXPECT_EQ(TextFindLast(gbk, "x"), last);
  EXPECT_EQ(TextFindLast(gbk, "x", last), -1);
  const Text replaced = TextReplace(gbk, "x", "yz");
  EXPECT_EQ(replaced.length(), last + 1);
  EXPECT_EQ(TextRight(replaced, 3), Text("xyz"));
  const TextArray members = TextSplit(gbk, "x");
  ASSERT_EQ(TextArrayCount(members), 1);
  EXPECT_EQ(TextArrayItem(members, 1).length(), last - 1);
  EXPECT_EQ(TextToLower(gbk).length(), last);

  // 8 MiB of ASCII words: every occurrence is found and replaced.
  std::string ascii;
  ascii.reserve(8 << 20);
  while (ascii.size() < (8u << 20)) ascii += "Lorem ipsum; ";
  const int words = static_cast<int>(ascii.size() / 13);
  EXPECT_EQ(TextSplit(ascii, "; ").size(), static_cast<std::size_t>(words));
  EXPECT_EQ(TextReplace(ascii, "; ", "").length(), words * 11);
  EXPECT_EQ(TextRemoveSpaces(ascii).length(), words * 11);
  EXPECT_EQ(TextTrim(ascii).length(), static_cast<int>(ascii.size()) - 1);
  EXPECT_EQ(TextFindLast(ascii, "Lorem"), static_cast<int>(ascii.size()) - 12);
  EXPECT_EQ(TextFind(ascii, "LOREM IPSUM;", 2, true), 14);
}

}  // namespace
