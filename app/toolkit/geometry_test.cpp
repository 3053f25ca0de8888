#include "app/toolkit/geometry.h"

#include <gtest/gtest.h>

namespace toolkit {
namespace {

TEST(CentredOnScreen, SplitsTheLeftoverByIntegerDivision) {
  struct Case {
    Size screen, window;
    Point expected;
  } cases[] = {
      {{1280, 1024}, {631, 116}, {324, 454}},  // the main window
      {{1366, 768}, {637, 493}, {364, 137}},   // odd leftovers round down
      {{1024, 768}, {333, 181}, {345, 293}},
      {{640, 480}, {640, 480}, {0, 0}},
  };
  for (const Case& c : cases) {
    const Point p = CentredOnScreen(c.screen, c.window);
    EXPECT_EQ(p.x, c.expected.x) << c.screen.width << "x" << c.screen.height;
    EXPECT_EQ(p.y, c.expected.y) << c.screen.width << "x" << c.screen.height;
  }
}

TEST(FitCentred, ScalesLargerPicturesDownEvenlyAndCentresThem) {
  struct Case {
    Size box, picture;
    Rect expected;
  } cases[] = {
      // The details window's panel: 470/477 is the smaller scale, so the height fills the box
      // exactly (a floating-point product would give 469) and the width is cut to 638.
      {{640, 470}, {648, 477}, {1, 0, 638, 470}}, {{470, 470}, {477, 477}, {0, 0, 470, 470}},
      {{100, 100}, {200, 100}, {0, 25, 100, 50}},  // limited by the width
      {{100, 100}, {100, 300}, {33, 0, 33, 100}},  // limited by the height, 33.3 cut to 33
      {{101, 100}, {200, 200}, {0, 0, 100, 100}},  // half of a leftover pixel is none
      {{100, 100}, {50, 20}, {25, 40, 50, 20}},    // a picture that fits keeps its size
      {{100, 100}, {100, 100}, {0, 0, 100, 100}}, {{100, 100}, {0, 0}, {0, 0, 0, 0}},  // no picture
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitCentred(c.box, c.picture), c.expected)
        << c.picture.width << "x" << c.picture.height << " in " << c.box.width << "x"
        << c.box.height;
  }
}

TEST(KeyModifiers, CtrlShiftAltAreOneTwoFour) {
  EXPECT_EQ(KeyModifiers(false, false, false), 0);
  EXPECT_EQ(KeyModifiers(true, false, false), 1);
  EXPECT_EQ(KeyModifiers(false, true, false), 2);
  EXPECT_EQ(KeyModifiers(false, false, true), 4);
  EXPECT_EQ(KeyModifiers(true, true, true), 7);
}

}  // namespace
}  // namespace toolkit
