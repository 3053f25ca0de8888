#include "app/platform/shell_state.h"

#include <string>

#include "app/platform/library_table.h"

namespace {

std::string g_program_folder;
ShellRoutine g_exit_routine = nullptr;
ShellRoutine g_cleanup_routine = nullptr;

}  // namespace

void SetProgramFolder(std::string_view folder) { g_program_folder.assign(folder); }
std::string_view ProgramFolder() { return g_program_folder; }

void SetExitRoutine(ShellRoutine routine) { g_exit_routine = routine; }
void ClearExitRoutine() { g_exit_routine = nullptr; }

void RunExitRoutine() {
  ShellRoutine routine = g_exit_routine;
  g_exit_routine = nullptr;
  if (routine) routine();
}

void SetCleanupRoutine(ShellRoutine routine) { g_cleanup_routine = routine; }

void RunCleanupRoutine() {
  if (g_cleanup_routine) {
    g_cleanup_routine();
  } else {
    FreeBoundLibraries();
  }
}
