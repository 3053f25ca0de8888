// HeaderValue over any line.
#include "fuzz/fuzz_input.h"
#include "http/url.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line = SplitAtZero(data, size, 1)[0];
  const Text value = HeaderValue(line);
  if (!value.empty() && line.find(value.view()) == std::string_view::npos) __builtin_trap();
  return 0;
}
