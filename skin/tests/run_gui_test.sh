#!/usr/bin/env bash
# Runs a GUI test program inside a Wine desktop on an Xvfb display of its own.
#
#   run_gui_test.sh --prefix WINEPREFIX --exe PROGRAM.exe [--shots DIR] [-- PROGRAM ARGUMENTS]
#
# The program's checks run first (it writes its exit code to a file, since the desktop does not pass
# it on). With --shots, the program is then started twice more, without and with the skin, and the
# screen is saved as DIR/plain.png, DIR/skinned.png and, with the pointer on the main window's close
# box, DIR/plain-hover.png and DIR/skinned-hover.png. Whatever happens, the Xvfb started here and the
# prefix's wineserver are stopped before it returns. WINE names the loader (default: wine).
set -u

prefix="" exe="" shots=""
while [ $# -gt 0 ]; do
  case "$1" in
    --) shift; break ;;
    --prefix) prefix=$2; shift 2 ;;
    --exe) exe=$2; shift 2 ;;
    --shots) shots=$2; shift 2 ;;
    *) echo "run_gui_test.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
if [ -z "$prefix" ] || [ -z "$exe" ]; then
  echo "usage: run_gui_test.sh --prefix WINEPREFIX --exe PROGRAM.exe [--shots DIR]" >&2
  exit 2
fi

export WINEPREFIX=$prefix WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}mscoree,mshtml="
wine=${WINE:-wine}
work=$(mktemp -d "${TMPDIR:-/tmp}/skin-gui.XXXXXX")
xvfb_pid=""

cleanup() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A display number nobody uses; if another starter takes it first, Xvfb exits and the next is tried.
for display in $(seq 90 190); do
  [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] && continue
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$display" ]; then break; fi
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
done
if [ -z "$xvfb_pid" ]; then
  echo "run_gui_test.sh: could not start Xvfb" >&2
  exit 1
fi
export DISPLAY=":$display"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot --init >/dev/null 2>&1
fi

desktop="skin$$,1280x1024"
in_wine() { echo "Z:$1"; }

# 1. The checks.
"$wine" explorer "/desktop=$desktop" "$exe" "--result=$(in_wine "$work/result")" "$@"
status=$(tr -d '\r\n ' <"$work/result" 2>/dev/null)
if [ "$status" != "0" ]; then
  echo "run_gui_test.sh: $(basename "$exe") failed (result: ${status:-none})" >&2
  exit 1
fi

# 2. Screenshots, without and with the skin.
if [ -n "$shots" ]; then
  mkdir -p "$shots"
  for mode in plain skinned; do
    ready="$work/ready-$mode" stop="$work/stop-$mode"
    "$wine" explorer "/desktop=$desktop" "$exe" "--show=$mode" "--ready=$(in_wine "$ready")" \
      "--stop=$(in_wine "$stop")" &
    shown=$!
    for _ in $(seq 300); do
      [ -s "$ready" ] && break
      sleep 0.1
    done
    if [ ! -s "$ready" ]; then
      echo "run_gui_test.sh: the $mode windows did not come up" >&2
      exit 1
    fi
    sleep 0.5
    import -window root "$shots/$mode.png"
    read -r x y <"$ready"
    xdotool mousemove "$x" "$y"
    sleep 0.5
    import -window root "$shots/$mode-hover.png"
    xdotool mousemove 1270 1010
    touch "$stop"
    wait "$shown"
  done
  echo "screenshots in $shots"
fi
exit 0
