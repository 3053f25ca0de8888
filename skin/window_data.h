// Per-window data without the C++ runtime's allocator, which would pull its exception support into
// the library: process heap and placement new.
#pragma once

#include <windows.h>

#include <new>

namespace skin {

template <typename T>
T* NewWindowData() {
  void* memory = HeapAlloc(GetProcessHeap(), 0, sizeof(T));
  return memory ? new (memory) T() : nullptr;
}

template <typename T>
void DeleteWindowData(T* data) {
  if (!data) return;
  data->~T();
  HeapFree(GetProcessHeap(), 0, data);
}

// A window's own text, code page 936; on the stack when it is short.
class WindowText {
 public:
  explicit WindowText(HWND window) {
    int wanted = GetWindowTextLengthA(window);
    char* buffer = stack_;
    if (wanted >= static_cast<int>(sizeof(stack_))) {
      heap_ = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, wanted + 1));
      if (!heap_) return;
      buffer = heap_;
    }
    length_ = GetWindowTextA(window, buffer, wanted + 1);
    text_ = buffer;
  }
  ~WindowText() {
    if (heap_) HeapFree(GetProcessHeap(), 0, heap_);
  }
  WindowText(const WindowText&) = delete;
  WindowText& operator=(const WindowText&) = delete;

  const char* text() const { return text_; }
  int length() const { return length_; }

 private:
  char stack_[256];
  char* heap_ = nullptr;
  const char* text_ = "";
  int length_ = 0;
};

}  // namespace skin
