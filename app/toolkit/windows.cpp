// Top-level windows: opening (modal or not), closing, the quit rule, window keys and the event
// loop.
#include <shobjidl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/toolkit/event_loop.h"
#include "app/toolkit/geometry.h"
#include "app/toolkit/toolkit.h"
#include "app/toolkit/window_state.h"

namespace toolkit {

namespace detail {

WindowState* WindowOf(HWND top_level) {
  return reinterpret_cast<WindowState*>(GetWindowLongPtrA(top_level, GWLP_USERDATA));
}

ControlState* ControlOf(HWND control) {
  return reinterpret_cast<ControlState*>(GetWindowLongPtrA(control, GWLP_USERDATA));
}

COLORREF ToColorRef(Colour colour) {
  return colour.button_face ? GetSysColor(COLOR_BTNFACE)
                            : RGB(colour.red, colour.green, colour.blue);
}

int CurrentModifiers() {
  return KeyModifiers(GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0,
                      GetKeyState(VK_MENU) < 0);
}

}  // namespace detail

namespace {

using detail::ControlState;
using detail::WindowState;

struct ToolkitState {
  HINSTANCE instance = nullptr;
  std::vector<std::unique_ptr<WindowState>> open;  // the program's windows, in opening order
  std::vector<IdleCallback> idle;
  bool loop_running = false;
};

ToolkitState& Toolkit() {
  static ToolkitState state;
  return state;
}

WindowState* FindOpen(const WindowDesign& design) {
  for (const auto& window : Toolkit().open) {
    if (window->design == &design && window->hwnd) return window.get();
  }
  return nullptr;
}

WindowState* FindOpen(HWND hwnd) {
  for (const auto& window : Toolkit().open) {
    if (window->hwnd == hwnd) return window.get();
  }
  return nullptr;
}

ControlState* FindControl(const WindowDesign& design, int control_id) {
  WindowState* window = FindOpen(design);
  if (!window || control_id < 1 || control_id > static_cast<int>(window->controls.size()))
    return nullptr;
  ControlState& control = window->controls[static_cast<std::size_t>(control_id) - 1];
  return control.hwnd ? &control : nullptr;
}

// ---- painting

void PaintWindow(const WindowState& window, HDC dc) {
  RECT client;
  GetClientRect(window.hwnd, &client);
  detail::PaintTiled(dc, client, detail::ToColorRef(window.design->background), window.background);
}

// ---- focus and keys

std::vector<HWND> TabStops(const WindowState& window) {
  std::vector<HWND> stops;
  for (const ControlState& control : window.controls) {
    if (control.design->tab_stop && IsWindowVisible(control.hwnd) &&
        IsWindowEnabled(control.hwnd)) {
      stops.push_back(control.hwnd);
    }
  }
  return stops;
}

void FocusTabStop(WindowState& window) {
  if (window.focus && IsWindow(window.focus) && IsChild(window.hwnd, window.focus)) {
    SetFocus(window.focus);
    return;
  }
  const std::vector<HWND> stops = TabStops(window);
  SetFocus(stops.empty() ? window.hwnd : stops.front());
}

void MoveFocus(WindowState& window, bool backwards) {
  const std::vector<HWND> stops = TabStops(window);
  if (stops.empty()) return;
  HWND focus = GetFocus();
  auto at = std::find_if(stops.begin(), stops.end(),
                         [focus](HWND stop) { return stop == focus || IsChild(stop, focus); });
  std::size_t index =
      at == stops.end() ? stops.size() - 1 : static_cast<std::size_t>(at - stops.begin());
  index = backwards ? (index + stops.size() - 1) % stops.size() : (index + 1) % stops.size();
  SetFocus(stops[index]);
}

// ---- closing

// A modal window gives the others their former state back before it goes, so that the system
// activates one of them, not some other program's window.
void RestoreOthers(WindowState& window) {
  for (const auto& [hwnd, was_enabled] : window.others) {
    if (IsWindow(hwnd)) EnableWindow(hwnd, was_enabled);
  }
  window.others.clear();
}

// An unowned window leaves the activation to the system, which may pick another program's window:
// the window that was enabled again last takes it.
void Destroy(WindowState& window) {
  HWND next = nullptr;
  for (const auto& [hwnd, was_enabled] : window.others) {
    if (was_enabled && IsWindowVisible(hwnd)) next = hwnd;
  }
  const bool was_active = GetActiveWindow() == window.hwnd;
  RestoreOthers(window);
  DestroyWindow(window.hwnd);
  if (next && was_active && IsWindow(next)) SetForegroundWindow(next);
}

void Forget(HWND hwnd) {
  auto& open = Toolkit().open;
  auto at =
      std::find_if(open.begin(), open.end(), [hwnd](const auto& w) { return w->hwnd == hwnd; });
  if (at == open.end()) return;
  std::unique_ptr<WindowState> window = std::move(*at);
  open.erase(at);
  RestoreOthers(*window);
  detail::ReleaseControls(*window);
  if (window->background.bitmap) DeleteObject(window->background.bitmap);
  if (window->destroyed) *window->destroyed = true;
  // The quit rule: no window of the program left while the loop runs.
  if (open.empty() && Toolkit().loop_running) PostQuitMessage(0);
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* window =
        static_cast<WindowState*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    window->hwnd = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  WindowState* window = detail::WindowOf(hwnd);
  if (!window) return DefWindowProcA(hwnd, message, wparam, lparam);

  LRESULT result = 0;
  if (detail::HandleChildNotification(message, wparam, lparam, &result)) return result;
  switch (message) {
    case WM_CREATE:
      return detail::CreateControls(*window, Toolkit().instance) ? 0 : -1;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      PaintWindow(*window, dc);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintWindow(*window, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) window->focus = focus;
      } else if (!HIWORD(wparam)) {
        FocusTabStop(*window);
      }
      return 0;
    case WM_SETFOCUS:
      FocusTabStop(*window);
      return 0;
    case WM_CLOSE:
    case detail::kCloseRequest:
      Destroy(*window);
      return 0;
    case WM_DESTROY:
      RestoreOthers(*window);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      Forget(hwnd);
      return DefWindowProcA(hwnd, message, wparam, lparam);
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

// An unowned window has a taskbar button of its own; a modal one gives it back.
void RemoveTaskbarButton(HWND hwnd) {
  ITaskbarList* taskbar = nullptr;
  if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList,
                              reinterpret_cast<void**>(&taskbar)))) {
    return;
  }
  if (SUCCEEDED(taskbar->HrInit())) taskbar->DeleteTab(hwnd);
  taskbar->Release();
}

