#!/usr/bin/env bash
# Sets up, builds with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh -DQUOREL_WERROR=ON
cd build
ctest --output-on-failure --timeout 300 -j2
