#include "app/platform/library_table.h"

#include <cstdio>
#include <string>

#include "app/platform/fatal_error.h"
#include "app/platform/shell_state.h"

namespace {

struct LibraryEntryRow {
  const char* library;
  const char* entry;
  FARPROC address;
  HMODULE handle;
};

constexpr char kWininet[] = "wininet.dll";

LibraryEntryRow g_rows[] = {
    {kWininet, "InternetOpenA", nullptr, nullptr},
    {kWininet, "InternetCloseHandle", nullptr, nullptr},
    {kWininet, "InternetConnectA", nullptr, nullptr},
    {kWininet, "HttpOpenRequestA", nullptr, nullptr},
    {kWininet, "HttpSendRequestA", nullptr, nullptr},
    {kWininet, "HttpSendRequestA", nullptr, nullptr},
    {kWininet, "InternetReadFile", nullptr, nullptr},
    {kWininet, "HttpQueryInfoA", nullptr, nullptr},
    {"jedata.dll", "SkinH_AttachEx", nullptr, nullptr},
};
constexpr int kRowCount = sizeof g_rows / sizeof g_rows[0];

// A copy in the program folder wins over any other.
HMODULE LoadNearProgramFirst(const char* library) {
  const std::string_view folder = ProgramFolder();
  if (!folder.empty()) {
    const std::string path = std::string(folder) + "\\" + library;
    if (HMODULE module = LoadLibraryA(path.c_str())) return module;
  }
  return LoadLibraryA(library);
}

}  // namespace

FARPROC BindLibraryEntry(int row) {
  if (row < 1 || row > kRowCount) FatalError("", 0);  // a programming error; there is no such row
  LibraryEntryRow& r = g_rows[row - 1];
  if (r.address) return r.address;

  HMODULE module = LoadNearProgramFirst(r.library);
  FARPROC address = module ? GetProcAddress(module, r.entry) : nullptr;
  if (!address) {
    if (module) FreeLibrary(module);
    char message[256];
    std::snprintf(message, sizeof message, "无法找到指定DLL库文件“%s”中的输出命令“%s”", r.library,
                  r.entry);
    FatalError(message, 0);
  }
  r.address = address;
  r.handle = module;
  return address;
}

void FreeBoundLibraries() {
  for (LibraryEntryRow& r : g_rows) {
    if (r.handle) FreeLibrary(r.handle);
    r.handle = nullptr;
    r.address = nullptr;
  }
}

int CallSkinAttach(const char* path, const char* second) {
  using SkinAttach = int(__stdcall*)(const char*, const char*);
  const FARPROC entry = BindLibraryEntry(kRowSkinHAttachEx);
  return reinterpret_cast<SkinAttach>(reinterpret_cast<void*>(entry))(path, second);
}
