#include "skin/control_skin.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/gdi_paint.h"
#include "skin/skin_look.h"
#include "skin/window_data.h"

namespace skin {
namespace {

constexpr UINT_PTR kButtonSubclassId = 0x53484542;  // "SHEB"
constexpr UINT_PTR kEdgeSubclassId = 0x53484545;    // "SHEE"
constexpr int kTextPadding = 3;

struct ButtonState {
  bool hover = false;
};

bool IsPushButton(HWND button) {
  LONG style = GetWindowLongA(button, GWL_STYLE);
  LONG kind = style & BS_TYPEMASK;
  return (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON) && !(style & (BS_BITMAP | BS_ICON));
}

UINT TextFormat(LONG style) {
  UINT format = 0;
  switch (style & BS_CENTER) {
    case BS_LEFT:
      format |= DT_LEFT;
      break;
    case BS_RIGHT:
      format |= DT_RIGHT;
      break;
    default:
      format |= DT_CENTER;
  }
  if (!(style & BS_MULTILINE)) {
    format |= DT_SINGLELINE;
    switch (style & BS_VCENTER) {
      case BS_TOP:
        format |= DT_TOP;
        break;
      case BS_BOTTOM:
        format |= DT_BOTTOM;
        break;
      default:
        format |= DT_VCENTER;
    }
  } else {
    format |= DT_WORDBREAK;
  }
  return format;
}

void DrawButtonText(HDC dc, HWND button, RECT area, bool enabled, UINT ui_state) {
  WindowText caption(button);
  const char* text = caption.text();
  int length = caption.length();
  if (length > 0) {
    auto font = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0));
    HGDIOBJ old_font = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColourOf(enabled ? kButtonText : kControlDisabled));
    LONG style = GetWindowLongA(button, GWL_STYLE);
    UINT format = TextFormat(style);
    if (ui_state & UISF_HIDEACCEL) format |= DT_HIDEPREFIX;
    if (style & BS_MULTILINE) {
      // Word-wrapped text is placed vertically by hand: DT_VCENTER works on single lines only.
      RECT measured = area;
      DrawTextA(dc, text, length, &measured, format | DT_CALCRECT);
      int spare = (area.bottom - area.top) - (measured.bottom - measured.top);
      if ((style & BS_VCENTER) == BS_BOTTOM) {
        area.top += spare;
      } else if ((style & BS_VCENTER) != BS_TOP) {
        area.top += spare / 2;
      }
    }
    DrawTextA(dc, text, length, &area, format);
    SelectObject(dc, old_font);
  }
}

