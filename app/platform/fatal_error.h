// The one way the program ends on an unrecoverable error: a box, then the cleanup, exit code -1.
#pragma once

#include <cstddef>
#include <string_view>

// Shows "运行时出错!" with the code (when not 0) and the message (when not empty) in a box with no
// owner, caption "错误" and the stop icon; after OK the exit routine is dropped unrun, the cleanup
// runs and the process ends with exit code -1.
[[noreturn]] void FatalError(std::string_view message, int code);

// Makes FatalError the handler of the core's fatal path (failed allocations among others).
void InstallFatalErrorBox();

// The box text, cut to fit `size` (zero-terminated); the number of bytes written without the zero.
std::size_t FormatFatalErrorText(char* out, std::size_t size, std::string_view message, int code);
