#!/usr/bin/env bash
# A short session of the real game under valgrind's memcheck: the title,
# Space, a few seconds of play walking right, Escape. Passes when the game
# quits with 0 and memcheck reports no error outside the libraries listed in
# valgrind.supp (Mesa's software renderer and the X client libraries, whose
# own reports say nothing about our code).
#
#   tests/sanitizers/valgrind-play.sh GAME_EXECUTABLE ASSETS_DIR [LOG]
set -euo pipefail
game=$(realpath "$1")
assets=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d /tmp/kitrovane-valgrind-XXXXXX)
log=$(realpath -m "${3:-$work/memcheck.txt}")
cp "$assets"/*.png "$assets"/a.ttf "$work"/

. "$here/../../tools/x-session.sh"
start_x_server
export LIBGL_ALWAYS_SOFTWARE=1

(cd "$work" && exec valgrind --tool=memcheck --error-exitcode=42 --track-origins=yes --leak-check=full --keep-debuginfo=yes \
   --suppressions="$here/valgrind.supp" --log-file="$log" "$game") &
game_pid=$!

if ! wait_for_game_window 120; then
  echo "valgrind-play: the game's window never showed on $DISPLAY; memcheck's log follows" >&2
  cat "$log" >&2
  exit 1
fi

# Under memcheck a frame takes long: hold each key for several of them.
sleep 3
xdotool keydown space; sleep 3; xdotool keyup space
xdotool keydown Right; sleep 4; xdotool keyup Right
quit_game_with_escape 60
status=$game_status
grep -E 'ERROR SUMMARY|definitely lost|indirectly lost' "$log" || true
if [ "$status" -ne 0 ]; then
  echo "valgrind-play: exit status $status (42: memcheck found errors); log follows" >&2
  cat "$log" >&2
  exit 1
fi
echo "valgrind-play: no error"
