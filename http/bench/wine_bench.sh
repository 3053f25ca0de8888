#!/usr/bin/env bash
# An 8 MiB HttpRequest under Wine next to curl fetching the same loopback address, in one run.
#   http/bench/wine_bench.sh <wine-run.sh of the build> <http_wine_bench.exe>
set -eu
here=$(cd "$(dirname "$0")" && pwd)
run=$1 exe=$2
exec bash "$here/../tests/with_server.sh" bash -c '
  url="http://127.0.0.1:$HTTP_TEST_PORT/big?n=8388608"
  best=
  for i in 1 2 3 4 5; do
    t=$(curl -s -o /dev/null -w "%{time_total}" "$url")
    best=$(python3 -c "print(min(float(\"$t\"), float(\"${best:-1e9}\")))")
  done
  python3 -c "print(\"curl 8388608 bytes: best of 5 %.1f ms\" % ($best * 1000))"
  "$0" "$1" "$url"
' "$run" "$exe"
