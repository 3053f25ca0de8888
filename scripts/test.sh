#!/usr/bin/env bash
# From a fresh clone: installs what is missing, builds the host and the 32-bit Windows trees, and runs
# every test (host tests under AddressSanitizer and UBSan, Windows tests under Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

bash scripts/setup.sh

echo "== host build (sanitizers on)"
cmake -G Ninja -S . -B build/host -DSANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
ninja -C build/host -j"$jobs"
ctest --test-dir build/host --output-on-failure -j"$jobs"

echo "== win32 build (the 32-bit Windows target)"
cmake -G Ninja -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C build/win32 -j"$jobs"

# Some kernels cannot execute 32-bit programs at all, and then Wine's 32-bit loader cannot start. The
# Windows tests then run on the same sources built for 64-bit Windows, under Wine's 64-bit loader.
wine_tree=build/win32
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "== this kernel cannot run 32-bit programs: the Windows tests run on a 64-bit build"
  cmake -G Ninja -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  ninja -C build/win64 -j"$jobs"
  wine_tree=build/win64
fi

echo "== Windows tests under Wine ($wine_tree)"
source "$wine_tree/wine-run.sh" --env
# One display for the whole run: the first Wine process of a prefix starts its desktop, and a desktop
# started without a display makes every later window of that prefix fail. Tests that need a screen of
# their own start their own Xvfb.
for n in $(seq 60 99); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=$n; break; }
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
# The tests share one wineserver for this prefix; whatever happens, it and the display end here.
stop_wine() {
  WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
}
trap stop_wine EXIT
for _ in $(seq 100); do xdpyinfo -display ":$display" >/dev/null 2>&1 && break; sleep 0.1; done
export DISPLAY=":$display"
WINEPREFIX="$WINEPREFIX" wineserver -w
# One at a time: several tests stop their prefix's wineserver when they end.
ctest --test-dir "$wine_tree" --output-on-failure -j1

if [ -x fuzz/run.sh ]; then
  echo "== fuzzing (brief runs from the seed corpus)"
  fuzz/run.sh
fi
echo "all tests passed"
