#include "app/platform/fatal_error.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "app/platform/shell_state.h"
#include "text/fatal.h"

namespace {

void ShowBoxAndEnd(std::string_view message, int code) { FatalError(message, code); }

bool g_ending = false;

}  // namespace

std::size_t FormatFatalErrorText(char* out, std::size_t size, std::string_view message, int code) {
  if (size == 0) return 0;
  std::size_t used = 0;
  const auto append = [&](std::string_view piece) {
    const std::size_t n = std::min(piece.size(), size - 1 - used);
    for (std::size_t i = 0; i < n; ++i) out[used + i] = piece[i];
    used += n;
  };
  append("运行时出错!\r\n\r\n");
  if (code != 0) {
    char number[16];
    std::snprintf(number, sizeof number, "%d", code);
    append("错误代码：");
    append(number);
    append("\r\n\r\n");
  }
  if (!message.empty()) {
    append("错误信息：");
    append(message);
    append("\r\n");
  }
  out[used] = '\0';
  return used;
}

void FatalError(std::string_view message, int code) {
  // A failure while ending (memory, say, in the cleanup) must not show a second box.
  if (g_ending) ExitProcess(static_cast<UINT>(-1));
  g_ending = true;
  // No allocation here: this also runs when memory has run out.
  static char text[4096];
  FormatFatalErrorText(text, sizeof text, message, code);
  MessageBoxA(nullptr, text, "错误", MB_ICONHAND);
  ClearExitRoutine();
  RunCleanupRoutine();
  ExitProcess(static_cast<UINT>(-1));
}

void InstallFatalErrorBox() { SetFatalHandler(ShowBoxAndEnd); }
