// Watches the windows that one thread creates and gives each kind the skin's look.
#pragma once

#include <windows.h>

namespace skin {

// The thread the hook watches, or 0 before it is installed.
DWORD HookedThread();
// Installs the hook for the calling thread; true when it is in place.
bool HookCurrentThread();

}  // namespace skin
