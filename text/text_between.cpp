#include "text/text_between.h"

Text TextBetween(std::string_view text, std::string_view left, std::string_view right, int start,
                 bool ignore_case) {
  const Text l = TextReplace(left, kQuotePlaceholder, "\"");
  const Text r = TextReplace(right, kQuotePlaceholder, "\"");
  int p = TextFind(text, l, start, ignore_case);
  if (p != -1) p += l.length();
  // Searched also when the left marker is missing (over the whole text); the result is then unused.
  const int q = TextFind(text, r, p, ignore_case);
  if (p == -1 || q == -1) return Text("");
  return TextMid(text, p, q - p);
}
