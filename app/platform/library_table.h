// Entries the program binds by name at their first use, not through the import table: the WinINet
// entries of the request engine and the skin engine's SkinH_AttachEx.
#pragma once

#include <windows.h>

// Rows of the library entry table. The two HttpSendRequestA rows are two declarations of one entry,
// each bound on its own first use.
enum LibraryRow : int {
  kRowInternetOpenA = 1,
  kRowInternetCloseHandle = 2,
  kRowInternetConnectA = 3,
  kRowHttpOpenRequestA = 4,
  kRowHttpSendRequestA = 5,
  kRowHttpSendRequestWithBodyA = 6,
  kRowInternetReadFile = 7,
  kRowHttpQueryInfoA = 8,
  kRowSkinHAttachEx = 9,
};

// The entry's address, loading its library on first use: from the program folder first, then
// through the standard search. A library or entry that cannot be found ends the program through
// FatalError.
FARPROC BindLibraryEntry(int row);

// Gives back every library handle the table holds; the rows start empty again.
void FreeBoundLibraries();

// SkinH_AttachEx(path, second) through row 9; its result is handed back unchanged.
int CallSkinAttach(const char* path, const char* second);
