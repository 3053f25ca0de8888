// The skin's look for push buttons and for the borders of edit boxes and picture boxes.
#pragma once

#include <windows.h>

namespace skin {

enum class EdgeKind { kEdit, kPicture };

// A push button painted flat in the skin's colours; other button kinds are left alone (false).
bool AttachButton(HWND button);
// The border of an edit box or picture box redrawn in the skin's colours, in the same pixels. An
// edit box with WS_BORDER but no WS_EX_CLIENTEDGE draws its one-pixel border inside its client area
// (border_inside); the others have it in the non-client area.
bool AttachEdge(HWND control, EdgeKind kind, bool border_inside);

}  // namespace skin
