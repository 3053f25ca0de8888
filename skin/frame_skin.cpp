#include "skin/frame_skin.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "skin/gdi_paint.h"
#include "skin/skin_look.h"
#include "skin/window_data.h"

namespace skin {
namespace {

constexpr UINT_PTR kSubclassId = 0x53484546;  // "SHEF"
// Sent by the theme engine of XP and later to paint the caption and frame behind our back.
constexpr UINT kUahDrawCaption = 0x00AE;
constexpr UINT kUahDrawFrame = 0x00AF;
constexpr int kTitleGap = 5;  // between the icon and the title

struct FrameState {
  bool active = false;
  int hot = HTNOWHERE;      // caption box under the pointer
  int pressed = HTNOWHERE;  // caption box the left button went down on, while it is held
  bool pressed_inside = false;
  SIZE region_size = {};  // the window size the rounded corners were cut for; 0 when none
};

struct CaptionBox {
  int code = HTNOWHERE;
  RECT rect = {};
  bool enabled = true;
};

// Everything in window coordinates, origin at the window's top-left corner.
struct FrameLayout {
  int width = 0, height = 0;
  RECT client = {};
  int line = 0;       // outer frame line
  RECT caption = {};  // the title band, from the outer line down to the client area
  HICON icon = nullptr;
  RECT icon_rect = {};
  CaptionBox boxes[3];
  int box_count = 0;
  RECT title = {};
};

bool IsCaptionBox(WPARAM code) {
  return code == HTCLOSE || code == HTMAXBUTTON || code == HTMINBUTTON;
}

// Windows whose frame we draw right now; the style may change after creation.
bool DrawsFrame(HWND window) {
  LONG style = GetWindowLongA(window, GWL_STYLE);
  return (style & WS_CAPTION) == WS_CAPTION && !(style & (WS_CHILD | WS_VSCROLL | WS_HSCROLL)) &&
         !IsIconic(window) && !GetMenu(window);
}

bool CloseEnabled(HWND window) {
  if (GetClassLongA(window, GCL_STYLE) & CS_NOCLOSE) return false;
  HMENU menu = GetSystemMenu(window, FALSE);
  if (!menu) return true;
  UINT state = GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

HICON WindowIcon(HWND window) {
  auto icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON));
  return icon;
}

FrameLayout LayoutFrame(HWND window) {
  FrameLayout f;
  RECT outer;
  GetWindowRect(window, &outer);
  f.width = outer.right - outer.left;
  f.height = outer.bottom - outer.top;
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  RECT client;
  GetClientRect(window, &client);
  f.client = {origin.x - outer.left, origin.y - outer.top, origin.x - outer.left + client.right,
              origin.y - outer.top + client.bottom};
  int border = std::max(0L, std::min(f.client.left, f.height - f.client.bottom));
  f.line = std::min(MetricOf(kFrameLineWidth), border);
  f.caption = {f.line, f.line, f.width - f.line, f.client.top};
  if (f.caption.bottom <= f.caption.top) return f;

  LONG style = GetWindowLongA(window, GWL_STYLE);
  LONG ex_style = GetWindowLongA(window, GWL_EXSTYLE);
  // A sizing border stays free for sizing; on a fixed frame the boxes sit flush in the corner.
  RECT band =
      (style & WS_THICKFRAME) ? RECT{border, border, f.width - border, f.client.top} : f.caption;
  int box_width = std::min<int>(MetricOf(kCaptionButtonWidth), (band.right - band.left) / 4);
  int right = band.right;
  auto add_box = [&](int code, bool enabled) {
    f.boxes[f.box_count++] = {code, {right - box_width, band.top, right, band.bottom}, enabled};
    right -= box_width;
  };
  if (style & WS_SYSMENU) {
    add_box(HTCLOSE, CloseEnabled(window));
    if (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
      add_box(HTMAXBUTTON, style & WS_MAXIMIZEBOX);
      add_box(HTMINBUTTON, style & WS_MINIMIZEBOX);
    }
  }

  int left = std::max<int>(border, f.line) + MetricOf(kTitleIndent);
  if ((style & WS_SYSMENU) && !(ex_style & (WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW))) {
    f.icon = WindowIcon(window);
  }
  if (f.icon) {
    int size = GetSystemMetrics(SM_CXSMICON);
    int top = f.caption.top + (f.caption.bottom - f.caption.top - size) / 2;
    f.icon_rect = {left, top, left + size, top + size};
    left += size + kTitleGap;
  }
  f.title = {left, f.caption.top, right - kTitleGap, f.caption.bottom};
  return f;
}

const CaptionBox* FindBox(const FrameLayout& f, int code) {
  for (int i = 0; i < f.box_count; ++i) {
    if (f.boxes[i].code == code) return &f.boxes[i];
  }
  return nullptr;
}

POINT ToWindowPoint(HWND window, POINT screen) {
  RECT outer;
  GetWindowRect(window, &outer);
  return {screen.x - outer.left, screen.y - outer.top};
}

// Draws the box's symbol in a square of the glyph size, centred in the box.
void DrawGlyph(HDC dc, const CaptionBox& box, bool zoomed, COLORREF colour) {
  int size =
      std::min<int>(MetricOf(kCaptionGlyphSize),
                    std::min(box.rect.right - box.rect.left, box.rect.bottom - box.rect.top) - 2);
  int stroke = std::min(MetricOf(kCaptionGlyphStroke), std::max(1, size / 3));
  if (size <= 0) return;
  int x = box.rect.left + (box.rect.right - box.rect.left - size) / 2;
  int y = box.rect.top + (box.rect.bottom - box.rect.top - size) / 2;
  switch (box.code) {
    case HTCLOSE:
      for (int i = 0; i + stroke <= size; ++i) {
        FillSolid(dc, {x + i, y + i, x + i + stroke, y + i + stroke}, colour);
        FillSolid(dc, {x + size - stroke - i, y + i, x + size - i, y + i + stroke}, colour);
      }
      break;
    case HTMINBUTTON:
      FillSolid(dc, {x, y + size / 2, x + size, y + size / 2 + stroke}, colour);
      break;
    case HTMAXBUTTON:
      if (zoomed) {
        int inner = size - 2;
        FillRing(dc, {x, y + 2, x + inner, y + 2 + inner}, stroke, colour);
        FillSolid(dc, {x + 2, y, x + size, y + stroke}, colour);
        FillSolid(dc, {x + size - stroke, y, x + size, y + inner}, colour);
      } else {
        FillRing(dc, {x, y, x + size, y + size}, stroke, colour);
      }
      break;
  }
}

void DrawCaptionBox(HDC dc, HWND window, const CaptionBox& box, const FrameState& state) {
  bool pressed = state.pressed == box.code && state.pressed_inside;
  bool hot = box.enabled && state.pressed == HTNOWHERE && state.hot == box.code;
  COLORREF caption = ColourOf(state.active ? kCaptionActive : kCaptionInactive);
  COLORREF text = ColourOf(state.active ? kCaptionTextActive : kCaptionTextInactive);
  COLORREF back = caption, glyph = text;
  if (box.code == HTCLOSE) {
    if (state.active) back = ColourOf(kCloseNormal), glyph = ColourOf(kCloseGlyph);
    if (pressed) back = ColourOf(kClosePressed), glyph = ColourOf(kCloseGlyphHot);
    if (hot) back = ColourOf(kCloseHover), glyph = ColourOf(kCloseGlyphHot);
  } else {
    if (pressed) back = ColourOf(kCaptionButtonPressed);
    if (hot) back = ColourOf(kCaptionButtonHover);
  }
  if (!box.enabled) glyph = ColourOf(kControlDisabled);
  FillSolid(dc, box.rect, back);
  DrawGlyph(dc, box, IsZoomed(window), glyph);
}

void DrawTitle(HDC dc, HWND window, const FrameLayout& f, const FrameState& state) {
  WindowText title(window);
  const char* text = title.text();
  int length = title.length();
  if (length > 0 && f.title.right > f.title.left) {
    HGDIOBJ old_font = SelectObject(dc, CaptionFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColourOf(state.active ? kCaptionTextActive : kCaptionTextInactive));
    RECT area = f.title;
    if (MetricOf(kTitleAlign) == 1) {
      SIZE extent;
      GetTextExtentPoint32A(dc, text, length, &extent);
      area.left = std::max<LONG>(area.left, (f.width - extent.cx) / 2);
    }
    DrawTextA(dc, text, length, &area,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT);
    SelectObject(dc, old_font);
  }
}

// The title band, drawn off screen: outer line on top, caption colour, icon, title, boxes.
void DrawCaption(HDC dc, HWND window, const FrameLayout& f, const FrameState& state) {
  FillSolid(dc, {0, 0, f.width, f.client.top},
            ColourOf(state.active ? kFrameLineActive : kFrameLineInactive));
  FillSolid(dc, f.caption, ColourOf(state.active ? kCaptionActive : kCaptionInactive));
  if (f.icon) {
    DrawIconEx(dc, f.icon_rect.left, f.icon_rect.top, f.icon, f.icon_rect.right - f.icon_rect.left,
               f.icon_rect.bottom - f.icon_rect.top, 0, nullptr, DI_NORMAL);
  }
  DrawTitle(dc, window, f, state);
  for (int i = 0; i < f.box_count; ++i) DrawCaptionBox(dc, window, f.boxes[i], state);
}

void PaintFrame(HWND window, const FrameState& state) {
  FrameLayout f = LayoutFrame(window);
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  ExcludeClipRect(dc, f.client.left, f.client.top, f.client.right, f.client.bottom);
  // Sides and bottom are plain fills that cannot flicker; the band goes through a bitmap.
  COLORREF frame = ColourOf(state.active ? kFrameActive : kFrameInactive);
  FillSolid(dc, {0, f.client.top, f.client.left, f.height}, frame);
  FillSolid(dc, {f.client.right, f.client.top, f.width, f.height}, frame);
  FillSolid(dc, {f.client.left, f.client.bottom, f.client.right, f.height}, frame);
  FillRing(dc, {0, 0, f.width, f.height}, f.line,
           ColourOf(state.active ? kFrameLineActive : kFrameLineInactive));
  if (f.client.top > 0) {
    OffscreenDc band = BeginOffscreen(dc, f.width, f.client.top);
    DrawCaption(band.dc, window, f, state);
    EndOffscreen(band);
  }
  ReleaseDC(window, dc);
}

void Repaint(HWND window, const FrameState& state) {
  if (IsWindowVisible(window) && DrawsFrame(window)) PaintFrame(window, state);
}

LRESULT AdjustHitTest(HWND window, LRESULT system, POINT screen) {
  FrameLayout f = LayoutFrame(window);
  POINT at = ToWindowPoint(window, screen);
  for (int i = 0; i < f.box_count; ++i) {
    if (PtInRect(&f.boxes[i].rect, at)) return f.boxes[i].code;
  }
  // The system's own boxes lie elsewhere; only what we draw may answer as a box.
  if (IsCaptionBox(system) || system == HTHELP) return HTCAPTION;
  if (system == HTSYSMENU) {
    RECT icon_area = {f.caption.left, f.caption.top, f.icon_rect.right + 2, f.caption.bottom};
    return f.icon && PtInRect(&icon_area, at) ? HTSYSMENU : HTCAPTION;
  }
  if (system == HTCAPTION && f.icon && at.x < f.icon_rect.right + 2 && at.y >= f.caption.top &&
      at.y < f.caption.bottom) {
    return HTSYSMENU;
  }
  return system;
}

WPARAM BoxCommand(HWND window, int code) {
  if (code == HTMINBUTTON) return SC_MINIMIZE;
  if (code == HTMAXBUTTON) return IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE;
  return SC_CLOSE;
}

void UpdateCornerRegion(HWND window, FrameState& state) {
  RECT outer;
  GetWindowRect(window, &outer);
  SIZE size = {outer.right - outer.left, outer.bottom - outer.top};
  int radius = MetricOf(kCornerRadius);
  if (radius == 0 || IsZoomed(window) || !DrawsFrame(window)) {
    if (state.region_size.cx != 0) SetWindowRgn(window, nullptr, TRUE);
    state.region_size = {};
    return;
  }
  if (size.cx == state.region_size.cx && size.cy == state.region_size.cy) return;
  HRGN region = CreateRoundRectRgn(0, 0, size.cx + 1, size.cy + 1, 2 * radius, 2 * radius);
  if (region && SetWindowRgn(window, region, TRUE)) {
    state.region_size = size;
  } else if (region) {
    DeleteObject(region);
  }
}

// On Vista and later the desktop compositor and the theme engine would draw their own frame over
// ours.
void TurnOffSystemFrame(HWND window) {
  using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  using SetTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  static HMODULE dwm = LoadLibraryA("dwmapi.dll");
  static HMODULE theme = LoadLibraryA("uxtheme.dll");
  // Through void (*)(), the one function type every other may be cast from without a warning.
  using AnyFunction = void (*)();
  static auto set_attribute = dwm ? reinterpret_cast<SetAttribute>(reinterpret_cast<AnyFunction>(
                                        GetProcAddress(dwm, "DwmSetWindowAttribute")))
                                  : nullptr;
  static auto set_theme = theme ? reinterpret_cast<SetTheme>(reinterpret_cast<AnyFunction>(
                                      GetProcAddress(theme, "SetWindowTheme")))
                                : nullptr;
  if (set_attribute) {
    const DWORD kNcRenderingPolicy = 2, kNcRenderingDisabled = 1;
    set_attribute(window, kNcRenderingPolicy, &kNcRenderingDisabled, sizeof(kNcRenderingDisabled));
  }
  if (set_theme) set_theme(window, L"", L"");
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                           DWORD_PTR data) {
  FrameState& state = *reinterpret_cast<FrameState*>(data);
  // After the default handling the window may be gone, and with it the state.
  auto default_then_repaint = [&]() {
    LRESULT result = DefSubclassProc(window, message, wparam, lparam);
    if (IsWindow(window)) Repaint(window, state);
    return result;
  };

  switch (message) {
    case WM_NCCREATE: {
      LRESULT result = DefSubclassProc(window, message, wparam, lparam);
      if (result) TurnOffSystemFrame(window);
      return result;
    }
    case WM_NCPAINT:
      if (!DrawsFrame(window)) break;
      PaintFrame(window, state);
      return 0;
    case WM_NCACTIVATE: {
      state.active = wparam != FALSE;
      if (!DrawsFrame(window)) break;
      // -1 asks the default handling to keep the state change but not to paint.
      LRESULT result = DefSubclassProc(window, message, wparam, -1);
      if (IsWindow(window)) Repaint(window, state);
      return result;
    }
    case kUahDrawCaption:
    case kUahDrawFrame:
      if (DrawsFrame(window)) return 0;
      break;
    case WM_NCHITTEST: {
      LRESULT system = DefSubclassProc(window, message, wparam, lparam);
      if (!DrawsFrame(window)) return system;
      return AdjustHitTest(window, system, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
    }
    case WM_NCMOUSEMOVE: {
      int hot = IsCaptionBox(wparam) ? static_cast<int>(wparam) : HTNOWHERE;
      if (hot != state.hot) {
        state.hot = hot;
        Repaint(window, state);
      }
      if (hot != HTNOWHERE) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE | TME_NONCLIENT, window, 0};
        TrackMouseEvent(&track);
      }
      break;
    }
    case WM_NCMOUSELEAVE:
      if (state.hot != HTNOWHERE) {
        state.hot = HTNOWHERE;
        Repaint(window, state);
      }
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      if (!IsCaptionBox(wparam) || !DrawsFrame(window)) return default_then_repaint();
      FrameLayout f = LayoutFrame(window);
      const CaptionBox* box = FindBox(f, static_cast<int>(wparam));
      if (!box) return default_then_repaint();
      if (!box->enabled) return 0;
      state.pressed = box->code;
      state.pressed_inside = true;
      SetCapture(window);
      Repaint(window, state);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (state.pressed != HTNOWHERE) {
        POINT at = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        ClientToScreen(window, &at);
        FrameLayout f = LayoutFrame(window);
        const CaptionBox* box = FindBox(f, state.pressed);
        POINT in_window = ToWindowPoint(window, at);
        bool inside = box && PtInRect(&box->rect, in_window);
        if (inside != state.pressed_inside) {
          state.pressed_inside = inside;
          Repaint(window, state);
        }
        return 0;
      }
      if (state.hot != HTNOWHERE) {
        state.hot = HTNOWHERE;
        Repaint(window, state);
      }
      break;
    case WM_LBUTTONUP:
      if (state.pressed != HTNOWHERE) {
        int code = state.pressed;
        bool inside = state.pressed_inside;
        state.pressed = HTNOWHERE;
        state.hot = inside ? code : HTNOWHERE;
        ReleaseCapture();
        Repaint(window, state);
        if (inside) {
          POINT at = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
          ClientToScreen(window, &at);
          // The command may destroy the window; nothing of it is touched afterwards.
          SendMessageA(window, WM_SYSCOMMAND, BoxCommand(window, code), MAKELPARAM(at.x, at.y));
        }
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      if (state.pressed != HTNOWHERE && reinterpret_cast<HWND>(lparam) != window) {
        state.pressed = HTNOWHERE;
        Repaint(window, state);
      }
      break;
    // The default handling of these paints the system's caption directly, not through WM_NCPAINT.
    case WM_SETTEXT:
    case WM_SETICON:
    case WM_SYSCOMMAND:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_STYLECHANGED:
    case WM_ENABLE:
      return default_then_repaint();
    case WM_SIZE: {
      LRESULT result = DefSubclassProc(window, message, wparam, lparam);
      if (IsWindow(window)) UpdateCornerRegion(window, state);
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, FrameProc, kSubclassId);
      DeleteWindowData(&state);
      return DefSubclassProc(window, message, wparam, lparam);
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace

bool AttachFrame(HWND window) {
  auto* state = NewWindowData<FrameState>();
  if (!state) return false;
  if (!SetWindowSubclass(window, FrameProc, kSubclassId, reinterpret_cast<DWORD_PTR>(state))) {
    DeleteWindowData(state);
    return false;
  }
  return true;
}

}  // namespace skin
