#include "skin/gdi_paint.h"

namespace skin {

void FillSolid(HDC dc, const RECT& area, COLORREF colour) {
  COLORREF old = SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

void FillRing(HDC dc, const RECT& area, int width, HBRUSH brush) {
  if (width <= 0) return;
  const RECT sides[4] = {
      {area.left, area.top, area.right, area.top + width},
      {area.left, area.bottom - width, area.right, area.bottom},
      {area.left, area.top + width, area.left + width, area.bottom - width},
      {area.right - width, area.top + width, area.right, area.bottom - width},
  };
  for (const RECT& side : sides) {
    if (side.right > side.left && side.bottom > side.top) FillRect(dc, &side, brush);
  }
}

void FillRing(HDC dc, const RECT& area, int width, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRing(dc, area, width, brush);
  DeleteObject(brush);
}

OffscreenDc BeginOffscreen(HDC target, int width, int height) {
  OffscreenDc o;
  o.target = target;
  o.width = width;
  o.height = height;
  o.dc = CreateCompatibleDC(target);
  if (o.dc) o.bitmap = CreateCompatibleBitmap(target, width, height);
  if (!o.bitmap) {
    if (o.dc) DeleteDC(o.dc);
    o.dc = target;
    return o;
  }
  o.old_bitmap = SelectObject(o.dc, o.bitmap);
  return o;
}

void EndOffscreen(OffscreenDc& o) {
  if (o.dc == o.target) return;
  BitBlt(o.target, 0, 0, o.width, o.height, o.dc, 0, 0, SRCCOPY);
  SelectObject(o.dc, o.old_bitmap);
  DeleteObject(o.bitmap);
  DeleteDC(o.dc);
  o = {};
}

}  // namespace skin
