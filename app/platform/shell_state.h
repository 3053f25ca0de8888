// The shell's state that the platform services need: the program folder (where bound libraries are
// looked for first), the exit routine and the cleanup routine. All of it is used on the GUI thread
// only.
//
// The shell, at start:   SetProgramFolder(<folder of GetModuleFileNameA>), SetExitRoutine(...),
//                        SetCleanupRoutine(...), InstallFatalErrorBox().
// Its cleanup routine:   RunExitRoutine(), FreeBoundLibraries(), whatever else it owns.
// FatalError:            ClearExitRoutine() (dropped unrun), then the cleanup routine, then exit
// -1.
#pragma once

#include <string_view>

using ShellRoutine = void (*)();

// Full path of the executable's folder, without the trailing backslash.
void SetProgramFolder(std::string_view folder);
std::string_view ProgramFolder();

void SetExitRoutine(ShellRoutine routine);
void ClearExitRoutine();
// Runs the exit routine once, if one is set, and clears it.
void RunExitRoutine();

// What FatalError runs before the process ends; without one it gives back the bound libraries.
void SetCleanupRoutine(ShellRoutine routine);
void RunCleanupRoutine();
