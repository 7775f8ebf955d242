#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"

scripts/build default

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

cd build
ctest --output-on-failure -j "$(nproc)" --timeout 600 "$@"
