// The skin engine's one entry, as a caller binds it by name from jedata.dll. Results: skin_file.h.
#pragma once

extern "C" {
// Reads the skin file at skin_path and gives every window that the calling thread creates from then
// on the skin's look. The second text is reserved; callers pass "". 0 on success; otherwise an
// AttachResult code, and the windows keep whatever look they had.
typedef int(__stdcall* SkinAttachEx)(const char* skin_path, const char* reserved);
}
