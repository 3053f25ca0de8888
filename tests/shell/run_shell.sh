#!/usr/bin/env bash
# The start-up tests (or, with --bench=N, the start-up benchmark) of the program under Wine: the
# driver and the program on a Wine virtual desktop of an Xvfb of their own, in a Wine prefix of
# their own (the tests replace files in its C:\Windows and make them read-only), with the sample
# lookup service on the port the end-to-end copy of the program was built for. Screenshots land in
# the artifacts folder as PNG. Everything started here is stopped here.
#
#   run_shell.sh <build dir> <shell_driver.exe> <artifacts dir> <service port> [driver arguments]
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd) driver=$2 artifacts=$3 port=$4
shift 4
. "$here/../e2e/session.sh"

source "$build/wine-run.sh" --env  # the loader in $WINE and the environment of the build's Wine runs
export WINEPREFIX=$build/wine-shell
e2e_session_dir=$(mktemp -d "${TMPDIR:-/tmp}/shell-session.XXXXXX")
desktop_pid=
stop() {
  if [ -n "$desktop_pid" ]; then
    kill "$desktop_pid" 2>/dev/null
    wait "$desktop_pid" 2>/dev/null
  fi
  WINEPREFIX=$build/wine-shell wineserver -k >/dev/null 2>&1
  e2e_session_end  # the service, the Xvfb and the session folder
}
trap stop EXIT
trap 'exit 130' INT TERM

mkdir -p "$artifacts"
rm -f "$artifacts"/*.bmp "$artifacts"/*.png
e2e_start_xvfb || exit 1
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$WINE" wineboot --init >/dev/null 2>&1
fi
if ! e2e_start_service "$here/../e2e/e2e_service.py" "$port" "$artifacts/service.log"; then
  echo "shell: the sample service cannot listen on 127.0.0.1:$port" >&2
  exit 1
fi

status=$e2e_session_dir/status
export SHELL_ARTIFACTS=$artifacts SHELL_STATUS=$status SHELL_REPORT=$e2e_session_dir/report
"$WINE" explorer "/desktop=shell,1280x1024" "$(e2e_windows_path "$driver")" "$@" &
desktop_pid=$!
wait "$desktop_pid"
desktop_pid=
[ -s "$SHELL_REPORT" ] && tr -d '\r' <"$SHELL_REPORT"

if command -v convert >/dev/null; then
  for bmp in "$artifacts"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
fi
result=$(tr -d '\r\n ' <"$status" 2>/dev/null)
[ "$result" = 0 ] || { echo "shell: the driver ended with ${result:-no status}" >&2; exit 1; }
exit 0
