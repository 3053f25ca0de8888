// Windows shaped like the program's, and the small helpers the GUI tests drive them with.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "skin/skin_file.h"

namespace skin_test {

enum class Kind {
  kMain,      // 631 x 116, fixed frame, close box and system menu, borderless edit and picture box
  kError,     // 333 x 181, close box, one push button and a label
  kDetails,   // 637 x 493, title only: no close box, no system menu; controls inside a picture box
  kControls,  // bordered edit boxes, picture boxes and buttons, with minimise box: every look at
              // once
};
inline constexpr Kind kAllKinds[] = {Kind::kMain, Kind::kError, Kind::kDetails, Kind::kControls};
const char* KindName(Kind kind);
SIZE DesignSize(Kind kind);

// Creates the window with its controls at the given place, shown but not activated.
HWND CreateTestWindow(Kind kind, int x, int y);
// The child with the given control id (ids are listed in test_windows.cpp), searched in all depths.
HWND Control(HWND window, int id);
enum ControlId {
  kSerialEdit = 101,
  kBannerBox,
  kOkButton,
  kMessageLabel,
  kPanelBox,
  kPhoneBox,
  kEdgeEdit,
  kBorderEdit,
  kBorderPicture,
  kSunkenPicture,
  kFirstButton,
  kSecondButton,
  kDisabledButton,
  kCheckBox,
};

// How often the window received WM_CLOSE since it was created.
int CloseCount(HWND window);

// Places of a window and of all its descendants, for comparing with and without the skin.
struct Geometry {
  RECT window = {};
  RECT client = {};
  POINT client_origin = {};    // relative to the window's top-left corner
  std::vector<RECT> children;  // each in its parent's client coordinates, in creation order
};
Geometry Measure(HWND window);
bool operator==(const Geometry& a, const Geometry& b);

// Window coordinates of the client area's top edge: the title band lies above it.
int CaptionMiddle(HWND window);
POINT WindowToScreen(HWND window, POINT in_window);
COLORREF WindowPixel(HWND window, POINT in_window);
// Pumps messages until the pixel has the expected colour or two seconds have passed; the pixel
// then. Pointer tracking reaches a window only when its next tracking check runs.
COLORREF PixelBecomes(HWND window, POINT in_window, COLORREF expected);

// Runs the message loop for a while so that posted work and painting are done.
void Pump(int milliseconds);
// Real mouse input through SendInput, at screen coordinates.
void MouseMove(POINT screen);
void MouseButton(bool down);

COLORREF ToColorRef(skin::Rgb rgb);
// The shipped skin file as bytes, and the look it holds.
std::vector<uint8_t> ShippedSkinBytes();
skin::Look ShippedLook();
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::string TempPath(const char* name);

using AttachFunction = int(__stdcall*)(const char*, const char*);
// Loads the built jedata.dll and finds its entry by the bare name.
AttachFunction LoadAttach();

}  // namespace skin_test
