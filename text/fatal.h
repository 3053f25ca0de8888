// The one exit for unrecoverable errors. The core only raises it; the shell installs the handler
// that shows the box and ends the process, and tests install one that records the message.
#pragma once

#include <cstddef>
#include <string_view>

using FatalHandler = void (*)(std::string_view message, int code);

void SetFatalHandler(FatalHandler handler);
[[noreturn]] void RaiseFatal(std::string_view message, int code);

// "分配 %d 字节内存失败!" with the size asked for; every failed operator new ends here.
[[noreturn]] void FailAllocation(std::size_t bytes);
