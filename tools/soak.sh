#!/usr/bin/env bash
# Soak: leaves the real game on the title screen, then on an end screen, for
# a long while each (both reload their picture from disk every frame) and
# samples its resident memory every few seconds. A leak in the per-frame
# load shows as a steady climb; the figures printed at the end are the ones
# docs/PERFORMANCE.md records.
#
#   tools/soak.sh GAME_EXECUTABLE [ASSETS_DIR] [OUTPUT_DIR]
#
# SOAK_SECONDS (default 600) is the time on each screen, SOAK_INTERVAL
# (default 5) the sampling period. Runs under an Xvfb of its own with Mesa's
# software renderer.
set -euo pipefail

game=$(realpath "$1")
assets=$(realpath "${2:-assets}")
output=$(realpath -m "${3:-soak-results}")
seconds=${SOAK_SECONDS:-600}
interval=${SOAK_INTERVAL:-5}

mkdir -p "$output"
work=$(mktemp -d /tmp/kitrovane-soak-XXXXXX)
cp "$assets"/*.png "$assets"/a.ttf "$work"/

. "$(dirname "$(realpath "$0")")/x-session.sh"
start_x_server
export LIBGL_ALWAYS_SOFTWARE=1

(cd "$work" && exec "$game") >"$output/game-output.txt" 2>&1 &
game_pid=$!

wait_for_game_window 10 || { echo "soak: the game's window never showed" >&2; exit 1; }

rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$game_pid/status"; }

# Samples for the given time into a file of "seconds rss_kib" lines.
sample() {
  local file=$1 start now
  : >"$file"
  start=$(date +%s.%N)
  while :; do
    now=$(date +%s.%N)
    awk -v s="$start" -v n="$now" 'BEGIN { exit !(n - s >= '"$seconds"') }' && break
    echo "$(awk -v s="$start" -v n="$now" 'BEGIN { printf "%.1f", n - s }') $(rss_kib)" >>"$file"
    sleep "$interval"
  done
}

# Growth after the first minute: the last sample against the least sample
# of the rest of the run, in KiB; and the overall least and most.
summary() {
  awk -v screen="$2" '
    { t[NR] = $1; r[NR] = $2 }
    END {
      lo = 1e18; hi = 0; after = 0
      for (i = 1; i <= NR; i++) {
        if (r[i] < lo) lo = r[i]; if (r[i] > hi) hi = r[i]
        if (t[i] >= 60) { if (!after) { first = r[i]; min1 = r[i]; max1 = r[i]; after = 1 }
                          if (r[i] < min1) min1 = r[i]; if (r[i] > max1) max1 = r[i] }
      }
      printf "%-6s samples %d over %.0f s; RSS min %.1f MiB, max %.1f MiB; after the first minute: first %.1f MiB, last %.1f MiB, max-min %.2f MiB, growth %+.2f MiB\n",
        screen, NR, t[NR], lo / 1024, hi / 1024, first / 1024, r[NR] / 1024, (max1 - min1) / 1024, (r[NR] - first) / 1024
    }' "$1"
}

import -silent -window "$window" "$output/title.png" 2>/dev/null || true
echo "soak: title screen for $seconds s (load: $(uptime | sed 's/.*load average: //'))"
sample "$output/title-rss.txt"

# Space leaves the title; Right held from the start runs the cat into a
# hazard on the right-hand wall, which shows that zone's end picture.
xdotool keydown space; sleep 0.3; xdotool keyup space
sleep 0.5
xdotool keydown Right; sleep 7; xdotool keyup Right
sleep 1

import -silent -window "$window" "$output/end.png" 2>/dev/null || true
echo "soak: end screen for $seconds s (load: $(uptime | sed 's/.*load average: //'))"
sample "$output/end-rss.txt"

quit_game_with_escape 10
status=$game_status

summary "$output/title-rss.txt" title | tee "$output/summary.txt"
summary "$output/end-rss.txt" end | tee -a "$output/summary.txt"
echo "game exit status: $status" | tee -a "$output/summary.txt"
[ "$status" -eq 0 ]
