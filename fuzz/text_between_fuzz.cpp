// TextBetween over any text and markers, any start and either case mode.
#include "fuzz/fuzz_input.h"
#include "text/text_between.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int start = static_cast<std::int8_t>(data[0]);
  const bool ignore_case = data[1] & 1;
  const auto parts = SplitAtZero(data + 2, size - 2, 3);
  const Text piece = TextBetween(parts[0], parts[1], parts[2], start, ignore_case);
  // The piece is cut out of the text, never made up.
  if (!piece.empty() && parts[0].find(piece.view()) == std::string_view::npos) __builtin_trap();
  return 0;
}
