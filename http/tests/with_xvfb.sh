#!/usr/bin/env bash
# Runs one command on an Xvfb display of its own (a free number), then stops that Xvfb by its pid.
set -u
display=
for n in $(seq 90 199); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "with_xvfb: no free display" >&2; exit 1; }
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null' EXIT
# Ready when it answers, not when its socket appears: a client that comes too early runs without a display.
for _ in $(seq 100); do
  xdpyinfo -display ":$display" >/dev/null 2>&1 && break
  sleep 0.1
done
DISPLAY=":$display" "$@"
