#!/usr/bin/env bash
# The end-to-end tests: the program and the driver under Wine on a virtual desktop of an Xvfb of
# their own, against the sample lookup service on the port the test copy of the program was built
# for. Screenshots land in the artifacts folder as PNG.
#
#   run_e2e.sh <build dir> <driver.exe> <program.exe> <service port> <artifacts dir> [gtest filter]
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$1 driver=$2 program=$3 port=$4 artifacts=$5 filter=${6:-*}
. "$here/session.sh"
trap e2e_session_end EXIT
trap 'exit 130' INT TERM

mkdir -p "$artifacts"
rm -f "$artifacts"/*.bmp "$artifacts"/*.png "$artifacts"/service.log
e2e_session_begin "$build" || exit 1
e2e_start_xvfb || exit 1
log=$artifacts/service.log
if ! e2e_start_service "$here/e2e_service.py" "$port" "$log"; then
  echo "e2e: the test copy of the program asks 127.0.0.1:$port; free that port or configure" \
    "another with -DE2E_LOOKUP_PORT=..." >&2
  exit 1
fi

export E2E_PROGRAM=$program E2E_ARTIFACTS=$artifacts E2E_SERVICE_LOG=$log
status=$e2e_session_dir/status
# One run of the driver; the Wine desktop does not hand its exit code back, the status file does.
run_driver() {
  rm -f "$status"
  E2E_STATUS=$status e2e_on_desktop e2e "$driver" "--gtest_filter=$1"
  [ "$(cat "$status" 2>/dev/null)" = 0 ]
}

result=0
run_driver "$filter:-ServiceDown.*" || result=1
# The same program with nothing listening on its service's port.
e2e_stop_service
case "$filter" in
  '*' | *ServiceDown*) run_driver "ServiceDown.*" || result=1 ;;
esac

if command -v convert >/dev/null; then
  for bmp in "$artifacts"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
fi
echo "e2e: screenshots in $artifacts"
exit $result
