#!/usr/bin/env bash
# Configures and builds everything into build/ (or $QUOREL_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${QUOREL_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${QUOREL_BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
cmake --build "$build_dir"
