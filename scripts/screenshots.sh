#!/usr/bin/env bash
# Makes the README's pictures in docs/, 640 x 480 PNGs:
#   play, title, ending   frames of the game on its test back end, with scripted keys;
#   editor                the editor's window on Qt's offscreen platform, with stage 8 of the
#                         built-in set open.
# A scene the game does not have is skipped, and the others are made: run it again when the game
# shows more. Usage: scripts/screenshots.sh [play|title|ending|editor]...  (default: all)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build_dir=${QUOREL_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${QUOREL_BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$build_dir" --target game_shots editor_shot >/dev/null

shots=("$@")
[ ${#shots[@]} -gt 0 ] || shots=(play title ending editor)
game_shots=()
editor=false
for shot in "${shots[@]}"; do
  case $shot in
    editor) editor=true ;;
    *) game_shots+=("$shot") ;;
  esac
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p docs
# Without dates in the file, a picture that did not change stays byte for byte the same.
png() { convert "$1" -strip -define png:exclude-chunks=date,time -define png:compression-level=9 "$2"; }

if [ ${#game_shots[@]} -gt 0 ]; then
  "$build_dir/tools/screenshots/game_shots" "$work" "${game_shots[@]}"
  for frame in "$work"/*.ppm; do
    [ -e "$frame" ] || continue
    png "$frame" "docs/$(basename "$frame" .ppm).png"
  done
fi
if $editor; then
  cp game/resources/stages.txt "$work/stages.qrl"
  QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME='' XDG_RUNTIME_DIR=$work \
    "$build_dir/tools/screenshots/editor_shot" "$work/stages.qrl" 8 "$work/editor.png" 2>"$work/editor.err" ||
    { cat "$work/editor.err"; exit 1; }
  png "$work/editor.png" docs/editor.png
fi
ls -l docs/*.png
