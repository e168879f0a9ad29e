#!/usr/bin/env bash
# Builds the Debian package: an optimised build of the game and the editor in build-package/
# (or $QUOREL_PACKAGE_BUILD_DIR), then cpack. Prints the package's path; install it with
#   sudo apt install ./build-package/quorel_VERSION_ARCH.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build_dir=${QUOREL_PACKAGE_BUILD_DIR:-build-package}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DQUOREL_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build_dir" --target quorel editor desktop_icons
rm -f "$build_dir"/quorel_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
ls "$PWD/$build_dir"/quorel_*.deb
