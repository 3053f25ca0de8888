#!/usr/bin/env bash
# Runs one command with the scripted HTTP server listening on a free loopback port, then stops it.
# The command finds the port in HTTP_TEST_PORT and a port nobody listens on in HTTP_TEST_DEAD_PORT.
set -u
here=$(cd "$(dirname "$0")" && pwd)
fifo=$(mktemp -u)
mkfifo "$fifo"
exec 3<>"$fifo"  # the server's stdin; it ends when this closes
rm -f "$fifo"
python3 "$here/http_server.py" <&3 >"${TMPDIR:-/tmp}/http_server.$$.port" &
server=$!
trap 'exec 3>&-; kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "${TMPDIR:-/tmp}/http_server.$$.port"' EXIT
for _ in $(seq 100); do
  [ -s "${TMPDIR:-/tmp}/http_server.$$.port" ] && break
  sleep 0.1
done
HTTP_TEST_PORT=$(head -n1 "${TMPDIR:-/tmp}/http_server.$$.port")
[ -n "$HTTP_TEST_PORT" ] || { echo "with_server: the server did not start" >&2; exit 1; }
HTTP_TEST_DEAD_PORT=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
export HTTP_TEST_PORT HTTP_TEST_DEAD_PORT
"$@"
