#include "app/toolkit/geometry.h"

#include <cstdint>

namespace toolkit {

Point CentredOnScreen(Size screen, Size window) {
  return {(screen.width - window.width) / 2, (screen.height - window.height) / 2};
}

Rect FitCentred(Size box, Size picture) {
  if (picture.width <= 0 || picture.height <= 0) return {0, 0, 0, 0};
  int width = picture.width;
  int height = picture.height;
  if (width > box.width || height > box.height) {
    // Exact rational arithmetic: the limiting side comes out as the box's side, with no
    // floating-point rounding taking a pixel off it.
    const std::int64_t by_width = std::int64_t{box.width} * picture.height;
    const std::int64_t by_height = std::int64_t{box.height} * picture.width;
    if (by_width <= by_height) {
      width = box.width;
      height = static_cast<int>(by_width / picture.width);
    } else {
      height = box.height;
      width = static_cast<int>(by_height / picture.height);
    }
  }
  return {(box.width - width) / 2, (box.height - height) / 2, width, height};
}

int KeyModifiers(bool ctrl, bool shift, bool alt) {
  return (ctrl ? kCtrl : 0) | (shift ? kShift : 0) | (alt ? kAlt : 0);
}

}  // namespace toolkit
