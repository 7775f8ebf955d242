#!/usr/bin/env bash
# Peak memory during the story playthrough: runs tests/playthrough/journey.cmake with every start of
# the game wrapped in /usr/bin/time, and prints the largest resident set of any leg, with the
# journey's wall time. Extra arguments go to the journey (e.g. -DJOURNEY_FROM=2).
# Usage: bench/playthrough_memory.sh [build dir] [-D...]   (default build/)
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build}
shift || true
game=$(cd "$build" && pwd)/vardell
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cat >"$scratch/vardell" <<WRAP
#!/usr/bin/env bash
exec /usr/bin/time -a -f "%M" -o "$scratch/peaks" "$game" "\$@"
WRAP
chmod +x "$scratch/vardell"
start=$(date +%s)
cmake -DVARDELL="$scratch/vardell" -DWORK="$scratch/work" "$@" -P "$src/tests/playthrough/journey.cmake"
end=$(date +%s)
sort -n "$scratch/peaks" | tail -1 | awk -v n="$(wc -l <"$scratch/peaks")" -v s=$((end - start)) '
  { printf "story playthrough: %d starts of the game in %d s, peak memory of one start %.1f MiB\n", n, s, $1 / 1024 }'
