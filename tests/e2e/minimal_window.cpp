// The yardstick for the program's start: a Win32 program that opens one empty window of the main
// window's size, and nothing else.
#include <windows.h>

namespace {

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = Procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = "MinimalWindow";
  RegisterClassA(&window_class);
  HWND hwnd = CreateWindowExA(0, "MinimalWindow", "e2e minimal window", WS_CAPTION | WS_SYSMENU,
                              (GetSystemMetrics(SM_CXSCREEN) - 631) / 2,
                              (GetSystemMetrics(SM_CYSCREEN) - 116) / 2, 631, 116, nullptr, nullptr,
                              instance, nullptr);
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
