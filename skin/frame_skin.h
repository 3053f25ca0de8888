// The skin's frame and title bar for top-level windows.
#pragma once

#include <windows.h>

namespace skin {

// Takes over the painting of the window's frame, title bar and caption boxes. It changes no size:
// it paints only the frame the system has already reserved, and keeps the hit-test codes in step
// with what it draws. False when the window could not be taken over (it then keeps the system's
// look).
bool AttachFrame(HWND window);

}  // namespace skin
