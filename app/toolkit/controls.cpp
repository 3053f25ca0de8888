// The control kinds: picture box, transparent label and hyperlink label as window classes of our
// own, edit box and button as the system's classes, the edit box subclassed for its key event.
// shellapi.h needs windows.h before it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <windowsx.h>
// clang-format on

#include <string>

#include "app/toolkit/geometry.h"
#include "app/toolkit/window_state.h"

namespace toolkit::detail {

namespace {

constexpr COLORREF kLinkHover = RGB(51, 153, 255);
constexpr COLORREF kLinkVisited = RGB(128, 0, 0);

std::string WindowText(HWND hwnd) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

void DrawPicture(HDC dc, const Picture& picture, int x, int y, int width, int height) {
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, picture.bitmap);
  if (width == picture.size.width && height == picture.size.height) {
    BitBlt(dc, x, y, width, height, source, 0, 0, SRCCOPY);
  } else {
    POINT brush_origin;
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, &brush_origin);
    StretchBlt(dc, x, y, width, height, source, 0, 0, picture.size.width, picture.size.height,
               SRCCOPY);
    SetBrushOrgEx(dc, brush_origin.x, brush_origin.y, nullptr);
  }
  SelectObject(source, old);
  DeleteDC(source);
}

// ---- picture box

void PaintPictureBoxContent(const ControlState& control, HDC dc, const RECT& client) {
  HBRUSH fill = CreateSolidBrush(ToColorRef(control.design->background));
  FillRect(dc, &client, fill);
  DeleteObject(fill);
  const Picture& picture = control.picture;
  if (!picture.bitmap) return;
  if (control.design->fit == PictureFit::kCentredScaledDown) {
    const Rect place = FitCentred({client.right, client.bottom}, picture.size);
    DrawPicture(dc, picture, place.x, place.y, place.width, place.height);
  } else {
    // Natural size from the top-left corner; the box's edges cut off the rest.
    DrawPicture(dc, picture, 0, 0, picture.size.width, picture.size.height);
  }
}

// The box's look is drawn once into a bitmap of its own: every label lying on the box paints the
// part under it again, and scaling the whole picture for each of them would be slow.
void PaintPictureBox(HWND hwnd, HDC dc) {
  ControlState* control = ControlOf(hwnd);
  if (!control) return;
  RECT client;
  GetClientRect(hwnd, &client);
  if (!control->appearance) {
    HDC screen = GetDC(nullptr);
    control->appearance = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    if (!control->appearance) {
      PaintPictureBoxContent(*control, dc, client);
      return;
    }
    HDC buffer = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(buffer, control->appearance);
    PaintPictureBoxContent(*control, buffer, client);
    SelectObject(buffer, old);
    DeleteDC(buffer);
  }
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, control->appearance);
  BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

// ---- transparent and hyperlink labels

// What lies behind a label is its parent's own painting, asked for through WM_PRINTCLIENT with the
// origin moved to the label's place.
void PaintParentUnder(HWND hwnd, HDC dc) {
  HWND parent = GetParent(hwnd);
  POINT place{0, 0};
  MapWindowPoints(hwnd, parent, &place, 1);
  POINT origin;
  OffsetViewportOrgEx(dc, -place.x, -place.y, &origin);
  SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
}

UINT DrawTextFlags(const ControlDesign& design) {
  UINT flags = DT_NOPREFIX;
  flags |= design.align == Align::kCentre  ? DT_CENTER
           : design.align == Align::kRight ? DT_RIGHT
                                           : DT_LEFT;
  flags |=
      design.lines == Lines::kWrappedFromTop ? DT_WORDBREAK | DT_TOP : DT_SINGLELINE | DT_VCENTER;
  return flags;
}

// A hyperlink label shows its design colour until the pointer is over it or it has been pressed.
COLORREF LabelColour(const ControlState& control) {
  const COLORREF normal = ToColorRef(control.design->text_colour);
  if (control.design->kind != ControlKind::kHyperlinkLabel) return normal;
  if (control.hover) return kLinkHover;
  return control.visited ? kLinkVisited : normal;
}

void PaintLabelInto(HWND hwnd, HDC dc) {
  const ControlState* control = ControlOf(hwnd);
  RECT client;
  GetClientRect(hwnd, &client);
  PaintParentUnder(hwnd, dc);
  if (!control) return;
  const std::string text = WindowText(hwnd);
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF colour = SetTextColor(dc, LabelColour(*control));
  HGDIOBJ font = SelectObject(dc, control->font);
  DrawTextA(dc, text.c_str(), -1, &client, DrawTextFlags(*control->design));
  SelectObject(dc, font);
  SetTextColor(dc, colour);
  SetBkMode(dc, mode);
}

// Drawn off screen first, so that the parent's painting under the text never flickers through.
void PaintLabel(HWND hwnd, HDC dc) {
  RECT client;
  GetClientRect(hwnd, &client);
  HDC buffer = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
  HGDIOBJ old = SelectObject(buffer, bitmap);
  PaintLabelInto(hwnd, buffer);
  BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
  SelectObject(buffer, old);
  DeleteObject(bitmap);
  DeleteDC(buffer);
}

