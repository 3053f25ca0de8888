#include "tests/e2e/driver.h"

#include <ole2.h>
#include <olectl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace e2e {

// ---- environment and paths

std::string WindowsPath(std::string_view unix_path) {
  std::string path = "Z:";
  for (char c : unix_path) path += c == '/' ? '\\' : c;
  return path;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// ---- the program's process

Process Start(const std::string& executable) {
  std::string command_line = "\"" + executable + "\"";
  const std::size_t slash = executable.find_last_of('\\');
  const std::string folder = slash == std::string::npos ? "" : executable.substr(0, slash);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(executable.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    return {};
  }
  CloseHandle(info.hThread);
  return {info.hProcess, info.dwProcessId};
}

bool WaitForExit(const Process& process, DWORD timeout_ms, DWORD* exit_code) {
  if (!process.handle || WaitForSingleObject(process.handle, timeout_ms) != WAIT_OBJECT_0) {
    return false;
  }
  return GetExitCodeProcess(process.handle, exit_code) != 0;
}

void Stop(Process& process) {
  if (!process.handle) return;
  if (WaitForSingleObject(process.handle, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process.handle, 99);
    WaitForSingleObject(process.handle, 5000);
  }
  CloseHandle(process.handle);
  process = {};
}

// ---- windows and controls

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  const ULONGLONG end = GetTickCount64() + timeout_ms;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(5);
  }
}

HWND FindTitled(const char* title) {
  HWND hwnd = FindWindowA(nullptr, title);
  return hwnd && IsWindowVisible(hwnd) ? hwnd : nullptr;
}

HWND WaitForWindow(const char* title, DWORD timeout_ms) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTitled(title)) != nullptr; }, timeout_ms);
  return found;
}

bool WaitForNoWindow(const char* title, DWORD timeout_ms) {
  return WaitUntil([&] { return FindWindowA(nullptr, title) == nullptr; }, timeout_ms);
}

namespace {

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchControlId(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<ControlSearch*>(param);
  if (GetDlgCtrlID(child) != search->id) return TRUE;
  search->found = child;
  return FALSE;
}

}  // namespace

HWND Control(HWND window, int id) {
  ControlSearch search{id, nullptr};
  EnumChildWindows(window, MatchControlId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string Text(HWND hwnd) {
  char buffer[4096];
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                           SMTO_ABORTIFHUNG, 5000, &copied)) {
    return "";
  }
  return std::string(buffer, copied);
}

std::string ClassName(HWND hwnd) {
  char name[256];
  const int length = GetClassNameA(hwnd, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

RECT ScreenRect(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return rect;
}

RECT PlaceInParent(HWND hwnd) {
  RECT rect = ScreenRect(hwnd);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

POINT ClientToScreenPoint(HWND hwnd, POINT client) {
  ClientToScreen(hwnd, &client);
  return client;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

// ---- input

namespace {

// Keys of the block between the letters and the number pad, as a real keyboard sends them.
bool IsExtendedKey(WORD vk) {
  switch (vk) {
    case VK_HOME:
    case VK_END:
    case VK_DELETE:
    case VK_INSERT:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      return true;
    default:
      return false;
  }
}

void SendKey(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  SendInput(1, &input, sizeof input);
}

void SendMouse(DWORD flags, POINT screen = {0, 0}) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  if (flags & MOUSEEVENTF_MOVE) {
    // Absolute coordinates run from 0 to 65535 over the primary screen.
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    flags |= MOUSEEVENTF_ABSOLUTE;
  }
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

}  // namespace

bool BringToFront(HWND window) {
  if (GetForegroundWindow() == window) return true;
  SetForegroundWindow(window);
  return WaitUntil([&] { return GetForegroundWindow() == window; }, 5000);
}

void KeyDown(WORD vk) { SendKey(vk, false); }
void KeyUp(WORD vk) { SendKey(vk, true); }

void Tap(WORD vk, std::initializer_list<WORD> modifiers) {
  for (WORD modifier : modifiers) KeyDown(modifier);
  KeyDown(vk);
  KeyUp(vk);
  for (auto m = modifiers.end(); m != modifiers.begin();) KeyUp(*--m);
}

void TypeAscii(std::string_view text) {
  for (char c : text) {
    const SHORT key = VkKeyScanA(c);
    if (key == -1) continue;
    const WORD vk = LOBYTE(key);
    if (HIBYTE(key) & 1) {
      Tap(vk, {VK_SHIFT});
    } else {
      Tap(vk);
    }
  }
}

// The pointer is where it was sent before anything else happens: a button event that came before
// the move had arrived would land at the old place.
void MoveMouse(POINT screen) {
  SendMouse(MOUSEEVENTF_MOVE, screen);
  WaitUntil(
      [&] {
        POINT at;
        return GetCursorPos(&at) && at.x == screen.x && at.y == screen.y;
      },
      2000);
}

void MovePointerThroughX(POINT screen) {
  // Wine runs a Unix program given to CreateProcess; its handle cannot be waited for, the pointer
  // can.
  std::string command = "Z:\\usr\\bin\\xdotool mousemove " + std::to_string(screen.x) + " " +
                        std::to_string(screen.y);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &info)) {
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  WaitUntil(
      [&] {
        POINT at;
        return GetCursorPos(&at) && at.x == screen.x && at.y == screen.y;
      },
      3000);
}

void LeftDown(POINT screen) {
  MoveMouse(screen);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, screen);
}

void LeftUp(POINT screen) { SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, screen); }

void Click(POINT screen) {
  LeftDown(screen);
  LeftUp(screen);
}

// ---- pictures

namespace {

// A top-down 32-bit section, so that its bits read as 0x00RRGGBB.
HBITMAP TopDownSection(HDC dc, int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

Image CopyOut(HDC source, int x, int y, int width, int height) {
  Image image;
  if (width <= 0 || height <= 0) return image;
  HDC memory = CreateCompatibleDC(source);
  void* bits = nullptr;
  HBITMAP section = TopDownSection(source, width, height, &bits);
  if (!section) {
    DeleteDC(memory);
    return image;
  }
  HGDIOBJ old = SelectObject(memory, section);
  BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<std::size_t>(width) * height);
  const auto* from = static_cast<const std::uint32_t*>(bits);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = from[i] & 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(section);
  DeleteDC(memory);
  return image;
}

}  // namespace

Image Filled(int width, int height, std::uint32_t colour) {
  Image image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * height, colour);
  return image;
}

