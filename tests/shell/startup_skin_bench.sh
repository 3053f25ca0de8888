#!/usr/bin/env bash
# Start-up with the skin against start-up without it, in the same run: the time from the start of
# the process to its visible main window, for the program as built (writes both files, attaches
# the skin), for a copy with a no-op jedata.dll in its folder (writes both files, attaches
# nothing), and for that copy with C:\Windows's two files read-only (writes refused at once).
#
#   tests/shell/startup_skin_bench.sh [build dir (build/win64)] [rounds (15)]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build/win64}
rounds=${2:-15}
ninja -C "$build" -j2 shell_driver >/dev/null
port=$(grep '^E2E_LOOKUP_PORT:' "$build/CMakeCache.txt" | cut -d= -f2)
exec bash "$here/run_shell.sh" "$build" "$build/tests/shell/shell_driver.exe" \
  "$build/artifacts/shell-bench" "${port:-18637}" "--bench=$rounds"
