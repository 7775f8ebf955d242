#!/usr/bin/env bash
# Installs what is missing, builds the game and its demo content, and starts it.
# Game options pass through, e.g. ./play.sh --windowed
set -euo pipefail
cd "$(dirname "$0")"
scripts/build default
exec build/vardell "$@"
