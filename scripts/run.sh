#!/usr/bin/env bash
# Sets up, builds and starts the game. Parameters go to the game ("w" for a window).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec build/quorel "$@"
