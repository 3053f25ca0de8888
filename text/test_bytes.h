// Byte-exact texts for tests: GBK lead bytes, lone lead bytes and zero bytes written as numbers.
#pragma once

#include <initializer_list>
#include <string>

inline std::string Bytes(std::initializer_list<int> bytes) {
  std::string out;
  for (int b : bytes) out += static_cast<char>(b);
  return out;
}