Image Capture(const RECT& screen) {
  HDC dc = GetDC(nullptr);
  Image image =
      CopyOut(dc, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top);
  ReleaseDC(nullptr, dc);
  return image;
}

Image DecodePictureFile(const std::string& path) {
  Image image;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return image;
  std::vector<unsigned char> bytes;
  unsigned char chunk[65536];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
    bytes.insert(bytes.end(), chunk, chunk + n);
  }
  std::fclose(file);

  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!block) return image;
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
    GlobalFree(block);
    return image;
  }
  IPicture* picture = nullptr;
  const HRESULT loaded = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE,
                                        IID_IPicture, reinterpret_cast<void**>(&picture));
  stream->Release();
  if (FAILED(loaded)) return image;
  OLE_HANDLE handle = 0;
  BITMAP info{};
  if (SUCCEEDED(picture->get_Handle(&handle)) &&
      GetObjectA(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof info, &info)) {
    HDC screen = GetDC(nullptr);
    HDC source = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(source, reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
    image = CopyOut(source, 0, 0, info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
    SelectObject(source, old);
    DeleteDC(source);
    ReleaseDC(nullptr, screen);
  }
  picture->Release();
  return image;
}

Image DrawnAtTopLeft(Image canvas, const Image& picture) {
  for (int y = 0; y < canvas.height && y < picture.height; ++y) {
    for (int x = 0; x < canvas.width && x < picture.width; ++x) {
      canvas.pixels[static_cast<std::size_t>(y) * canvas.width + x] = picture.At(x, y);
    }
  }
  return canvas;
}

double MeanDifference(const Image& a, const Image& b) {
  if (a.width != b.width || a.height != b.height || a.pixels.empty()) return 255;
  double sum = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) {
    for (int shift = 0; shift < 24; shift += 8) {
      sum += std::abs(static_cast<int>((a.pixels[i] >> shift) & 0xFF) -
                      static_cast<int>((b.pixels[i] >> shift) & 0xFF));
    }
  }
  return sum / (3.0 * a.pixels.size());
}

bool SaveBmp(const Image& image, const std::string& path) {
  if (image.pixels.empty()) return false;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = image.width;
  header.biHeight = -image.height;  // rows top-down, as kept
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  const DWORD pixel_bytes = static_cast<DWORD>(image.pixels.size() * 4);
  BITMAPFILEHEADER file_header{};
  file_header.bfType = 0x4D42;  // "BM"
  file_header.bfOffBits = sizeof file_header + sizeof header;
  file_header.bfSize = file_header.bfOffBits + pixel_bytes;
  const bool written = std::fwrite(&file_header, sizeof file_header, 1, file) == 1 &&
                       std::fwrite(&header, sizeof header, 1, file) == 1 &&
                       std::fwrite(image.pixels.data(), pixel_bytes, 1, file) == 1;
  return std::fclose(file) == 0 && written;
}

}  // namespace e2e
