// What the toolkit keeps for each open window and its controls; shared by its own files only.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "app/toolkit/design.h"
#include "app/toolkit/picture.h"

namespace toolkit::detail {

inline constexpr char kWindowClass[] = "ToolkitWindow";
inline constexpr char kPictureBoxClass[] = "ToolkitPictureBox";
inline constexpr char kLabelClass[] = "ToolkitTransparentLabel";
inline constexpr char kHyperlinkClass[] = "ToolkitHyperlinkLabel";

// Posted by CloseWindow, so that the destruction happens back in the event loop.
inline constexpr UINT kCloseRequest = WM_APP + 1;

struct ControlState {
  const ControlDesign* design = nullptr;
  HWND hwnd = nullptr;
  HFONT font = nullptr;
  bool owns_font = false;
  Picture picture{nullptr, {0, 0}};
  HBITMAP appearance = nullptr;       // picture box: its look, drawn once
  HBRUSH background_brush = nullptr;  // edit boxes
  WNDPROC edit_procedure = nullptr;   // the edit class's own, behind our subclass
  bool hover = false;                 // hyperlink label
  bool visited = false;
};

struct WindowState {
  const WindowDesign* design = nullptr;
  HWND hwnd = nullptr;
  std::vector<ControlState> controls;  // index = control ID - 1; never resized once built
  Picture background{nullptr, {0, 0}};
  bool modal = false;
  std::vector<std::pair<HWND, bool>>
      others;                 // windows a modal one disabled, with their former state
  bool* destroyed = nullptr;  // a modal loop waits on it
  HWND focus = nullptr;       // the control that had the focus when deactivated
};

// Instance data hangs on each window's GWLP_USERDATA.
WindowState* WindowOf(HWND top_level);
ControlState* ControlOf(HWND control);

COLORREF ToColorRef(Colour colour);
int CurrentModifiers();

// controls.cpp
bool RegisterControlClasses(HINSTANCE instance);
bool CreateControls(WindowState& window, HINSTANCE instance);
void ReleaseControls(WindowState& window);
void ReplacePicture(Picture& slot, const unsigned char* bytes, std::size_t size);
// A picture box's new picture, drawn at once with the labels lying on it.
void SetControlPicture(ControlState& control, const unsigned char* bytes, std::size_t size);
// Messages that children send to the window or picture box they lie in (clicks, edit colours).
bool HandleChildNotification(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
// Fills `area` with the colour and tiles the picture from the top-left corner of the client area.
void PaintTiled(HDC dc, const RECT& area, COLORREF colour, const Picture& picture);

}  // namespace toolkit::detail
