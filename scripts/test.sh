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

echo "== win32 build (tests under Wine)"
cmake -G Ninja -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C build/win32 -j"$jobs"

export WINEPREFIX="$root/build/win32/wine"
# The tests share one wineserver for this prefix; whatever happens, it ends with this script.
stop_wine() { WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true; }
trap stop_wine EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "creating the Wine prefix (once per build tree)"
  WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=zh_CN.UTF-8 wineboot --init >/dev/null 2>&1
  WINEPREFIX="$WINEPREFIX" wineserver -w
fi
ctest --test-dir build/win32 --output-on-failure -j"$jobs"

if [ -x fuzz/run.sh ]; then
  echo "== fuzzing (brief runs from the seed corpus)"
  fuzz/run.sh
fi
echo "all tests passed"
