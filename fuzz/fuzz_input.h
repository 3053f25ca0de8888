// Splits a fuzz input into texts. Texts hold no zero byte, so the zero byte separates them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

inline std::vector<std::string_view> SplitAtZero(const std::uint8_t* data, std::size_t size,
                                                 std::size_t pieces) {
  std::vector<std::string_view> out;
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  while (out.size() + 1 < pieces) {
    const std::size_t zero = rest.find('\0');
    if (zero == std::string_view::npos) break;
    out.push_back(rest.substr(0, zero));
    rest.remove_prefix(zero + 1);
  }
  // The last piece ends at the next zero, if any.
  out.push_back(rest.substr(0, rest.find('\0')));
  while (out.size() < pieces) out.push_back({});
  return out;
}
