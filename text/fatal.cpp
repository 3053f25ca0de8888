#include "text/fatal.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

void ReportToStderr(std::string_view message, int code) {
  std::fprintf(stderr, "fatal error %d: %.*s\n", code, static_cast<int>(message.size()),
               message.data());
}

FatalHandler g_handler = ReportToStderr;

}  // namespace

void SetFatalHandler(FatalHandler handler) { g_handler = handler ? handler : ReportToStderr; }

void RaiseFatal(std::string_view message, int code) {
  g_handler(message, code);
  std::_Exit(-1);  // a handler that returns still ends the program
}

void FailAllocation(std::size_t bytes) {
  char message[64];
  // The size as asked for, also beyond INT_MAX (a %d would print it negative).
  std::snprintf(message, sizeof message, "分配 %llu 字节内存失败!",
                static_cast<unsigned long long>(bytes));
  RaiseFatal(message, 0);
}

// Every allocation of the program goes through here, so that running out of memory ends it through
// the fatal path with the size asked for. The nothrow forms keep returning null for callers that
// check.
void* operator new(std::size_t bytes) {
  if (void* p = std::malloc(bytes ? bytes : 1)) return p;
  FailAllocation(bytes);
}
void* operator new[](std::size_t bytes) { return ::operator new(bytes); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
  return std::malloc(bytes ? bytes : 1);
}
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept {
  return std::malloc(bytes ? bytes : 1);
}
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
