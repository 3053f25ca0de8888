# Sourced by run_e2e.sh, bench.sh and scripts/run.sh: an Xvfb, a lookup service and a Wine desktop
# of their own, and the stopping of exactly those, by pid (the wineserver with `wineserver -k` for
# the build tree's prefix, only when this session started it).
#
#   e2e_session_begin <build dir>        the Wine environment of that tree (from its wine-run.sh)
#   e2e_start_xvfb                       DISPLAY becomes a display of its own
#   e2e_start_service <script> <port> <request log>
#   e2e_stop_service
#   e2e_on_desktop <name> <exe> [args]   runs a Windows program on a Wine virtual desktop, waits
#   e2e_session_end                      (trap it on EXIT) stops whatever is still running

e2e_xvfb_pid=
e2e_service_pid=
e2e_desktop_pid=
e2e_own_wineserver=no
e2e_session_dir=

e2e_session_begin() {
  local build=$1
  e2e_session_dir=$(mktemp -d "${TMPDIR:-/tmp}/e2e-session.XXXXXX")
  # WINEPREFIX, the code page and the loader ($WINE) of the tree; a new prefix is made here.
  source "$build/wine-run.sh" --env
  if ! "$WINE" --version >/dev/null 2>&1; then
    echo "e2e: Wine cannot start here ('$WINE --version': $("$WINE" --version 2>&1 | tail -n 1))" >&2
    return 1
  fi
  # A server of this prefix that is still lingering after earlier programs goes within seconds; one
  # that stays belongs to someone else's programs and is left alone.
  local waited=0
  while e2e_wineserver_running && [ $waited -lt 100 ]; do
    sleep 0.1
    waited=$((waited + 1))
  done
  if e2e_wineserver_running; then
    echo "e2e: the prefix's wineserver is in use by other programs; it is left running" >&2
  else
    e2e_own_wineserver=yes
  fi
}

# The server's socket exists while it runs (it is removed when the server ends).
e2e_wineserver_running() {
  [ -d "$WINEPREFIX" ] || return 1
  local tmp
  tmp=$(cat "$WINEPREFIX/wineserver" 2>/dev/null) && tmp=/tmp/$tmp || tmp=/tmp/.wine-$(id -u)
  local dir
  dir=$tmp/server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")
  [ -S "$dir/socket" ]
}

e2e_start_xvfb() {
  # Xvfb picks the first display whose lock and socket are free and names it when it is ready.
  local number_file=$e2e_session_dir/display
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  e2e_xvfb_pid=$!
  local _
  for _ in $(seq 100); do
    [ -s "$number_file" ] && break
    kill -0 "$e2e_xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$number_file" ]; then
    echo "e2e: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=:$(head -n 1 "$number_file")
}

e2e_start_service() {
  local script=$1 port=$2 log=$3
  local out=$e2e_session_dir/service.out
  : >"$out"
  python3 -B "$script" --port "$port" >"$out" 2>"$log" &
  e2e_service_pid=$!
  local _
  for _ in $(seq 100); do
    grep -q '^listening ' "$out" && return 0
    kill -0 "$e2e_service_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "e2e: the lookup service does not listen on 127.0.0.1:$port: $(tail -n 1 "$log")" >&2
  e2e_stop_service
  return 1
}

e2e_stop_service() {
  [ -n "$e2e_service_pid" ] || return 0
  kill -TERM "$e2e_service_pid" 2>/dev/null
  wait "$e2e_service_pid" 2>/dev/null
  e2e_service_pid=
}

e2e_windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# The program and the driver share this desktop (and so the screen, the input and the windows);
# explorer ends once the last program on it has ended.
e2e_on_desktop() {
  local name=$1 exe=$2
  shift 2
  "$WINE" explorer "/desktop=$name,1280x1024" "$(e2e_windows_path "$exe")" "$@" &
  e2e_desktop_pid=$!
  wait "$e2e_desktop_pid"
  e2e_desktop_pid=
}

e2e_session_end() {
  if [ -n "$e2e_desktop_pid" ]; then
    kill "$e2e_desktop_pid" 2>/dev/null
    wait "$e2e_desktop_pid" 2>/dev/null
  fi
  [ "$e2e_own_wineserver" = yes ] && wineserver -k >/dev/null 2>&1
  e2e_stop_service
  if [ -n "$e2e_xvfb_pid" ]; then
    kill "$e2e_xvfb_pid" 2>/dev/null
    wait "$e2e_xvfb_pid" 2>/dev/null
  fi
  [ -n "$e2e_session_dir" ] && rm -rf "$e2e_session_dir"
  e2e_xvfb_pid= e2e_desktop_pid=
}
