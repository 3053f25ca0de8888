// jedata.dll: the skin engine. Its one entry reads a skin file and hooks the calling thread's
// windows.
#include "skin/skin_engine.h"

#include <windows.h>

#include "skin/skin_file.h"
#include "skin/skin_hook.h"
#include "skin/skin_look.h"

namespace skin {
namespace {

AttachResult ReadSkinFile(const char* path, Look* look) {
  if (!path || !*path) return kFileMissing;
  HANDLE file =
      CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return kFileMissing;
  LARGE_INTEGER size;
  AttachResult result = kFileMissing;
  if (GetFileSizeEx(file, &size)) {
    if (size.QuadPart > static_cast<LONGLONG>(kMaxFileSize)) {
      result = kMalformed;
    } else {
      DWORD wanted = static_cast<DWORD>(size.QuadPart);
      auto* bytes = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, wanted + 1));
      if (bytes) {
        DWORD total = 0, got = 0;
        while (total < wanted && ReadFile(file, bytes + total, wanted - total, &got, nullptr) &&
               got > 0) {
          total += got;
        }
        result = ParseSkinFile(bytes, total, look);
        HeapFree(GetProcessHeap(), 0, bytes);
      }
    }
  }
  CloseHandle(file);
  return result;
}

// Windows keep pointers into this library once skinned, so it must outlive any FreeLibrary.
void KeepLoaded() {
  HMODULE self;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCSTR>(&ReadSkinFile), &self);
}

}  // namespace
}  // namespace skin

extern "C" __declspec(dllexport) int __stdcall SkinH_AttachEx(const char* skin_path,
                                                              const char* reserved) {
  (void)reserved;
  skin::Look look;
  skin::AttachResult result = skin::ReadSkinFile(skin_path, &look);
  if (result != skin::kAttached) return result;
  DWORD owner = skin::HookedThread();
  if (owner != 0 && owner != GetCurrentThreadId()) return skin::kOtherThread;
  skin::SetCurrentLook(look);
  if (!skin::HookCurrentThread()) return skin::kHookFailed;
  skin::KeepLoaded();
  return skin::kAttached;
}
