#!/usr/bin/env bash
# Plays the real game under a headless X server and takes the README's
# screenshots: the title, the kitchen in play with both status lines, the
# win, and one mishap. Usage: tools/screenshots.sh [BUILD_DIR] [OUT_DIR]
# (defaults build/ and docs/screenshots/). Needs Xvfb, xdotool and
# ImageMagick (tools/install-deps.sh installs them).
#
# The keys are held for measured times, and the game moves the cat 1.5
# pixels a frame at 30 frames a second, so each leg of the route lands within
# a few pixels; the route keeps that far from every hazard. The win screen is
# compared with assets/100.png at the end, so a route gone wrong fails.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=${2:-$root/docs/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)

work=$(mktemp -d)
. "$root/tools/x-session.sh"
start_x_server

(cd "$root/assets" && exec "$build/kitrovane") >/dev/null 2>&1 &
game_pid=$!
wait_for_game_window 10 || { echo "screenshots: the game's window never showed" >&2; exit 1; }

hold() {  # KEY SECONDS
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
    sleep 0.1
}
shot() { import -silent -window "$window" "$out/$1.png"; }
frames() { awk -v n="$1" 'BEGIN { printf "%.3f", n / 30 }'; }

sleep 1
shot title
hold space 0.2

# From (100, 300): a little left, up through the milk, right to the wall,
# up to the cup, back down, left above the bowl, and down into it.
hold Left "$(frames 6)"      # x 91
hold Up "$(frames 127)"      # y 110, the milk picked up on the way
hold Right "$(frames 190)"   # to the wall, x 350.5
hold Up "$(frames 12)"       # y 92: the cup
hold Down "$(frames 12)"     # y 110
hold Left "$(frames 110)"    # x 185
sleep 1
shot play
hold Down "$(frames 50)"     # into the bowl
sleep 0.5
shot win

# Another attempt: hold Right from the start into the fish tank.
hold space 0.2
sleep 0.5
hold space 0.2
hold Right "$(frames 170)"
sleep 0.5
shot mishap

# Escape counts only while it is held as its press is read.
xdotool keydown Escape
sleep 0.3
xdotool keyup Escape
for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
game_pid=

difference=$(compare -metric AE "$out/win.png" "$root/assets/100.png" null: 2>&1 || true)
if [ "$difference" != 0 ]; then
    echo "screenshots: the route did not end in the win ($difference pixels differ from 100.png)" >&2
    exit 1
fi
echo "screenshots in $out"
