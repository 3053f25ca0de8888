#include "app/shell/apply_skin.h"

// The skin engine and its skin file join the program's constant data together with the engine
// itself: then the two files are written out with WriteBytesToFile to "C:\Windows\jedata.dll" and
// "C:\Windows\win8.she" and attached with CallSkinAttach("C:\Windows\win8.she", ""). Until they are
// carried, start-up goes on here and the windows keep the system's own look.
void ApplySkin() {}
