// The arithmetic of placing windows and pictures, apart from any window so that it can be tested.
#pragma once

#include "app/toolkit/design.h"

namespace toolkit {

struct Rect {
  int x;
  int y;
  int width;
  int height;

  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// Top-left corner that centres a window of outer size `window` on a screen, by integer division.
Point CentredOnScreen(Size screen, Size window);

// Where a picture lands in a box that draws it centred and, when larger, scaled down evenly:
// scale = min(box width / picture width, box height / picture height), each side cut to whole
// pixels, the leftover split in half. A picture that fits keeps its natural size.
Rect FitCentred(Size box, Size picture);

// The modifier bits (kCtrl, kShift, kAlt) of a key press.
int KeyModifiers(bool ctrl, bool shift, bool alt);

}  // namespace toolkit
