#!/usr/bin/env bash
# Sets up, builds with warnings as errors and runs every test: once as built, once with
# AddressSanitizer and UndefinedBehaviorSanitizer, and the audio tests with ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh -DQUOREL_WERROR=ON

# The audio callback and the game's thread share the mixer and the music player: one
# ThreadSanitizer build of the audio tests. The FluidSynth tests are left out here: the library
# loads soundfonts on OpenMP threads that the sanitizer cannot see into.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUOREL_SANITIZE=thread \
  -DQUOREL_BUILD_EDITOR=OFF -DQUOREL_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-tsan --target test_audio
TSAN_OPTIONS=halt_on_error=1 build-tsan/tests/test_audio --gtest_filter='-FluidSynth.*' --gtest_brief=1

# The whole suite with AddressSanitizer and UndefinedBehaviorSanitizer; any finding ends the
# test that meets it. Unoptimised, the build takes half the time of an optimised one and the
# checks are the same.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUOREL_SANITIZE=address,undefined \
  -DQUOREL_WERROR=ON -DQUOREL_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-asan
(cd build-asan && UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure --timeout 600 -j2)

# Every test as built, last, so that its summary closes the run.
cd build
ctest --output-on-failure --timeout 600 -j2
