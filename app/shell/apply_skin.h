// The program's common look for every window created afterwards.
#pragma once

// Writes the skin engine library and its skin file to their fixed paths and attaches the skin;
// none of the three results is looked at.
void ApplySkin();
