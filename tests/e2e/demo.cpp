// One sample lookup for scripts/run.sh on a display without a user: starts the program, presses
// Enter on the sample serial of its box, saves the main and the details window as pictures, then
// closes both.
//
//   E2E_PROGRAM      the program (a Unix path)
//   E2E_SCREENSHOTS  folder for main_window.bmp and details_window.bmp
//   E2E_STATUS       file that receives the exit code (the Wine desktop does not pass it on)
#include <ole2.h>

#include <cstdio>
#include <string>

#include "tests/e2e/driver.h"
#include "tests/e2e/program_windows.h"

namespace {

using e2e::kDetailsTitle;
using e2e::kMainTitle;

bool Save(HWND window, const char* name) {
  const std::string path = e2e::WindowsPath(e2e::Environment("E2E_SCREENSHOTS") + "/" + name);
  return e2e::SaveBmp(e2e::Capture(e2e::ScreenRect(window)), path);
}

int Fail(e2e::Process& program, const char* what) {
  std::fprintf(stderr, "demo: %s\n", what);
  e2e::Stop(program);
  return 1;
}

int Demo() {
  e2e::Process program = e2e::Start(e2e::WindowsPath(e2e::Environment("E2E_PROGRAM")));
  if (!program.handle) return Fail(program, "cannot start the program");
  const HWND main = e2e::WaitForWindow(kMainTitle.c_str());
  if (!main || !e2e::BringToFront(main)) return Fail(program, "no main window");
  Sleep(300);  // painted
  if (!Save(main, "main_window.bmp")) return Fail(program, "cannot save main_window.bmp");
  std::printf("demo: looking up %s\n",
              e2e::Text(e2e::Control(main, e2e::main_window::序列号)).c_str());

  e2e::Tap(VK_RETURN);
  const HWND details = e2e::WaitForWindow(kDetailsTitle.c_str());
  if (!details) return Fail(program, "no details window");
  Sleep(300);
  if (!Save(details, "details_window.bmp")) return Fail(program, "cannot save details_window.bmp");

  e2e::BringToFront(details);
  e2e::Tap(VK_ESCAPE);
  if (!e2e::WaitForNoWindow(kDetailsTitle.c_str()))
    return Fail(program, "the details window stays");
  e2e::WaitUntil([&] { return IsWindowEnabled(main) != FALSE; });
  e2e::BringToFront(main);
  e2e::Tap(VK_ESCAPE);
  DWORD exit_code = 1;
  if (!e2e::WaitForExit(program, 10000, &exit_code))
    return Fail(program, "the program does not end");
  std::printf("demo: the program ended with exit code %lu\n", exit_code);
  e2e::Stop(program);
  return exit_code == 0 ? 0 : 1;
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  const int result = Demo();
  const std::string status = e2e::Environment("E2E_STATUS");
  if (FILE* file = status.empty() ? nullptr : std::fopen(e2e::WindowsPath(status).c_str(), "wb")) {
    std::fprintf(file, "%d\n", result);
    std::fclose(file);
  }
  OleUninitialize();
  return result;
}
