// Small pictures made in the tests themselves.
#pragma once

#include <windows.h>

#include <vector>

namespace toolkit::testing {

// A 24-bit bottom-up BMP file of width x height pixels, all of one colour.
inline std::vector<unsigned char> SolidBmp(int width, int height, COLORREF colour) {
  const int stride = (width * 3 + 3) & ~3;
  const int pixels = stride * height;
  std::vector<unsigned char> file(54 + static_cast<std::size_t>(pixels), 0);
  auto put32 = [&file](std::size_t at, unsigned value) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<unsigned char>(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<unsigned>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<unsigned>(width));
  put32(22, static_cast<unsigned>(height));
  file[26] = 1;   // planes
  file[28] = 24;  // bits per pixel
  put32(34, static_cast<unsigned>(pixels));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      unsigned char* p = &file[54 + static_cast<std::size_t>(y * stride + x * 3)];
      p[0] = GetBValue(colour);
      p[1] = GetGValue(colour);
      p[2] = GetRValue(colour);
    }
  }
  return file;
}

}  // namespace toolkit::testing
