#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"

# VARDELL_PRESET=asan|tsan runs the same tests on a sanitizer build (build-asan/, build-tsan/).
preset=${VARDELL_PRESET:-default}
scripts/build "$preset"

# Headless: real GL frames through Mesa's software rasterizer, no X server, no sound card.
export SDL_VIDEODRIVER=offscreen
export SDL_AUDIODRIVER=dummy
export LIBGL_ALWAYS_SOFTWARE=1
unset DISPLAY WAYLAND_DISPLAY
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME=$scratch/config
export XDG_DATA_HOME=$scratch/data
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"

if [ "$preset" = asan ]; then
  export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
fi

case "$preset" in
  default) cd build ;;
  *) cd "build-$preset" ;;
esac
ctest --output-on-failure -j "$(nproc)" --timeout 600 "$@"
