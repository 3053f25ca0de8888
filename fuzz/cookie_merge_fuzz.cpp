// CookieMerge of any two jars, and the helpers it is made of.
#include "fuzz/fuzz_input.h"
#include "http/cookies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts = SplitAtZero(data, size, 2);
  Text old_cookies(parts[0]);
  Text new_cookies(parts[1]);
  const Text merged = CookieMerge(old_cookies, new_cookies);
  if (TextCompare(merged, old_cookies) != 0) __builtin_trap();
  JoinDistinct(parts[0], parts[1]);
  CookieName(parts[1]);
  return 0;
}
