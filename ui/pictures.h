// The pictures the windows carry in the program's constant data (generated from assets/).
#pragma once

#include "app/toolkit/design.h"

namespace ui {

extern const toolkit::EmbeddedFile kBannerPicture;  // banner.bmp, the main window's banner
extern const toolkit::EmbeddedFile kPanelPicture;   // panel.bmp, the details window's panel
extern const toolkit::EmbeddedFile kModelPhoto;     // model_photo.jpg, design picture of `iphone`
extern const toolkit::EmbeddedFile kDetailsBackground;  // the same photo as a constant of its own

}  // namespace ui
