// Makes a request as the program would, with its shell state set up; the program-folder wininet.dll
// lacks InternetOpenA. Writes to the file named by its argument which of its routines ran.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/platform/fatal_error.h"
#include "app/platform/library_table.h"
#include "app/platform/shell_state.h"
#include "http/internet.h"

namespace {

std::string g_marker;

void Mark(const char* what) {
  if (FILE* f = std::fopen(g_marker.c_str(), "ab")) {
    std::fputs(what, f);
    std::fclose(f);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  g_marker = argv[1];
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  folder.resize(folder.rfind('\\'));
  SetProgramFolder(folder);
  SetExitRoutine([] { Mark("exit routine\n"); });
  SetCleanupRoutine([] {
    Mark("cleanup\n");
    FreeBoundLibraries();
  });
  InstallFatalErrorBox();
  HttpGetText("http://127.0.0.1:1/");
  Mark("returned\n");
  return 3;
}
