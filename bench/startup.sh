#!/usr/bin/env bash
# Start-up to an interactive main menu: the time from process start until the game has drawn the
# menu's first frames and quit again, and the peak memory of that run. The first run (which writes
# the settings, the loading bar's length and the recent player) is not measured; the next RUNS are.
# Usage: bench/startup.sh [build dir] (default build/); RUNS=5 by default.
set -euo pipefail
build=${1:-$(dirname "$0")/../build}
game=$(cd "$build" && pwd)/vardell
runs=${RUNS:-5}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME/Brannock/Vardell/Players"
printf '<?xml version="1.0" encoding="Windows-1252"?>\n<Player><PlayerAttribs Flags="1,0,0,0" Stage="0" CumulativeTime="0" BestGameTime="0" ClassID="0"/></Player>\n' \
  >"$XDG_DATA_HOME/Brannock/Vardell/Players/Bench.xml"
cd "$scratch"
# The menu is interactive once the loading screen has faded (0.5 s); two frames past that.
script=$scratch/menu.script
printf 'player Bench\nat 0.6\nquit\n' >"$script"
"$game" --windowed --fixed-dt 0.02 --script "$script" >/dev/null 2>&1

for i in $(seq "$runs"); do
  /usr/bin/time -f "%e %M" -o "$scratch/time.$i" "$game" --windowed --fixed-dt 0.02 --script "$script" \
    >/dev/null 2>&1
done
cat "$scratch"/time.* | sort -n | awk -v n="$runs" '
  { t[NR] = $1; if ($2 > m) m = $2; s += $1 }
  END { printf "start-up to an interactive main menu, %d runs: median %.2f s, mean %.2f s, peak memory %.1f MiB\n",
        n, t[int((n + 1) / 2)], s / n, m / 1024 }'
