#include "http/url.h"

#include "text/text_between.h"

namespace {

constexpr char kHttp[] = "http://";
constexpr char kHttps[] = "https://";

Text HostPlain(std::string_view url, bool domain_only) {
  Text t = TextToLower(url);
  if (TextCompare(TextRight(t, 1), "/") != 0) t = TextConcat(t, "/");
  if (TextCompare(TextLeft(t, 8), kHttps) == 0) {
    t = TextBetween(t, kHttps, "/");
  } else {
    if (TextFind(t, kHttp) == -1) t = TextConcat(kHttp, t);
    t = TextBetween(t, kHttp, "/");
  }
  if (domain_only) {
    TextArray parts = TextSplit(t, ".");
    const int n = TextArrayCount(parts);
    if (n > 1) t = TextConcat(TextArrayItem(parts, n - 1), ".", TextArrayItem(parts, n));
  }
  return t;
}

Text HostByLabels(std::string_view url, bool domain_only, int label_count) {
  Text t = TextToLower(url);
  t = TextReplace(t, kHttp, "");
  t = TextReplace(t, kHttps, "");
  const int slash = TextFind(t, "/");
  if (slash != -1) t = TextLeft(t, slash - 1);

  const int n = TextLength(t);
  int h = n;
  for (int i = 0; i < label_count; ++i) h = TextFindLast(t, ".", h);
  const int l = TextFindLast(t, ".", h);

  if (domain_only) return TextRight(t, n - l);
  if (l != -1) {
    const int m = TextFindLast(t, ".", l);
    if (m != -1) t = TextRight(t, n - m);
  }
  return t;
}

}  // namespace

Text UrlHost(std::string_view url, bool domain_only, bool keep_port,
             std::optional<int> label_count) {
  Text t = label_count ? HostByLabels(url, domain_only, *label_count) : HostPlain(url, domain_only);
  if (keep_port) return t;
  const int colon = TextFind(t, ":");
  return colon != -1 ? TextLeft(t, colon - 1) : t;
}

int UrlPort(std::string_view url) {
  const Text host_port = UrlHost(url, false, true);
  const int colon = TextFindLast(host_port, ":");
  if (colon != -1) return TextToInt(TextRight(host_port, TextLength(host_port) - colon));
  return TextCompare(TextToLower(TextLeft(url, 5)), "https") == 0 ? 443 : 80;
}

Text UrlPath(std::string_view url) {
  const Text host = UrlHost(url);
  // Past a leading scheme, so that a host such as "h" or "tp" is not found inside "http://".
  const Text scheme = TextToLower(TextLeft(url, 8));
  int from = 1;
  if (TextCompare(scheme, kHttps) == 0) {
    from = 9;
  } else if (TextCompare(TextLeft(scheme, 7), kHttp) == 0) {
    from = 8;
  }
  const int at = TextFind(url, host, from, true);
  const int slash = TextFind(url, "/", at, true);
  if (slash == -1) return "/";
  return TextRight(url, TextLength(url) - slash + 1);
}

Text HeaderValue(std::string_view line) {
  const int colon = TextFind(line, ":");
  if (colon == -1) return Text();
  return TextTrim(TextRight(line, TextLength(line) - colon));
}