void Redraw(HWND hwnd) { RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN); }

void PressLink(ControlState& control) {
  const char* link = control.design->link;
  if (!link || !*link) return;
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "open", link, nullptr, nullptr, SW_SHOWNORMAL));
  if (result > 32 && !control.visited) {
    control.visited = true;
    Redraw(control.hwnd);
  }
}

void TrackHover(ControlState& control) {
  if (control.hover) return;
  control.hover = true;
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, control.hwnd, 0};
  TrackMouseEvent(&track);
  Redraw(control.hwnd);
}

void DeliverPress(HWND hwnd, WPARAM wparam, LPARAM lparam) {
  const ControlState* control = ControlOf(hwnd);
  if (!control || !control->design->on_left_button_pressed) return;
  const int modifiers =
      KeyModifiers(wparam & MK_CONTROL, wparam & MK_SHIFT, GetKeyState(VK_MENU) < 0);
  control->design->on_left_button_pressed(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam), modifiers);
}

LRESULT CALLBACK PictureBoxProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (HandleChildNotification(message, wparam, lparam, &result)) return result;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      PaintPictureBox(hwnd, dc);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintPictureBox(hwnd, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_LBUTTONDOWN:
      DeliverPress(hwnd, wparam, lparam);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK LabelProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  ControlState* control = ControlOf(hwnd);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      PaintLabel(hwnd, dc);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintLabelInto(hwnd, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_SETTEXT: {
      // A new caption is drawn again with what lies behind it.
      const LRESULT result = DefWindowProcA(hwnd, message, wparam, lparam);
      Redraw(hwnd);
      return result;
    }
    case WM_SETCURSOR:
      if (control && control->design->kind == ControlKind::kHyperlinkLabel) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_MOUSEMOVE:
      if (control && control->design->kind == ControlKind::kHyperlinkLabel) TrackHover(*control);
      return 0;
    case WM_MOUSELEAVE:
      if (control) {
        control->hover = false;
        Redraw(hwnd);
      }
      return 0;
    case WM_LBUTTONDOWN:
      if (control && control->design->kind == ControlKind::kHyperlinkLabel) PressLink(*control);
      DeliverPress(hwnd, wparam, lparam);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

// The key event comes before the box gets the key; Enter and its character go no further, so the
// single-line box does not beep at it.
LRESULT CALLBACK EditProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  ControlState* control = ControlOf(hwnd);
  const WNDPROC own = control->edit_procedure;
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (control->design->on_key_pressed) {
        control->design->on_key_pressed(static_cast<int>(wparam), CurrentModifiers());
        if (!IsWindow(hwnd)) return 0;  // the handler closed the window
      }
      break;
    case WM_CHAR:
    case WM_SYSCHAR:
      if (wparam == '\r') return 0;
      break;
  }
  return CallWindowProcA(own, hwnd, message, wparam, lparam);
}

HFONT MakeFont(const FontDesign& design) {
  LOGFONTA font{};
  font.lfHeight = design.height;
  font.lfWidth = design.width;
  font.lfEscapement = design.escapement;
  font.lfOrientation = design.orientation;
  font.lfWeight = design.weight;
  font.lfItalic = design.italic;
  font.lfUnderline = design.underline;
  font.lfStrikeOut = design.strike_out;
  font.lfCharSet = design.charset;
  font.lfOutPrecision = design.out_precision;
  font.lfClipPrecision = design.clip_precision;
  font.lfQuality = design.quality;
  font.lfPitchAndFamily = design.pitch_and_family;
  if (design.face) lstrcpynA(font.lfFaceName, design.face, LF_FACESIZE);
  return CreateFontIndirectA(&font);
}

HFONT DefaultGuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// The hyperlink label shows the default GUI font underlined.
HFONT UnderlinedDefaultFont() {
  LOGFONTA font{};
  GetObjectA(DefaultGuiFont(), sizeof font, &font);
  font.lfUnderline = TRUE;
  return CreateFontIndirectA(&font);
}

void ChooseFont(ControlState& control) {
  const ControlDesign& design = *control.design;
  if (design.font) {
    control.font = MakeFont(*design.font);
    control.owns_font = control.font != nullptr;
  } else if (design.kind == ControlKind::kHyperlinkLabel) {
    control.font = UnderlinedDefaultFont();
    control.owns_font = control.font != nullptr;
  }
  if (!control.font) {
    control.font = DefaultGuiFont();
    control.owns_font = false;
  }
}

struct ClassAndStyle {
  const char* window_class;
  DWORD style;
};

ClassAndStyle ClassFor(const ControlDesign& design) {
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  switch (design.kind) {
    case ControlKind::kEditBox:
      return {"EDIT", kChild | ES_LEFT | ES_AUTOHSCROLL};
    case ControlKind::kButton:
      return {"BUTTON", kChild | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER};
    case ControlKind::kPictureBox:
      return {kPictureBoxClass, kChild | WS_CLIPCHILDREN};
    case ControlKind::kHyperlinkLabel:
      return {kHyperlinkClass, kChild};
    case ControlKind::kTransparentLabel:
      return {kLabelClass, kChild};
  }
  return {kLabelClass, kChild};
}

