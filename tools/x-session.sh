# Sourced by the scripts that play the real game under an X server of their
# own (screenshots, soak, memcheck). The caller sets `work` (a temporary
# directory, removed at exit) and, once the game runs, `game_pid`.
#   start_x_server            Xvfb on the first free display; exports DISPLAY
#   wait_for_game_window SECS the game's window in `window`, with the focus
#   quit_game_with_escape SECS  Escape held until the game ends; its status
#                             in `game_status` (124: still running)
#   stop_x_session            ends the game and the server; the EXIT trap

server_pid=
game_pid=
window=

stop_x_session() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  [ -n "${work:-}" ] && rm -rf "$work"
}
trap stop_x_session EXIT

# Xvfb writes its display number, then a newline, once it accepts clients.
start_x_server() {
  local number="$work/x-display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number" 2>/dev/null &
  server_pid=$!
  for _ in $(seq 300); do
    [ "$(wc -l <"$number")" -ge 1 ] && break
    sleep 0.1
  done
  [ "$(wc -l <"$number")" -ge 1 ] || { echo "$(basename "$0"): Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$number")"
}

# Returns non-zero if no window showed in time; the caller says why.
wait_for_game_window() {
  local tries=$(($1 * 10))
  for _ in $(seq "$tries"); do
    window=$(xdotool search --onlyvisible --name '^Kitrovane$' 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || return 1
  xdotool windowfocus --sync "$window"
}

# Escape counts only while it is held when the game drains its events, so it
# stays down until the game has gone (or the time is up).
quit_game_with_escape() {
  local tries=$(($1 * 10))
  xdotool keydown Escape
  for _ in $(seq "$tries"); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  xdotool keyup Escape
  game_status=0
  if kill -0 "$game_pid" 2>/dev/null; then
    echo "$(basename "$0"): the game did not quit on Escape" >&2
    game_status=124
  else
    wait "$game_pid" || game_status=$?
    game_pid=
  fi
}
