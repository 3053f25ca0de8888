// Small GDI drawing helpers shared by the frame and the control looks.
#pragma once

#include <windows.h>

namespace skin {

void FillSolid(HDC dc, const RECT& area, COLORREF colour);
void FillRing(HDC dc, const RECT& area, int width,
              HBRUSH brush);  // the width pixels just inside area
void FillRing(HDC dc, const RECT& area, int width, COLORREF colour);

// Drawing goes to a bitmap first and reaches the window in one copy, so it never flickers.
struct OffscreenDc {
  HDC target = nullptr;
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old_bitmap = nullptr;
  int width = 0, height = 0;
};
// When no bitmap can be had, dc is the target itself and drawing still happens.
OffscreenDc BeginOffscreen(HDC target, int width, int height);
void EndOffscreen(OffscreenDc& offscreen);

}  // namespace skin
