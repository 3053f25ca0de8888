// Texts joined when the program is built, for titles and messages that end with a configured value.
#pragma once

#include <cstddef>
#include <string_view>

namespace ui {

template <std::size_t N>
struct Literal {
  char text[N];

  constexpr std::string_view view() const { return {text, N - 1}; }
};

template <std::size_t... N>
constexpr auto Concat(const char (&... parts)[N]) {
  Literal<(N + ... + 0) - sizeof...(N) + 1> joined{};
  std::size_t at = 0;
  auto append = [&](const char* part, std::size_t size) {
    for (std::size_t i = 0; i + 1 < size; ++i) joined.text[at++] = part[i];
  };
  (append(parts, N), ...);
  joined.text[at] = '\0';
  return joined;
}

}  // namespace ui
