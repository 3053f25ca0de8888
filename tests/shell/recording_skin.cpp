// A stand-in for the skin engine: attaches nothing, and appends how it was called to
// "jedata.called" beside itself, so that a test sees which copy the program bound and with what.
#include <windows.h>

#include <string>

namespace {

std::string Quoted(const char* text) {
  if (!text) return "null";
  std::string quoted(1, '"');
  quoted += text;
  quoted += '"';
  return quoted;
}

}  // namespace

extern "C" __declspec(dllexport) int __stdcall SkinH_AttachEx(const char* skin_path,
                                                              const char* reserved) {
  HMODULE self = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&SkinH_AttachEx), &self);
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  std::string marker(path, length);
  marker = marker.substr(0, marker.rfind('\\') + 1) + "jedata.called";

  const std::string line =
      "SkinH_AttachEx(" + Quoted(skin_path) + ", " + Quoted(reserved) + ")\r\n";
  HANDLE file = CreateFileA(marker.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
  }
  return 0;
}
