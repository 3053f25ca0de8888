// ParseLookupReply over any reply.
#include "fuzz/fuzz_input.h"
#include "lookup/lookup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view reply = SplitAtZero(data, size, 1)[0];
  LookupResult result;
  const bool found = ParseLookupReply(reply, result);
  if (TextCompare(result.response, reply) != 0) __builtin_trap();  // the reply is kept whole
  (void)found;
  return 0;
}
