#!/usr/bin/env bash
# The program's speed under Wine, in one run (a benchmark, not a test): its start next to a program
# that opens one empty window, and a query next to bare WinINet GETs of the same reply and picture
# from the same sample service. On an Xvfb and a Wine desktop of its own, like the end-to-end tests.
#
#   tests/e2e/bench.sh [build dir]        (default build/win32; after ninja e2e_bench e2e_minimal_window
#                                          serial_lookup_e2e in it)
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "${1:-$here/../../build/win32}")
port=$(sed -n 's/^E2E_LOOKUP_PORT:STRING=//p' "$build/CMakeCache.txt")
. "$here/session.sh"
trap e2e_session_end EXIT
trap 'exit 130' INT TERM

e2e_session_begin "$build" || exit 1
e2e_start_xvfb || exit 1
e2e_start_service "$here/../../tools/sample_service/server.py" "$port" "$e2e_session_dir/service.log" ||
  exit 1
# The serial in the program's box at start, and the picture its reply names.
export E2E_PROGRAM=$build/tests/e2e/serial_lookup_e2e.exe E2E_MINIMAL=$build/tests/e2e/e2e_minimal_window.exe
export E2E_PORT=$port E2E_LOOKUP_PATH="/xuliehao/index.php?action=search&sn=F2LJK0XXDTTN"
export E2E_PICTURE_PATH="/xuliehao/devimages/iphone%205_black.jpg"
e2e_on_desktop bench "$build/tests/e2e/e2e_bench.exe"
