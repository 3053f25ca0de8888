#include "app/shell/write_bytes.h"

#include <windows.h>

#include <string>

bool WriteBytesToFile(std::string_view path, std::initializer_list<const ByteBuffer*> buffers) {
  if (path.empty()) return false;
  const std::string zero_terminated(path);
  HANDLE file = CreateFileA(zero_terminated.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = true;
  for (const ByteBuffer* buffer : buffers) {
    if (!buffer || buffer->empty()) continue;
    // WriteFile takes at most 4 GiB a call; carried files are far smaller, but loop all the same.
    const unsigned char* at = buffer->data();
    std::size_t left = buffer->size();
    while (written && left > 0) {
      const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
      DWORD done = 0;
      written = WriteFile(file, at, chunk, &done, nullptr) && done == chunk;
      at += done;
      left -= done;
    }
    if (!written) break;
  }
  const bool closed = CloseHandle(file) != 0;
  return written && closed;
}
