// What the end-to-end driver does to the program: starts it, finds its windows by title and its
// controls by ID, reads their texts and places, sends real input through SendInput and looks at the
// screen. Shared by the tests, the demo of scripts/run.sh and the benchmark.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// ---- environment and paths

// A Unix path as Wine sees it on drive Z:.
std::string WindowsPath(std::string_view unix_path);
std::string Environment(const char* name);

// ---- the program's process

struct Process {
  HANDLE handle = nullptr;
  DWORD id = 0;
};

Process Start(const std::string& executable);
// True when the process ended within the time; its exit code in `exit_code`.
bool WaitForExit(const Process& process, DWORD timeout_ms, DWORD* exit_code);
// Ends it when still running and gives the handle back.
void Stop(Process& process);

// ---- windows and controls

// Polls `condition` until it holds or the time is up; the input path and the program are
// asynchronous, so every expectation on the screen waits a little.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms = 10000);

// The visible top-level window with exactly this title, or null.
HWND FindTitled(const char* title);
HWND WaitForWindow(const char* title, DWORD timeout_ms = 10000);
bool WaitForNoWindow(const char* title, DWORD timeout_ms = 10000);

// The control with this ID anywhere below `window` (controls may lie in picture boxes).
HWND Control(HWND window, int id);
// The control's text through WM_GETTEXT, which crosses processes; empty when it does not answer.
std::string Text(HWND hwnd);
std::string ClassName(HWND hwnd);
RECT ScreenRect(HWND hwnd);
// The place and size in the parent's client area.
RECT PlaceInParent(HWND hwnd);
POINT ClientToScreenPoint(HWND hwnd, POINT client);
HWND FocusOf(HWND window);  // the control with the keyboard focus in that window's thread

// ---- input

// Makes `window` the foreground window, so that keys go to it.
bool BringToFront(HWND window);
void KeyDown(WORD vk);
void KeyUp(WORD vk);
// Presses `vk` with the modifier keys held, then lets go of all.
void Tap(WORD vk, std::initializer_list<WORD> modifiers = {});
void TypeAscii(std::string_view text);
void MoveMouse(POINT screen);
// The same through the X server's XTEST (xdotool), as a real mouse moves the pointer: Wine asks X
// where the pointer is when it tracks it for hover, and a SendInput move reaches X only later.
void MovePointerThroughX(POINT screen);
void LeftDown(POINT screen);
void LeftUp(POINT screen);
void Click(POINT screen);

// ---- pictures

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows top-down

  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

Image Filled(int width, int height, std::uint32_t colour);
Image Capture(const RECT& screen);
// A picture file decoded by the system, as the program's toolkit decodes its pictures.
Image DecodePictureFile(const std::string& path);
// `picture` at the top-left corner of `canvas`, cut at its edges.
Image DrawnAtTopLeft(Image canvas, const Image& picture);
// Mean absolute difference per colour component, 0 to 255; 255 when the sizes differ.
double MeanDifference(const Image& a, const Image& b);
bool SaveBmp(const Image& image, const std::string& path);

}  // namespace e2e
