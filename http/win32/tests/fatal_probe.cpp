// Sets up the shell state as the program does, then fails: by default with a request (the
// program-folder wininet.dll lacks InternetOpenA), with a second argument "alloc" by asking for
// more memory than there is. Writes to the file named by its first argument which of its routines
// ran.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/platform/fatal_error.h"
#include "app/platform/library_table.h"
#include "app/platform/shell_state.h"
#include "http/internet.h"

namespace {

std::string g_marker;

// More than the address space holds; read at run time, so that no compiler refuses it.
volatile std::size_t g_too_much = static_cast<std::size_t>(-1) / 2;

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
  if (argc > 2 && std::string(argv[2]) == "alloc") {
    char* volatile block = new char[g_too_much];
    delete[] block;
  } else {
    HttpGetText("http://127.0.0.1:1/");
  }
  Mark("returned\n");
  return 3;
}
