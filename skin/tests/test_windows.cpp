#include "skin/tests/test_windows.h"

#include <fstream>
#include <iterator>
#include <map>

namespace skin_test {
namespace {

constexpr char kWindowClass[] = "SkinTestWindow";
std::map<HWND, int> g_closes;

struct ControlRow {
  const char* window_class;
  const char* text;
  DWORD style;
  DWORD ex_style;
  int x, y, width, height;
  int id;
  int parent_id;  // 0: the window itself
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// The program's designs, reduced to what the skin can touch: kinds, places and sizes.
constexpr ControlRow kMainControls[] = {
    {"Static", "", kChild | SS_NOTIFY, 0, 8, 8, 608, 48, kBannerBox, 0},
    {"Static", "", kChild | SS_NOTIFY, 0, 509, 3, 89, 40, 0, kBannerBox},
    {"Edit", "F2LXK0Q1HG7F", kChild | WS_TABSTOP | ES_AUTOHSCROLL, 0, 20, 17, 492, 29, kSerialEdit,
     0},
    {"Static", "正版/稳定/声誉/保障", kChild, 0, 176, 64, 120, 16, 0, 0},
    {"Static", "请在上面输入您的序列号 [设置 > 通用 > 关于本机]", kChild, 0, 320, 64, 296, 16, 0,
     0},
};
constexpr ControlRow kErrorControls[] = {
    {"Static", "\r\n请输入正确的序列号", kChild, 0, 23, 16, 280, 100, kMessageLabel, 0},
    {"Button", "确定", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, 80, 117, 160, 32, kOkButton, 0},
};
constexpr ControlRow kDetailsControls[] = {
    {"Static", "", kChild | SS_NOTIFY, 0, -4, -2, 640, 470, kPanelBox, 0},
    {"Static", "", kChild, 0, 31, 93, 175, 251, kPhoneBox, kPanelBox},
    {"Static", "iPhone", kChild, 0, 272, 40, 288, 40, 0, kPanelBox},
    {"Button", "确定", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, 322, 418, 240, 40, kOkButton,
     kPanelBox},
};
constexpr ControlRow kControlsControls[] = {
    {"Edit", "边框", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 16, 16, 180, 24,
     kEdgeEdit, 0},
    {"Edit", "细边", kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0, 16, 50, 180, 24,
     kBorderEdit, 0},
    {"Static", "", kChild | WS_BORDER, 0, 220, 16, 80, 60, kBorderPicture, 0},
    {"Static", "", kChild | SS_SUNKEN, 0, 316, 16, 80, 60, kSunkenPicture, 0},
    {"Button", "第一", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, 16, 100, 100, 30, kFirstButton, 0},
    {"Button", "第二", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 130, 100, 100, 30, kSecondButton,
     0},
    {"Button", "停用", kChild | WS_DISABLED | BS_PUSHBUTTON, 0, 244, 100, 100, 30, kDisabledButton,
     0},
    {"Button", "选项", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 16, 150, 120, 24, kCheckBox, 0},
};

struct Design {
  const char* title;
  DWORD style;
  SIZE size;
  const ControlRow* controls;
  size_t control_count;
};

template <size_t N>
constexpr Design MakeDesign(const char* title, DWORD style, SIZE size,
                            const ControlRow (&rows)[N]) {
  return {title, style, size, rows, N};
}

const Design& DesignOf(Kind kind) {
  static const Design kDesigns[] = {
      MakeDesign("Morvane - Tovik - www.tovik.example", WS_CAPTION | WS_SYSMENU, {631, 116},
                 kMainControls),
      MakeDesign("查询错误！ www.tovik.example", WS_CAPTION | WS_SYSMENU, {333, 181},
                 kErrorControls),
      MakeDesign("设备详情 - Tovik www.tovik.example", WS_CAPTION, {637, 493}, kDetailsControls),
      MakeDesign("控件", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, {420, 230}, kControlsControls),
  };
  return kDesigns[static_cast<int>(kind)];
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      ++g_closes[window];
      DestroyWindow(window);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDCANCEL) DestroyWindow(window);
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

void RegisterTestClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = TestWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  RegisterClassA(&wc);
  registered = true;
}

struct FindById {
  int id;
  HWND found;
};

BOOL CALLBACK MatchId(HWND child, LPARAM data) {
  auto* find = reinterpret_cast<FindById*>(data);
  if (GetDlgCtrlID(child) != find->id) return TRUE;
  find->found = child;
  return FALSE;
}

BOOL CALLBACK AddPlace(HWND child, LPARAM data) {
  RECT place;
  GetWindowRect(child, &place);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&place), 2);
  reinterpret_cast<std::vector<RECT>*>(data)->push_back(place);
  return TRUE;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

const char* KindName(Kind kind) {
  static const char* const kNames[] = {"main", "error", "details", "controls"};
  return kNames[static_cast<int>(kind)];
}

SIZE DesignSize(Kind kind) { return DesignOf(kind).size; }

HWND CreateTestWindow(Kind kind, int x, int y) {
  RegisterTestClass();
  const Design& design = DesignOf(kind);
  HWND window = CreateWindowExA(0, kWindowClass, design.title, design.style | WS_CLIPCHILDREN, x, y,
                                design.size.cx, design.size.cy, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (!window) return nullptr;
  g_closes[window] = 0;
  HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
  for (size_t i = 0; i < design.control_count; ++i) {
    const ControlRow& row = design.controls[i];
    HWND parent = row.parent_id ? Control(window, row.parent_id) : window;
    HWND control = CreateWindowExA(row.ex_style, row.window_class, row.text, row.style, row.x,
                                   row.y, row.width, row.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  return window;
}

HWND Control(HWND window, int id) {
  FindById find = {id, nullptr};
  EnumChildWindows(window, MatchId, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

int CloseCount(HWND window) { return g_closes[window]; }

Geometry Measure(HWND window) {
  Geometry g;
  GetWindowRect(window, &g.window);
  GetClientRect(window, &g.client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  g.client_origin = {origin.x - g.window.left, origin.y - g.window.top};
  EnumChildWindows(window, AddPlace, reinterpret_cast<LPARAM>(&g.children));
  return g;
}

bool operator==(const Geometry& a, const Geometry& b) {
  if (!SameRect(a.window, b.window) || !SameRect(a.client, b.client)) return false;
  if (a.client_origin.x != b.client_origin.x || a.client_origin.y != b.client_origin.y)
    return false;
  if (a.children.size() != b.children.size()) return false;
  for (size_t i = 0; i < a.children.size(); ++i) {
    if (!SameRect(a.children[i], b.children[i])) return false;
  }
  return true;
}

int CaptionMiddle(HWND window) {
  Geometry g = Measure(window);
  int border = g.client_origin.x;
  return (border + g.client_origin.y) / 2;
}

POINT WindowToScreen(HWND window, POINT in_window) {
  RECT outer;
  GetWindowRect(window, &outer);
  return {outer.left + in_window.x, outer.top + in_window.y};
}

COLORREF WindowPixel(HWND window, POINT in_window) {
  HDC dc = GetWindowDC(window);
  COLORREF pixel = GetPixel(dc, in_window.x, in_window.y);
  ReleaseDC(window, dc);
  return pixel;
}

COLORREF PixelBecomes(HWND window, POINT in_window, COLORREF expected) {
  COLORREF pixel = WindowPixel(window, in_window);
  for (int waited = 0; pixel != expected && waited < 2000; waited += 50) {
    Pump(50);
    pixel = WindowPixel(window, in_window);
  }
  return pixel;
}

void Pump(int milliseconds) {
  DWORD end = GetTickCount() + milliseconds;
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    auto left = static_cast<int>(end - GetTickCount());
    if (left <= 0) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_ALLINPUT);
  }
}

void MouseMove(POINT screen) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(input));
}

void MouseButton(bool down) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof(input));
}

COLORREF ToColorRef(skin::Rgb rgb) { return RGB(rgb.r, rgb.g, rgb.b); }

std::vector<uint8_t> ShippedSkinBytes() {
  std::ifstream in(SKIN_FILE_PATH, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

skin::Look ShippedLook() {
  std::vector<uint8_t> bytes = ShippedSkinBytes();
  skin::Look look;
  skin::ParseSkinFile(bytes.data(), bytes.size(), &look);
  return look;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string TempPath(const char* name) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof(folder), folder);
  return std::string(folder) + "skin_test_" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

AttachFunction LoadAttach() {
  HMODULE library = LoadLibraryA(SKIN_DLL_PATH);
  if (!library) return nullptr;
  using AnyFunction = void (*)();
  return reinterpret_cast<AttachFunction>(
      reinterpret_cast<AnyFunction>(GetProcAddress(library, "SkinH_AttachEx")));
}

}  // namespace skin_test