void PaintButton(HWND button, HDC target, const ButtonState& state) {
  RECT client;
  GetClientRect(button, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  OffscreenDc o = BeginOffscreen(target, client.right, client.bottom);

  LRESULT button_state = SendMessageA(button, BM_GETSTATE, 0, 0);
  bool pushed = button_state & BST_PUSHED;
  bool focused = GetFocus() == button;
  bool enabled = IsWindowEnabled(button);
  bool is_default = (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  auto ui_state = static_cast<UINT>(SendMessageA(button, WM_QUERYUISTATE, 0, 0));

  Colour face = kButtonFace;
  if (enabled && pushed) {
    face = kButtonFacePressed;
  } else if (enabled && state.hover) {
    face = kButtonFaceHover;
  }
  Colour border = kButtonBorder;
  if (!enabled) {
    border = kControlDisabled;
  } else if (focused || is_default) {
    border = kButtonBorderFocus;
  }
  int border_width = MetricOf(kControlBorderWidth);
  FillSolid(o.dc, client, ColourOf(face));
  FillRing(o.dc, client, border_width, ColourOf(border));

  RECT text_area = client;
  InflateRect(&text_area, -(border_width + kTextPadding), -(border_width + 1));
  DrawButtonText(o.dc, button, text_area, enabled, ui_state);
  if (focused && !(ui_state & UISF_HIDEFOCUS)) {
    RECT focus = client;
    InflateRect(&focus, -(border_width + 2), -(border_width + 2));
    SetTextColor(o.dc, ColourOf(kButtonText));
    SetBkColor(o.dc, ColourOf(face));
    DrawFocusRect(o.dc, &focus);
  }
  EndOffscreen(o);
}

void RepaintButton(HWND button, const ButtonState& state) {
  if (!IsWindowVisible(button) || !IsPushButton(button)) return;
  HDC dc = GetDC(button);
  if (!dc) return;
  PaintButton(button, dc, state);
  ReleaseDC(button, dc);
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                            DWORD_PTR data) {
  ButtonState& state = *reinterpret_cast<ButtonState*>(data);
  switch (message) {
    case WM_PAINT: {
      if (!IsPushButton(button)) break;
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(button, &paint);
      if (dc) PaintButton(button, dc, state);
      EndPaint(button, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      if (!IsPushButton(button)) break;
      PaintButton(button, reinterpret_cast<HDC>(wparam), state);
      return 0;
    case WM_ERASEBKGND:
      if (!IsPushButton(button)) break;
      return 1;
    case WM_MOUSEMOVE:
      if (!state.hover) {
        state.hover = true;
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, button, 0};
        TrackMouseEvent(&track);
      }
      [[fallthrough]];
    // The default handling of these draws the system's button straight away; ours goes on top at
    // once.
    case WM_MOUSELEAVE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
    case WM_STYLECHANGED:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_SETCHECK: {
      if (message == WM_MOUSELEAVE) state.hover = false;
      LRESULT result = DefSubclassProc(button, message, wparam, lparam);
      // A click may have destroyed the button, and its state with it.
      if (IsWindow(button)) RepaintButton(button, state);
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(button, ButtonProc, kButtonSubclassId);
      DeleteWindowData(&state);
      return DefSubclassProc(button, message, wparam, lparam);
  }
  return DefSubclassProc(button, message, wparam, lparam);
}

// The brush the control itself fills its background with, so the inner part of a two-pixel border
// matches what lies inside it.
HBRUSH BackgroundBrush(HWND control, HDC dc, EdgeKind kind) {
  LONG style = GetWindowLongA(control, GWL_STYLE);
  bool edit_look = kind == EdgeKind::kEdit && !(style & ES_READONLY) && IsWindowEnabled(control);
  HWND parent = GetParent(control);
  HBRUSH brush = nullptr;
  if (parent) {
    brush = reinterpret_cast<HBRUSH>(
        SendMessageA(parent, edit_look ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC,
                     reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  }
  return brush ? brush : GetSysColorBrush(edit_look ? COLOR_WINDOW : COLOR_BTNFACE);
}

struct EdgeData {
  EdgeKind kind;
  bool border_inside;
};

DWORD_PTR PackEdge(EdgeData edge) {
  return static_cast<DWORD_PTR>(edge.kind) | (edge.border_inside ? 0x100 : 0);
}
EdgeData UnpackEdge(DWORD_PTR data) {
  return {static_cast<EdgeKind>(data & 0xFF), (data & 0x100) != 0};
}

void PaintEdge(HWND control, EdgeData edge) {
  RECT outer;
  GetWindowRect(control, &outer);
  POINT origin = {0, 0};
  ClientToScreen(control, &origin);
  // Scroll bars may widen the right and bottom insets; the border is as wide as the top-left one.
  int thickness = std::min(origin.x - outer.left, origin.y - outer.top);
  bool inside = thickness <= 0 && edge.border_inside;
  if (inside) thickness = 1;
  if (thickness <= 0) return;
  HDC dc = inside ? GetDC(control) : GetWindowDC(control);
  if (!dc) return;
  Colour line = edge.kind == EdgeKind::kEdit ? kEditBorder : kPictureBorder;
  if (!IsWindowEnabled(control)) {
    line = kControlDisabled;
  } else if (edge.kind == EdgeKind::kEdit && GetFocus() == control) {
    line = kEditBorderFocus;
  }
  int line_width = std::min(MetricOf(kControlBorderWidth), thickness);
  RECT area = {0, 0, outer.right - outer.left, outer.bottom - outer.top};
  if (inside) GetClientRect(control, &area);
  HBRUSH background = BackgroundBrush(control, dc, edge.kind);
  FillRing(dc, area, line_width, ColourOf(line));
  InflateRect(&area, -line_width, -line_width);
  FillRing(dc, area, thickness - line_width, background);
  ReleaseDC(control, dc);
}

bool HasScrollBars(HWND control) {
  return GetWindowLongA(control, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL);
}

LRESULT CALLBACK EdgeProc(HWND control, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                          DWORD_PTR data) {
  EdgeData edge = UnpackEdge(data);
  switch (message) {
    case WM_NCPAINT: {
      LRESULT result = 0;
      if (HasScrollBars(control)) result = DefSubclassProc(control, message, wparam, lparam);
      PaintEdge(control, edge);
      return result;
    }
    case WM_PAINT: {
      if (!edge.border_inside) break;
      LRESULT result = DefSubclassProc(control, message, wparam, lparam);
      PaintEdge(control, edge);
      return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_STYLECHANGED:
    case EM_SETREADONLY: {
      LRESULT result = DefSubclassProc(control, message, wparam, lparam);
      if (IsWindow(control) && IsWindowVisible(control)) PaintEdge(control, edge);
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(control, EdgeProc, kEdgeSubclassId);
      break;
  }
  return DefSubclassProc(control, message, wparam, lparam);
}

}  // namespace

bool AttachButton(HWND button) {
  if (!IsPushButton(button)) return false;
  auto* state = NewWindowData<ButtonState>();
  if (!state) return false;
  if (!SetWindowSubclass(button, ButtonProc, kButtonSubclassId,
                         reinterpret_cast<DWORD_PTR>(state))) {
    DeleteWindowData(state);
    return false;
  }
  return true;
}

bool AttachEdge(HWND control, EdgeKind kind, bool border_inside) {
  return SetWindowSubclass(control, EdgeProc, kEdgeSubclassId, PackEdge({kind, border_inside}));
}

}  // namespace skin
