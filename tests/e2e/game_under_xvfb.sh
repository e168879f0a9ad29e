#!/usr/bin/env bash
# The real program in a real window under Xvfb, driven with real key presses:
#   - "quorel w" opens a 640 x 480 window; F9 closes it with status 0 and writes quorel.dat
#     (SUM 6913 on a first run);
#   - "quorel" without parameters fills the screen;
#   - test play of a hand-written stage set: one push clears it, button 1 ends the program.
# Usage: game_under_xvfb.sh QUOREL_EXECUTABLE ASSET_FOLDER
# QUOREL_E2E_KEEP=FILE.png keeps the last screenshot taken when a step fails (game_session.sh).
#
# Every step waits for what it needs, with a deadline: a window, a frame showing the clear
# banner, the process's end. On a busy machine the game may run many times slower than its
# 60 frames a second, so nothing here assumes how long a scene takes; a key that must be seen
# by a scene's pass is held until what it causes can be seen, never tapped.
set -euo pipefail
exe=$1
assets=$(cd "$2" && pwd)
# shellcheck source=game_session.sh
. "$(dirname "$0")/game_session.sh" "$exe"

# 1. Windowed start, F9.
./quorel w 2>>"$work/stderr.txt" & pid=$!
wait_for 60 window_of_size 640x480 >/dev/null || fail "no 640x480 window for 'quorel w'"
close_with_f9 640x480 || fail "F9 did not close the game"
reap
[ "$status" = 0 ] || fail "exit status $status after F9"
tr -d '\r' < quorel.dat | grep -qx 'SUM=6913' || fail "quorel.dat has no SUM=6913"
echo "ok: windowed start, F9, quorel.dat"

# 2. Full screen.
./quorel 2>>"$work/stderr.txt" & pid=$!
wait_for 60 window_of_size 1024x768 >/dev/null || fail "no window filling the screen for 'quorel'"
close_with_f9 1024x768 || fail "F9 did not close the full-screen game"
reap
[ "$status" = 0 ] || fail "exit status $status after F9 in full screen"
echo "ok: full screen"

# 3. Test play: the player stands left of two blocks of value 3; walking right merges them.
printf '2\r\nE2E\r\n3\r\n5\r\n6\r\n%s\r\n' "$(one_push_grid)" > "$work/\$\$\$qrl\$\$\$.tmp"

# The clear banner: the lettering of rows 190 to 304 of the "title" picture, drawn at y 86 over
# the cleared Board. A screenshot (the 640 x 480 picture scaled to the 1024 x 768 screen)
# shows it when the lettering's pixels match; edges blended by the scaling may differ.
convert "$assets/title.bmp" -crop 640x115+0+190 +repage "$work/banner.png"
convert "$work/banner.png" -fill white +opaque black "$work/mask.png"
lettering=$(convert "$work/mask.png" -format '%[fx:round(mean*w*h)]' info:)
[ "$lettering" -gt 1000 ] || fail "the clear banner of $assets/title.bmp has no lettering"
banner_shown() {
  import -window root "$work/screen.png" 2>/dev/null || return 1
  convert "$work/screen.png" -filter point -resize 640x480! -crop 640x115+0+86 +repage \
    "$work/mask.png" -compose multiply -composite "$work/shown.png" || return 1
  local differing
  differing=$(compare -metric AE -fuzz 15% "$work/shown.png" "$work/banner.png" null: 2>&1) || true
  differing=${differing%% *}
  [[ $differing =~ ^[0-9]+$ ]] && [ "$differing" -lt $((lettering / 10)) ]
}

./quorel 1 2>>"$work/stderr.txt" & pid=$!
wait_for 60 focus_window 1024x768 || fail "no window for test play"
# Right is held from the start: the intro ignores it, and the first passes of play walk to the
# blocks and push one into the other. The information window closes by itself.
hold_until Right banner_shown || fail "no clear banner after pushing right"
# A pass of the clear display has run with the buttons released, so a held button 1 now leaves
# the stage, which ends test play.
hold_until z ended || fail "test play did not end after the clear"
reap
[ "$status" = 0 ] || fail "exit status $status after test play"
echo "ok: test play cleared and closed"
echo "3 passed, 0 failed"