HWND ParentHandle(const WindowState& window, const ControlDesign& design) {
  if (!design.parent) return window.hwnd;
  for (const ControlState& candidate : window.controls) {
    if (std::string_view(candidate.design->name) == design.parent) return candidate.hwnd;
  }
  return nullptr;
}

bool CreateControl(WindowState& window, ControlState& control, int id, HINSTANCE instance) {
  const ControlDesign& design = *control.design;
  const ClassAndStyle kind = ClassFor(design);
  const DWORD style = kind.style | (design.tab_stop ? WS_TABSTOP : 0);
  control.hwnd =
      CreateWindowExA(0, kind.window_class, design.caption, style, design.place.x, design.place.y,
                      design.size.width, design.size.height, ParentHandle(window, design),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (!control.hwnd) return false;
  SetWindowLongPtrA(control.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));

  ChooseFont(control);
  SendMessageA(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(control.font), FALSE);
  if (design.kind == ControlKind::kEditBox) {
    control.background_brush = CreateSolidBrush(ToColorRef(design.background));
    control.edit_procedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProcedure)));
  }
  if (design.picture) ReplacePicture(control.picture, design.picture->bytes, design.picture->size);
  return true;
}

bool RegisterClass(HINSTANCE instance, const char* name, WNDPROC procedure, HCURSOR cursor) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = cursor;
  window_class.lpszClassName = name;
  return RegisterClassExA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool RegisterControlClasses(HINSTANCE instance) {
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  return RegisterClass(instance, kPictureBoxClass, PictureBoxProcedure, arrow) &&
         RegisterClass(instance, kLabelClass, LabelProcedure, arrow) &&
         RegisterClass(instance, kHyperlinkClass, LabelProcedure, LoadCursorA(nullptr, IDC_HAND));
}

bool CreateControls(WindowState& window, HINSTANCE instance) {
  const auto& designs = window.design->controls;
  window.controls.assign(designs.size(), ControlState{});
  for (std::size_t row = 0; row < designs.size(); ++row)
    window.controls[row].design = &designs[row];

  // Parents before the controls inside them; a sound design needs at most one pass per row.
  std::size_t created = 0;
  for (std::size_t pass = 0; pass < designs.size() && created < designs.size(); ++pass) {
    for (std::size_t row = 0; row < designs.size(); ++row) {
      ControlState& control = window.controls[row];
      if (control.hwnd || !ParentHandle(window, *control.design)) continue;
      if (!CreateControl(window, control, static_cast<int>(row) + 1, instance)) return false;
      ++created;
    }
  }
  if (created < designs.size()) return false;

  // Stacking order as in the table, top to bottom, within each parent.
  for (const ControlState& control : window.controls) {
    SetWindowPos(control.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return true;
}

void ReleaseControls(WindowState& window) {
  for (ControlState& control : window.controls) {
    if (control.owns_font) DeleteObject(control.font);
    if (control.picture.bitmap) DeleteObject(control.picture.bitmap);
    if (control.appearance) DeleteObject(control.appearance);
    if (control.background_brush) DeleteObject(control.background_brush);
    control = ControlState{control.design};
  }
}

void ReplacePicture(Picture& slot, const unsigned char* bytes, std::size_t size) {
  if (slot.bitmap) DeleteObject(slot.bitmap);
  slot = DecodePicture(bytes, size);
}

void SetControlPicture(ControlState& control, const unsigned char* bytes, std::size_t size) {
  ReplacePicture(control.picture, bytes, size);
  if (control.appearance) DeleteObject(control.appearance);
  control.appearance = nullptr;
  Redraw(control.hwnd);
}

bool HandleChildNotification(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  switch (message) {
    case WM_COMMAND: {
      const ControlState* control = lparam ? ControlOf(reinterpret_cast<HWND>(lparam)) : nullptr;
      if (!control || HIWORD(wparam) != BN_CLICKED) return false;
      if (control->design->on_clicked) control->design->on_clicked();
      *result = 0;
      return true;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      const ControlState* control = ControlOf(reinterpret_cast<HWND>(lparam));
      if (!control || control->design->kind != ControlKind::kEditBox) return false;
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, ToColorRef(control->design->text_colour));
      SetBkColor(dc, ToColorRef(control->design->background));
      *result = reinterpret_cast<LRESULT>(control->background_brush);
      return true;
    }
  }
  return false;
}

void PaintTiled(HDC dc, const RECT& area, COLORREF colour, const Picture& picture) {
  HBRUSH fill = CreateSolidBrush(colour);
  FillRect(dc, &area, fill);
  DeleteObject(fill);
  if (!picture.bitmap || picture.size.width <= 0 || picture.size.height <= 0) return;
  for (int y = 0; y < area.bottom; y += picture.size.height) {
    for (int x = 0; x < area.right; x += picture.size.width) {
      DrawPicture(dc, picture, x, y, picture.size.width, picture.size.height);
    }
  }
}

}  // namespace toolkit::detail
