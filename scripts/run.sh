#!/usr/bin/env bash
# From a fresh clone: installs what is missing, builds the program, starts the sample lookup service
# and runs the program under Wine, on the user's display when DISPLAY is set. Without a display it
# runs on an Xvfb of its own, performs one sample lookup and writes screenshots of the main and the
# details window to out/screenshots/ (or the folder given as the first argument), then closes the
# program. Whatever it started is stopped when the program ends.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
shots=$(realpath -m "${1:-out/screenshots}")

bash scripts/setup.sh

# As scripts/test.sh: a kernel that cannot execute 32-bit programs gets the 64-bit build.
tree=build/win32 toolchain=cmake/mingw-w64-i686.cmake
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "run: this kernel cannot run 32-bit programs: running the 64-bit build"
  tree=build/win64 toolchain=cmake/mingw-w64-x86_64.cmake
fi
echo "run: building $tree"
cmake -G Ninja -S . -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
targets=(serial_lookup)
[ -n "${DISPLAY:-}" ] || targets+=(e2e_demo)
ninja -C "$tree" -j2 "${targets[@]}"
program=$root/$tree/app/shell/serial_lookup.exe

. tests/e2e/session.sh
trap e2e_session_end EXIT
trap 'exit 130' INT TERM
e2e_session_begin "$root/$tree"

# The service listens where the build's lookup host points (127.0.0.1:8600 unless configured).
host=$(sed -n 's/^LOOKUP_HOST:STRING=//p' "$tree/CMakeCache.txt")
port=${host##*:}
[ "$port" != "$host" ] || port=80
if [ "${host%%:*}" = 127.0.0.1 ]; then
  mkdir -p out
  e2e_start_service tools/sample_service/server.py "$port" out/sample_service.log
  echo "run: sample lookup service on $host (requests in out/sample_service.log)"
else
  echo "run: the build asks the lookup service at $host; no sample service is started"
fi

if [ -n "${DISPLAY:-}" ]; then
  echo "run: starting the program on $DISPLAY; close its window to end"
  set +e
  "$WINE" "$(e2e_windows_path "$program")"
  code=$?
  set -e
  echo "run: the program ended with exit code $code"
  exit $code
fi

e2e_start_xvfb
mkdir -p "$shots"
rm -f "$shots"/main_window.* "$shots"/details_window.*
status=$e2e_session_dir/status
E2E_PROGRAM=$program E2E_SCREENSHOTS=$shots E2E_STATUS=$status \
  e2e_on_desktop run "$root/$tree/tests/e2e/e2e_demo.exe" || true
for bmp in "$shots"/*.bmp; do
  if [ -e "$bmp" ]; then convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"; fi
done
if [ "$(cat "$status" 2>/dev/null)" != 0 ]; then
  echo "run: the sample lookup did not go through" >&2
  exit 1
fi
echo "run: screenshots of the main and the details window in $shots"
