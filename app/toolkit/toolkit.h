// The window toolkit: real Win32 windows built from designs, and the services the windows use.
// Everything runs on the one GUI thread. A window is named by its design, a control by its ID
// (its 1-based row in the design's control table, see ControlId).
#pragma once

#include "app/toolkit/design.h"
#include "text/text.h"

namespace toolkit {

// Creates the window and its controls, delivers OnCreated, then shows it. Non-modal: returns at
// once. Modal: no owner and no taskbar button, every other open window of the program disabled
// meanwhile; returns once the window is destroyed and the others have their former state back. A
// window that is already open is only activated. False when the window cannot be created.
bool OpenWindow(const WindowDesign& window, bool modal);

// Asks for the window's destruction; done back in the event loop.
void CloseWindow(const WindowDesign& window);

bool IsOpen(const WindowDesign& window);

// The control's current text as a new Text (empty when the window is not open).
Text GetText(const WindowDesign& window, int control_id);
// A new caption, redrawn with what lies behind it.
void SetText(const WindowDesign& window, int control_id, const Text& text);
// Pictures from bytes ("BM" BMP, FF D8 JPEG, "GIF8" GIF); empty or unknown bytes leave no picture.
void SetPicture(const WindowDesign& window, int control_id, const ByteBuffer& bytes);
void SetBackgroundPicture(const WindowDesign& window, const ByteBuffer& bytes);

}  // namespace toolkit
