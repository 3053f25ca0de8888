#include "skin/skin_hook.h"

#include "skin/control_skin.h"
#include "skin/frame_skin.h"

namespace skin {
namespace {

HHOOK g_hook = nullptr;
DWORD g_thread = 0;

bool IsClass(HWND window, const char* name) {
  char class_name[16];
  return GetClassNameA(window, class_name, sizeof(class_name)) > 0 &&
         lstrcmpiA(class_name, name) == 0;
}

bool HasBorder(const CREATESTRUCTA& create) {
  return (create.style & WS_BORDER) || (create.dwExStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
}

// Called before the window gets its first message, so every message passes through the look.
void StyleNewWindow(HWND window, const CREATESTRUCTA& create) {
  if (!(create.style & WS_CHILD)) {
    if ((create.style & WS_CAPTION) == WS_CAPTION && !(create.dwExStyle & WS_EX_MDICHILD)) {
      AttachFrame(window);
    }
    return;
  }
  if (IsClass(window, "Button")) {
    AttachButton(window);
  } else if (IsClass(window, "Edit")) {
    bool border_inside = (create.style & WS_BORDER) && !(create.dwExStyle & WS_EX_CLIENTEDGE);
    if (HasBorder(create)) AttachEdge(window, EdgeKind::kEdit, border_inside);
  } else if (IsClass(window, "Static")) {
    if (HasBorder(create) || (create.style & SS_SUNKEN))
      AttachEdge(window, EdgeKind::kPicture, false);
  }
}

LRESULT CALLBACK CbtProc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND) {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lparam);
    if (create && create->lpcs) StyleNewWindow(reinterpret_cast<HWND>(wparam), *create->lpcs);
  }
  return CallNextHookEx(g_hook, code, wparam, lparam);
}

}  // namespace

DWORD HookedThread() { return g_thread; }

bool HookCurrentThread() {
  DWORD thread = GetCurrentThreadId();
  if (g_hook) return g_thread == thread;
  g_hook = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, thread);
  if (!g_hook) return false;
  g_thread = thread;
  return true;
}

}  // namespace skin
