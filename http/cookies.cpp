#include "http/cookies.h"

namespace {

constexpr char kDeletedMark[] = "=deleted";
constexpr char kJarSeparator[] = "; ";

}  // namespace

Text CookieMerge(Text& old_cookies, Text& new_cookies) {
  old_cookies = TextRemoveSpaces(old_cookies);
  new_cookies = TextRemoveSpaces(new_cookies);

  const TextArray old_members = TextSplit(old_cookies, ";");
  TextArray members = TextSplit(new_cookies, ";");
  // `members` grows while this runs: of several old namesakes only the first is taken.
  for (const Text& m : old_members) {
    if (!CookieListHasName(members, CookieName(m))) TextArrayAppend(members, m);
  }

  std::string jar;
  for (const Text& m : members) {
    if (TextCompare(TextRight(m, 8), kDeletedMark) == 0) continue;
    jar += m.view();
    jar += kJarSeparator;
  }
  old_cookies = TextLeft(jar, TextLength(jar) - 2);
  old_cookies = JoinDistinct(old_cookies, kJarSeparator);
  return old_cookies;
}

Text CookieName(std::string_view member) {
  const int eq = TextFind(member, "=");
  if (eq == -1) return TextTrim(member);
  return TextTrim(TextLeft(member, eq - 1));
}

bool CookieListHasName(const TextArray& list, std::string_view name) {
  for (const Text& m : list) {
    if (TextCompare(CookieName(m), name) == 0) return true;
  }
  return false;
}

Text JoinDistinct(std::string_view text, std::string_view separator) {
  const TextArray parts = TextSplit(text, separator);
  TextArray seen;
  std::string result;
  for (const Text& p : parts) {
    if (TextArrayIndexOf(seen, p) != -1) continue;
    TextArrayAppend(seen, p);
    result += p.view();
    result += separator;
  }
  return TextLeft(result, TextLength(result) - TextLength(separator));
}

int TextArrayIndexOf(const TextArray& list, std::string_view text) {
  for (int i = 1; i <= TextArrayCount(list); ++i) {
    if (TextCompare(TextArrayItem(list, i), text) == 0) return i;
  }
  return -1;
}
