// The program: start-up, the message loop and the cleanup around the main window.
#include <float.h>
#include <ole2.h>
#include <windows.h>

#include <string>

#include "app/platform/fatal_error.h"
#include "app/platform/library_table.h"
#include "app/platform/shell_state.h"
#include "app/shell/apply_skin.h"
#include "app/shell/program_folder.h"
#include "app/toolkit/event_loop.h"
#include "app/toolkit/toolkit.h"
#include "lookup/lookup.h"
#include "ui/main_window.h"

namespace {

constexpr char kIconGroup[] = "DEFAULT_ICON";

std::string ExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // cut short: ask again with more room
  }
}

// Also what FatalError runs, by then with the exit routine dropped.
void Cleanup() {
  toolkit::DiscardToolkitState();
  RunExitRoutine();
  FreeBoundLibraries();
  OleUninitialize();
}

void ResetFloatingPoint() {
  _fpreset();
  _controlfp(_RC_NEAR | _MCW_EM, _MCW_RC | _MCW_EM);  // round to nearest, every exception masked
}

int RunMessageLoop() {
  int quit_code = 0;
  if (!toolkit::AnyWindowOpen()) return quit_code;
  while (toolkit::PumpOneMessage(&quit_code)) {
  }
  return quit_code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  OleInitialize(nullptr);
  const std::string executable = ExecutablePath();
  const std::string folder(SplitProgramPath(executable).folder);
  SetProgramFolder(folder);
  // A program in a drive's root has the folder "C:", which alone would name the drive's current
  // folder.
  SetCurrentDirectoryA((folder.size() == 2 && folder[1] == ':' ? folder + "\\" : folder).c_str());
  SetCleanupRoutine(Cleanup);
  InstallFatalErrorBox();
  toolkit::PrepareToolkit(instance, kIconGroup);

  ResetFloatingPoint();
  SetExitRoutine(ReleaseLookupResult);
  ApplySkin();
  if (!toolkit::OpenWindow(ui::MainWindow, false)) FatalError("载入启动窗口失败", 0);

  toolkit::SetLoopRunning(true);
  const int exit_code = RunMessageLoop();
  Cleanup();
  return exit_code;
}
