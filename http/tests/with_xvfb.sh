#!/usr/bin/env bash
# Runs one Windows program on an Xvfb display of its own (a free number), in a Wine prefix of its own,
# then stops that prefix's wineserver and that Xvfb by its pid.
#   with_xvfb.sh --prefix DIR <wine-run.sh of the build> PROGRAM.exe [ARGUMENTS]
# A prefix of its own: a desktop that another test's Wine process started without a display would
# make every message box of the prefix return at once.
set -u
[ "${1:-}" = --prefix ] || { echo "usage: with_xvfb.sh --prefix DIR wine-run.sh PROGRAM.exe ..." >&2; exit 2; }
prefix=$2 run=$3
shift 3
source "$run" --env  # the loader in $WINE and the environment of the build's Wine runs
export WINEPREFIX=$prefix

display=
for n in $(seq 100 199); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "with_xvfb: no free display" >&2; exit 1; }
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
stop() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
}
trap stop EXIT
# Ready when it answers, not when its socket appears: a client that comes too early runs without a display.
for _ in $(seq 100); do
  xdpyinfo -display ":$display" >/dev/null 2>&1 && break
  sleep 0.1
done
export DISPLAY=":$display"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$WINE" wineboot --init >/dev/null 2>&1
fi
"$WINE" "$@"
