// The two files the program writes out at every start, carried in its constant data.
#pragma once

#include "app/toolkit/design.h"

namespace shell {

extern const toolkit::EmbeddedFile kSkinEngineLibrary;  // jedata.dll, built in skin/
extern const toolkit::EmbeddedFile kSkinFile;           // assets/win8.she

}  // namespace shell
