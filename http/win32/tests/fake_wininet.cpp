// A "wininet.dll" for the program folder that lacks the entries the request engine binds first.
#include <windows.h>

extern "C" __declspec(dllexport) BOOL WINAPI InternetCloseHandle(void*) { return TRUE; }