void DisableOthers(WindowState& window) {
  for (const auto& other : Toolkit().open) {
    if (other.get() == &window || !other->hwnd) continue;
    window.others.emplace_back(other->hwnd, IsWindowEnabled(other->hwnd) != FALSE);
    EnableWindow(other->hwnd, FALSE);
  }
}

// A nested event loop until the modal window is gone. A quit message met here is handed on to the
// loop outside.
void RunModalLoop(HWND hwnd, const bool& destroyed) {
  while (!destroyed) {
    int quit_code = 0;
    if (!PumpOneMessage(&quit_code)) {
      if (IsWindow(hwnd)) DestroyWindow(hwnd);
      PostQuitMessage(quit_code);
      return;
    }
  }
}

}  // namespace

bool PrepareToolkit(HINSTANCE instance, const char* icon_name) {
  Toolkit().instance = instance;
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProcedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hIcon =
      static_cast<HICON>(LoadImageA(instance, icon_name, IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                    GetSystemMetrics(SM_CYICON), 0));
  window_class.hIconSm =
      static_cast<HICON>(LoadImageA(instance, icon_name, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), 0));
  window_class.lpszClassName = detail::kWindowClass;
  if (!RegisterClassExA(&window_class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    return false;
  return detail::RegisterControlClasses(instance);
}

bool OpenWindow(const WindowDesign& design, bool modal) {
  if (WindowState* open = FindOpen(design)) {
    SetForegroundWindow(open->hwnd);
    return true;
  }
  auto owned = std::make_unique<WindowState>();
  WindowState* window = owned.get();
  window->design = &design;
  window->modal = modal;
  Toolkit().open.push_back(std::move(owned));
  if (modal) DisableOthers(*window);

  const DWORD style = WS_CAPTION | WS_CLIPCHILDREN |
                      (design.title_bar == TitleBar::kCloseBoxAndSystemMenu ? WS_SYSMENU : 0);
  const Point place = CentredOnScreen(
      {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, design.outer_size);
  // Set when the window's record goes (WM_NCDESTROY); only read while this call runs.
  bool destroyed = false;
  window->destroyed = &destroyed;
  HWND hwnd = CreateWindowExA(0, detail::kWindowClass, design.title, style, place.x, place.y,
                              design.outer_size.width, design.outer_size.height, nullptr, nullptr,
                              Toolkit().instance, window);
  if (!hwnd) {
    // After WM_NCCREATE a failed creation has already forgotten the record.
    if (!destroyed) {
      RestoreOthers(*window);
      auto& open = Toolkit().open;
      open.erase(std::find_if(open.begin(), open.end(),
                              [window](const auto& w) { return w.get() == window; }));
    }
    return false;
  }
  if (design.background_picture) {
    detail::ReplacePicture(window->background, design.background_picture->bytes,
                           design.background_picture->size);
  }

  if (design.on_created) design.on_created();
  if (destroyed) return true;  // OnCreated closed it already
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  if (!modal) {
    window->destroyed = nullptr;
    return true;
  }
  RemoveTaskbarButton(hwnd);
  RunModalLoop(hwnd, destroyed);
  return true;
}

void CloseWindow(const WindowDesign& design) {
  if (WindowState* window = FindOpen(design))
    PostMessageA(window->hwnd, detail::kCloseRequest, 0, 0);
}

bool IsOpen(const WindowDesign& design) { return FindOpen(design) != nullptr; }

Text GetText(const WindowDesign& design, int control_id) {
  ControlState* control = FindControl(design, control_id);
  if (!control) return Text("");
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control->hwnd)) + 1, '\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextA(control->hwnd, text.data(), static_cast<int>(text.size()))));
  return Text(std::move(text));
}

