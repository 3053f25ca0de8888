// The shell's side of the toolkit: preparing it, the event loop's hooks and the cleanup.
#pragma once

#include <windows.h>

#include "app/toolkit/design.h"

namespace toolkit {

// Registers the window classes; once, before the first OpenWindow. Every window shows the icon
// group `icon_name` of the executable.
bool PrepareToolkit(HINSTANCE instance, const char* icon_name);

// Once set, the loop is running: destroying the last window of the program posts the quit message.
void SetLoopRunning(bool running);
bool AnyWindowOpen();

// Idle work while no message waits; a callback returns true to be called again before the next
// wait.
using IdleCallback = bool (*)();
void AddIdleCallback(IdleCallback callback);
bool DoIdleWork();

// Tab, Esc and Enter of a program window, before the message reaches any control; true when the
// message has been handled and is not to be dispatched.
bool HandleWindowKeys(const MSG& message);

// Idle work until a message waits, then fetches and dispatches one message; false on the quit
// message, whose code is left in `quit_code`.
bool PumpOneMessage(int* quit_code);

// Discards the idle callbacks and the list of open windows.
void DiscardToolkitState();

// For tests and drivers: the real windows behind a design (null when not open).
HWND WindowHandle(const WindowDesign& window);
HWND ControlHandle(const WindowDesign& window, int control_id);

}  // namespace toolkit
