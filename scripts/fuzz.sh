#!/usr/bin/env bash
# Builds the libFuzzer targets in their own folder and runs each for a while.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# SECONDS per target (default 30); TARGETs are names like fuzz_wave (default: every fuzz/fuzz_*.cpp).
# The corpus grows in BUILD/fuzz-corpus/<target> from run to run; the seeds are written fresh
# into BUILD/fuzz-seeds. Crashing inputs land in BUILD/fuzz-artifacts; replay one with
#   BUILD/fuzz/<target> BUILD/fuzz-artifacts/<target>-crash-...
# Environment: QUOREL_FUZZ_BUILD (default build-fuzz beside this script's folder), JOBS (default 2).
# A tool for developers; CI does not run it.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUOREL_FUZZ_BUILD:-$root/build-fuzz}
jobs=${JOBS:-2}
seconds=${1:-30}
shift || true

if [[ ! $seconds =~ ^[0-9]+$ ]]; then
  echo "usage: $0 [SECONDS] [TARGET...]" >&2
  exit 2
fi

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for source in "$root"/fuzz/fuzz_*.cpp; do
    targets+=("$(basename "$source" .cpp)")
  done
fi

if [[ ! -f $build/build.ninja ]]; then
  CC=${CC:-clang} CXX=${CXX:-clang++} cmake -S "$root" -B "$build" -G Ninja -DQUOREL_FUZZ=ON \
    -DQUOREL_BUILD_EDITOR=OFF -DQUOREL_BUILD_BENCHMARKS=OFF
fi
ninja -C "$build" -j "$jobs" seed_corpus "${targets[@]}"

rm -rf "$build/fuzz-seeds"
"$build/fuzz/seed_corpus" "$build/fuzz-seeds"
mkdir -p "$build/fuzz-artifacts"

failed=()
for target in "${targets[@]}"; do
  echo "=== $target: $seconds s"
  corpus=$build/fuzz-corpus/$target
  mkdir -p "$corpus"
  options=(-max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048
           -artifact_prefix="$build/fuzz-artifacts/$target-")
  dictionary=$root/fuzz/dict/$target.dict
  [[ -f $dictionary ]] && options+=(-dict="$dictionary")
  seeds=()
  [[ -d $build/fuzz-seeds/$target ]] && seeds+=("$build/fuzz-seeds/$target")
  if ! "$build/fuzz/$target" "${options[@]}" "$corpus" "${seeds[@]}"; then
    failed+=("$target")
  fi
done

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "failed: ${failed[*]} (inputs in $build/fuzz-artifacts)" >&2
  exit 1
fi
echo "all ${#targets[@]} targets ran $seconds s without a finding"