void SetText(const WindowDesign& design, int control_id, const Text& text) {
  ControlState* control = FindControl(design, control_id);
  if (control) SetWindowTextA(control->hwnd, text.c_str_or_null());
}

void SetPicture(const WindowDesign& design, int control_id, const ByteBuffer& bytes) {
  ControlState* control = FindControl(design, control_id);
  if (control && control->design->kind == ControlKind::kPictureBox) {
    detail::SetControlPicture(*control, bytes.data(), bytes.size());
  }
}

void SetBackgroundPicture(const WindowDesign& design, const ByteBuffer& bytes) {
  WindowState* window = FindOpen(design);
  if (!window) return;
  detail::ReplacePicture(window->background, bytes.data(), bytes.size());
  RedrawWindow(window->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void SetLoopRunning(bool running) { Toolkit().loop_running = running; }

bool AnyWindowOpen() { return !Toolkit().open.empty(); }

void AddIdleCallback(IdleCallback callback) {
  if (callback) Toolkit().idle.push_back(callback);
}

bool DoIdleWork() {
  bool more = false;
  for (IdleCallback callback : Toolkit().idle) more = callback() || more;
  return more;
}

bool HandleWindowKeys(const MSG& message) {
  if (message.message != WM_KEYDOWN || !message.hwnd) return false;
  WindowState* window = FindOpen(GetAncestor(message.hwnd, GA_ROOT));
  if (!window) return false;
  switch (message.wParam) {
    case VK_TAB:
      MoveFocus(*window, GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_ESCAPE:
      if (!window->design->esc_closes) return false;
      CloseWindow(*window->design);
      return true;
    default:
      // Enter would click the default button; no window has one, so it goes on to the control.
      return false;
  }
}

bool PumpOneMessage(int* quit_code) {
  MSG message;
  while (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && DoIdleWork()) {
  }
  const BOOL got = GetMessageA(&message, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    *quit_code = got == 0 ? static_cast<int>(message.wParam) : 0;
    return false;
  }
  if (!HandleWindowKeys(message)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

void DiscardToolkitState() {
  // The windows themselves go with the process; their records stay reachable from them until then.
  for (auto& window : Toolkit().open) static_cast<void>(window.release());
  Toolkit().open.clear();
  Toolkit().idle.clear();
  Toolkit().loop_running = false;
}

HWND WindowHandle(const WindowDesign& design) {
  WindowState* window = FindOpen(design);
  return window ? window->hwnd : nullptr;
}

HWND ControlHandle(const WindowDesign& design, int control_id) {
  ControlState* control = FindControl(design, control_id);
  return control ? control->hwnd : nullptr;
}

}  // namespace toolkit
