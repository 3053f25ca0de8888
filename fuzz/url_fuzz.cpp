// UrlHost in both modes and every flag, UrlPort and UrlPath over any address.
#include <optional>

#include "fuzz/fuzz_input.h"
#include "http/url.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint8_t options = data[0];
  const std::string_view url = SplitAtZero(data + 1, size - 1, 1)[0];
  std::optional<int> label_count;
  if (options & 4) label_count = static_cast<std::int8_t>(options) >> 3;
  UrlHost(url, options & 1, options & 2, label_count);
  UrlPort(url);
  const Text path = UrlPath(url);
  // The path is "/" or the end of the address from one of its "/".
  if (TextCompare(path, "/") != 0) {
    if (path.view().front() != '/' || !url.ends_with(path.view())) __builtin_trap();
  }
  return 0;
}
