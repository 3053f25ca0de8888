// The look the engine draws with: the skin read by the last successful attach, as GDI values.
#pragma once

#include <windows.h>

#include "skin/skin_file.h"

namespace skin {

void SetCurrentLook(const Look& look);
COLORREF ColourOf(Colour slot);
int MetricOf(Metric slot);

// The caption font the look asks for; owned here, valid until the next SetCurrentLook.
HFONT CaptionFont();

}  // namespace skin
